#include "app/loading_window.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>

namespace somnexa::app {

TfrmLoading::TfrmLoading(const QString& programDir, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint), imgLoading_(new QLabel(this)) {
    setObjectName(QStringLiteral("frmLoading"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setAttribute(Qt::WA_TranslucentBackground);  // white counts as transparent
    imgLoading_->move(0, 0);
    QString file = programDir;
    if (!file.isEmpty() && !file.endsWith(QLatin1Char('/'))) file += QLatin1Char('/');
    file += QStringLiteral("Loading1.gif");
    if (QFile::exists(file)) {
        movie_ = std::make_unique<QMovie>(file);
        if (movie_->isValid()) {
            imgLoading_->setMovie(movie_.get());
            movie_->start();
            imgLoading_->resize(movie_->currentPixmap().size());
        } else {
            movie_.reset();
        }
    }
    resize(imgLoading_->size().expandedTo(QSize(32, 32)));
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

TfrmLoading::~TfrmLoading() { imgLoading_->setMovie(nullptr); }

void TfrmLoading::closeEvent(QCloseEvent* event) {
    imgLoading_->setMovie(nullptr);
    movie_.reset();  // the picture is released on close
    QWidget::closeEvent(event);
}

}  // namespace somnexa::app
