// The GIF writer of the loading animation: what it writes reads back frame
// by frame with the colours it was given.

#include <QBuffer>
#include <QImageReader>
#include <QMovie>

#include <gtest/gtest.h>

#include "app/loading_window.h"
#include "gif_writer.h"

namespace somnexa::skin {
namespace {

TEST(GifWriter, FramesReadBackWithTheirPixels) {
    const QVector<QColor> palette = {Qt::white, Qt::red, Qt::green, Qt::blue, Qt::black};
    const int width = 37, height = 23;  // more pixels than one table's run, odd sizes
    std::vector<GifFrame> frames(3);
    for (int f = 0; f < 3; ++f) {
        for (int i = 0; i < width * height; ++i) {
            frames[f].indices.push_back(static_cast<std::uint8_t>((i * 7 + f) % palette.size()));
        }
    }
    QByteArray data = writeGif(width, height, palette, frames);
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "gif");
    ASSERT_TRUE(reader.canRead());
    EXPECT_EQ(reader.imageCount(), 3);
    for (int f = 0; f < 3; ++f) {
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << f;
        ASSERT_EQ(image.size(), QSize(width, height));
        for (int i = 0; i < width * height; ++i) {
            const QColor expected = palette[(i * 7 + f) % palette.size()];
            ASSERT_EQ(QColor(image.pixel(i % width, i / width)), expected) << "frame " << f << " pixel " << i;
        }
    }
}

TEST(LoadingWindow, AnimatesTheGifOrStaysBlankWithoutIt) {
    somnexa::app::TfrmLoading blank(QStringLiteral("/nonexistent"));
    EXPECT_FALSE(blank.animated());
    EXPECT_TRUE(blank.picture()->pixmap().isNull());

    somnexa::app::TfrmLoading loading(QStringLiteral(SOMNEXA_PROGRAM_DIR));
    ASSERT_TRUE(loading.animated());
    EXPECT_GT(loading.picture()->movie()->frameCount(), 1);
    EXPECT_EQ(loading.picture()->pos(), QPoint(0, 0));
    EXPECT_FALSE(loading.picture()->size().isEmpty());
    loading.close();
    EXPECT_FALSE(loading.animated());  // released on close
}

}  // namespace
}  // namespace somnexa::skin
