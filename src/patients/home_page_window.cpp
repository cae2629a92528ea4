#include "home_page_window.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "app/option_window.h"
#include "app/window_message.h"
#include "home_pictures.h"
#include "page_look.h"
#include "view_history.h"

namespace somnexa::patients {

using app::qs;
using app::ss;

namespace {
constexpr int kHistoryItemHeight = 22;
constexpr const char* kTagProperty = "tileTag";
}  // namespace

TfrmHomePage::TfrmHomePage(app::AppContext& context, QWidget* parent)
    : TQvForm(context, QStringLiteral("frmHomePage"), parent) {
    setWindowTitle(QStringLiteral("Home Page"));
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral(
        "QWidget#frmHomePage { background: rgb(237, 245, 252); }"
        "QWidget#pnlTile { background: transparent; }"
        "QLabel#lblTileTitle { color: #1d4f82; font-size: 17px; font-weight: 600; background: transparent; }"
        "QLabel#lblTileText { color: #5a7088; font-size: 13px; background: transparent; }"
        "QWidget#pnlHistory { background: rgb(102, 122, 216); }"
        "QLabel#lblHistory { color: #1d3b7a; font-weight: 600; padding: 0 12px;"
        "  background: qlineargradient(x1:0,y1:0,x2:0,y2:1, stop:0 white, stop:1 rgb(198, 211, 247));"
        "  border-top-left-radius: 6px; border-top-right-radius: 6px; }"
        "QListWidget#lstHistory { background: rgb(214, 223, 247); border: none; outline: none;"
        "  border-bottom-left-radius: 6px; border-bottom-right-radius: 6px; color: #1f3566; padding: 4px; }"
        "QListWidget#lstHistory::item { border-radius: 3px; padding-left: 2px; }"
        "QListWidget#lstHistory::item:hover { background: rgba(255, 255, 255, 150); color: #0b3a9a; }"
        "QListWidget#lstHistory::item:selected { background: rgb(102, 122, 216); color: white; }"));

    pnlTiles_ = new QWidget(this);
    pnlTiles_->setObjectName(QStringLiteral("pnlTiles"));
    pnlTiles_->installEventFilter(this);
    pnlTiles_->setMouseTracking(true);
    imgHover_ = new QLabel(pnlTiles_);
    imgHover_->setObjectName(QStringLiteral("imgHover"));
    imgHover_->setPixmap(HoverFrame());
    imgHover_->setFixedSize(kTileWidth, kTileHeight);
    imgHover_->hide();
    const char* titles[kTileCount][2] = {
        {"Open Patient", "All patient the list display"},
        {"Patient Info", "Add, modify of patient info"},
        {"Down Data", "Download data to PC, save as"},
        {"Data Analysis", "Patient data analysis chart"},
        {"System Setting", "System and device settings"},
    };
    for (int tag = 1; tag <= kTileCount; ++tag)
        tiles_[static_cast<std::size_t>(tag - 1)] = makeTile(tag, titles[tag - 1][0], titles[tag - 1][1]);

    auto* history = new QWidget(this);
    history->setObjectName(QStringLiteral("pnlHistory"));
    history->setAttribute(Qt::WA_StyledBackground, true);
    history->setFixedWidth(kHistoryWidth);
    auto* caption = new QLabel(QStringLiteral("A viewing history"), history);
    caption->setObjectName(QStringLiteral("lblHistory"));
    caption->setFixedHeight(30);
    lstHistory_ = new QListWidget(history);
    lstHistory_->setObjectName(QStringLiteral("lstHistory"));
    lstHistory_->setIconSize(QSize(16, 16));
    lstHistory_->setCursor(Qt::PointingHandCursor);
    lstHistory_->setFixedHeight(10 * kHistoryItemHeight + 12);
    auto* historyLayout = new QVBoxLayout(history);
    historyLayout->setContentsMargins(10, 12, 10, 12);
    historyLayout->setSpacing(0);
    historyLayout->addWidget(caption);
    historyLayout->addWidget(lstHistory_);
    historyLayout->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pnlTiles_, 1);
    layout->addWidget(history);

    connect(lstHistory_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { HistoryItemClick(lstHistory_->row(item)); });
    showOptions = [this] {
        app::TfrmOption options(this->context(), app::kSystemPageTag, this);
        app::PostMessage(&options, msg::WM_OPTION_PAGE, app::kSystemPageTag);
        options.exec();
    };
}

