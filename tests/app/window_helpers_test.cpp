// The shared window helpers: embedding pages, the grid layouts in grid.ini,
// the settings listeners and the skin module's pictures.

#include <QFile>
#include <QHeaderView>
#include <QScrollArea>
#include <QStandardItemModel>
#include <QTableView>

#include "app/skin.h"
#include "app/window_helpers.h"
#include "app_fixture.h"

namespace somnexa::app::test {
namespace {

TEST(EmbedPage, CreatesWhenAskedFillsThePanelAndBringsThePageToTheFront) {
    QWidget panel;
    panel.resize(400, 300);
    panel.show();
    QWidget* first = EmbedPage(&panel, nullptr, [](QWidget* owner) { return new QWidget(owner); });
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->parentWidget(), &panel);
    auto* second = new QWidget;
    second->setWindowFlags(Qt::Window);
    EXPECT_EQ(EmbedPage(&panel, second), second);
    EXPECT_EQ(second->parentWidget(), &panel);
    EXPECT_FALSE(second->isWindow());
    EXPECT_TRUE(second->isVisible());
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(second->geometry(), panel.rect());
    EmbedPage(&panel, first);  // again: the same widget, to the front
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(second->isVisible());
    EXPECT_EQ(EmbedPage(&panel, nullptr), nullptr);  // nothing to embed
}

TEST(EmbedPage, AtPlacesThePageAtTheScrollBoxOrigin) {
    QScrollArea box;
    box.resize(200, 100);
    auto* page = new QWidget;
    page->setMinimumSize(500, 400);
    EXPECT_EQ(EmbedPageAt(&box, page), page);
    EXPECT_EQ(box.widget(), page);
    EXPECT_EQ(page->pos(), QPoint(0, 0));
}

class GridLayoutTest : public ContextFixture {};

TEST_F(GridLayoutTest, SaveAndRestoreTheColumnLayoutBySection) {
    QStandardItemModel model(2, 3);
    QTableView saved;
    saved.setModel(&model);
    saved.setColumnWidth(0, 140);
    saved.horizontalHeader()->moveSection(2, 0);
    saved.setColumnHidden(1, true);
    SaveGridLayout(*context, saved, QStringLiteral("frmOpenPatient"));
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("grid.ini"))));

    QTableView restored;
    restored.setModel(&model);
    ASSERT_TRUE(RestoreGridLayout(*context, restored, QStringLiteral("frmOpenPatient")));
    EXPECT_EQ(restored.columnWidth(0), 140);
    EXPECT_EQ(restored.horizontalHeader()->visualIndex(2), 0);
    EXPECT_TRUE(restored.isColumnHidden(1));

    QTableView other;
    other.setModel(&model);
    EXPECT_FALSE(RestoreGridLayout(*context, other, QStringLiteral("NoSuchSection")));
}

TEST(SettingsListeners, RegisterOnceAndForgetWindowsThatHaveGone) {
    AppContext context(QStringLiteral("/nonexistent"), nullptr);
    QObject a;
    auto* b = new QObject;
    EXPECT_EQ(RegisterSettingsListener(context, &a), 1);
    EXPECT_EQ(RegisterSettingsListener(context, &a), 1);
    EXPECT_EQ(RegisterSettingsListener(context, b), 2);
    delete b;
    EXPECT_EQ(RegisterSettingsListener(context, &a), 1);
}

TEST(Skin, TheBuiltModuleHoldsEveryPictureOfTheMainWindow) {
    SkinPictures skin;
    ASSERT_TRUE(LoadSkin(QStringLiteral(SOMNEXA_PROGRAM_DIR "/face.rcc"), skin));
    EXPECT_FALSE(skin.Login.isNull());
    EXPECT_EQ(skin.HeadLeft.height(), skin.HeadMiddle.height());
    EXPECT_EQ(skin.HeadLeft.height(), skin.HeadRight.height());
    EXPECT_EQ(skin.SelectLeft.height(), skin.SelectMiddle.height());
    EXPECT_FALSE(skin.Close.isNull());
    EXPECT_FALSE(skin.Close1.isNull());
    // The header holds the menu bar at (180, 70).
    EXPECT_GE(skin.HeadLeft.height(), 70 + skin.MenuMiddle.height());
}

TEST(Skin, MissingModulesAndPicturesAreReported) {
    SkinPictures skin;
    EXPECT_FALSE(LoadSkin(QStringLiteral("/nonexistent/face.rcc"), skin));
    ResourceModule module(QStringLiteral(SOMNEXA_PROGRAM_DIR "/face.rcc"));
    ASSERT_TRUE(module.isOpen());
    QPixmap picture;
    EXPECT_TRUE(LoadPngResource(module, QStringLiteral("Login"), picture));
    EXPECT_FALSE(LoadPngResource(module, QStringLiteral("NoSuchPicture"), picture));
    EXPECT_FALSE(LoadPngResource(module, QStringLiteral("Close"), picture));  // a bitmap, not a data resource
    EXPECT_TRUE(LoadBitmapResource(module, QStringLiteral("Close"), picture));
}

}  // namespace
}  // namespace somnexa::app::test