QWidget* TfrmHomePage::makeTile(int tag, const char* title, const char* description) {
    auto* tile = new QWidget(pnlTiles_);
    tile->setObjectName(QStringLiteral("pnlTile"));
    tile->setFixedSize(kTileWidth, kTileHeight);
    tile->setProperty(kTagProperty, tag);
    tile->setCursor(Qt::PointingHandCursor);
    auto* icon = new QLabel(tile);
    icon->setPixmap(TileIcon(tag));
    icon->setFixedSize(64, 64);
    auto* heading = new QLabel(QString::fromLatin1(title), tile);
    heading->setObjectName(QStringLiteral("lblTileTitle"));
    auto* text = new QLabel(QString::fromLatin1(description), tile);
    text->setObjectName(QStringLiteral("lblTileText"));
    text->setWordWrap(true);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(6);
    texts->addStretch(1);
    texts->addWidget(heading);
    texts->addWidget(text);
    texts->addStretch(1);
    auto* layout = new QHBoxLayout(tile);
    layout->setContentsMargins(22, 10, 18, 10);
    layout->setSpacing(18);
    layout->addWidget(icon, 0, Qt::AlignVCenter);
    layout->addLayout(texts, 1);
    // The whole tile is its click area.
    tile->installEventFilter(this);
    for (QLabel* child : {icon, heading, text}) child->setAttribute(Qt::WA_TransparentForMouseEvents);
    return tile;
}

QObject* TfrmHomePage::mainWindow() const {
    if (mainWindow_) return mainWindow_;
    return window() != this ? window() : nullptr;
}

void TfrmHomePage::FormShow() { RefreshHistory(); }

void TfrmHomePage::RefreshHistory() {
    lstHistory_->clear();
    for (const HistoryItem& entry : ReadViewingHistory(context().dm())) {
        auto* item = new QListWidgetItem(QIcon(HistoryIcon()), qs(entry.caption), lstHistory_);
        item->setData(Qt::UserRole, qs(entry.patientID));
        item->setSizeHint(QSize(0, kHistoryItemHeight));
        item->setToolTip(qs(entry.caption).trimmed());
    }
}

void TfrmHomePage::HistoryItemClick(int row) {
    QListWidgetItem* item = lstHistory_->item(row);
    if (item == nullptr) return;
    Selection selection;
    const auto result =
        ReopenFromHistory(context().dm(), context().presenter(), ss(item->data(Qt::UserRole).toString()), selection);
    if (result != ReopenResult::Opened) return;
    context().CurrentPatientID = selection.patientID;
    context().CurrentPatientCaption = selection.caption;
    app::PostMessage(mainWindow(), msg::WM_USER_INFO);
    app::PostMessage(mainWindow(), msg::WM_CHANGE_PAGE, 2);
}

void TfrmHomePage::TileClick(int tag) {
    imgHover_->hide();
    if (tag >= 1 && tag <= 4) {
        app::PostMessage(mainWindow(), msg::WM_CHANGE_PAGE, tag);
    } else if (tag == 5 && showOptions) {
        showOptions();
    }
}

void TfrmHomePage::HoverTile(int tag) {
    if (tag < 1 || tag > kTileCount) {
        imgHover_->hide();
        return;
    }
    QWidget* t = tile(tag);
    imgHover_->move(t->pos());
    imgHover_->show();
    imgHover_->stackUnder(t);  // behind the tile's content
}

void TfrmHomePage::layoutTiles() {
    const int W = kTileWidth;
    const int H = kTileHeight;
    const int PW = pnlTiles_->width();
    const int PH = pnlTiles_->height();
    const int top1 = (PH - 3 * H) / 3;
    const int left1 = static_cast<int>((PW - 2 * W) / 2.5);
    const int left2 = PW - left1 - W;
    const int top3 = static_cast<int>(top1 * 1.5) + H;
    const int top5 = PH - top1 - H;
    tile(1)->move(left1, top1);
    tile(2)->move(left2, top1);
    tile(3)->move(left1, top3);
    tile(4)->move(left2, top3);
    tile(5)->move(left1, top5);
    if (imgHover_->isVisible()) {
        for (int tag = 1; tag <= kTileCount; ++tag)
            if (imgHover_->geometry().intersects(tile(tag)->geometry())) imgHover_->move(tile(tag)->pos());
    }
}

void TfrmHomePage::resizeEvent(QResizeEvent* event) {
    TQvForm::resizeEvent(event);
    RoundCorners(this);
    layoutTiles();
}

bool TfrmHomePage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pnlTiles_) {
        if (event->type() == QEvent::Resize) layoutTiles();
        if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) HoverTile(0);
        return TQvForm::eventFilter(watched, event);
    }
    const QVariant tag = watched->property(kTagProperty);
    if (tag.isValid()) {
        if (event->type() == QEvent::Enter) HoverTile(tag.toInt());
        if (event->type() == QEvent::Leave) HoverTile(0);
        if (event->type() == QEvent::MouseButtonRelease) {
            TileClick(tag.toInt());
            return true;
        }
    }
    return TQvForm::eventFilter(watched, event);
}

}  // namespace somnexa::patients
