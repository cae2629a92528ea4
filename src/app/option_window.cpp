#include "app/option_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "app/option_save.h"
#include "app/option_marks.h"
#include "app/option_system_page.h"
#include "app/window_helpers.h"
#include "app/window_message.h"

namespace somnexa::app {

namespace {

constexpr int kNavigatorWidth = 200;
constexpr int kItemHeight = 46;

}  // namespace

TfrmOption::TfrmOption(AppContext& context, int firstTag, QWidget* parent)
    : TQvForm(context, QStringLiteral("frmOption"), parent) {
    setWindowFlags(Qt::Dialog);
    setWindowTitle(QStringLiteral("System setting"));
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral(
        "#frmOption { background: #f4f7fb; }"
        "#pnlNavigator { background: qlineargradient(x1:0,y1:0,x2:0,y2:1, stop:0 #1d5f9e, stop:1 #16497b); }"
        "#lblNavTitle { color: #cfe3f7; font-size: 12px; letter-spacing: 1px; }"
        "#lblNavItem { color: white; font-size: 14px; }"
        "#pnlButtons { background: #e7eef6; border-top: 1px solid #cbd8e6; }"
        "QScrollArea { border: none; background: #f4f7fb; }"));

    pnlNavigator_ = new QWidget(this);
    pnlNavigator_->setObjectName(QStringLiteral("pnlNavigator"));
    pnlNavigator_->setAttribute(Qt::WA_StyledBackground, true);
    pnlNavigator_->setFixedWidth(kNavigatorWidth);
    pnlNavigator_->installEventFilter(this);
    auto* navTitle = new QLabel(QStringLiteral("Settings"), pnlNavigator_);
    navTitle->setObjectName(QStringLiteral("lblNavTitle"));
    navTitle->setGeometry(20, 18, kNavigatorWidth - 30, 20);

    imgSelect_ = new QLabel(pnlNavigator_);
    imgSelect_->setPixmap(optionMark(QSize(kNavigatorWidth - 16, kItemHeight - 6), false));
    imgSelect_->hide();
    imgHover_ = new QLabel(pnlNavigator_);
    imgHover_->setPixmap(optionMark(QSize(kNavigatorWidth - 16, kItemHeight - 6), true));
    imgHover_->hide();
    addNavigatorItem(kSystemPageTag, QStringLiteral("System setting"));
    addNavigatorItem(kDiagramPageTag, QStringLiteral("Diagram setting"));
    addNavigatorItem(kDevicePageTag, QStringLiteral("Device setting"));
    items_[kDevicePageTag]->hide();  // no device settings yet
    items_[kDevicePageTag]->setEnabled(false);

    pnlPages_ = new QWidget(this);
    auto* pagesLayout = new QGridLayout(pnlPages_);
    pagesLayout->setContentsMargins(0, 0, 0, 0);
    for (int tag : {kSystemPageTag, kDiagramPageTag, kDevicePageTag}) {
        auto* box = new QScrollArea(pnlPages_);
        box->setProperty("tag", tag);
        boxes_[tag] = box;
        pagesLayout->addWidget(box, 0, 0);  // every box fills the page area
    }
    pages_[kSystemPageTag] = new TfrmOptSystem(context, boxes_[kSystemPageTag]);
    EmbedPageAt(boxes_[kSystemPageTag], pages_[kSystemPageTag]);
    if (auto factory = context.optionPages.find(kDiagramPageTag); factory != context.optionPages.end()) {
        if (TQvForm* page = factory->second(context, boxes_[kDiagramPageTag])) {
            pages_[kDiagramPageTag] = page;
            EmbedPageAt(boxes_[kDiagramPageTag], page);
        }
    }
    if (pages_.count(kDiagramPageTag) == 0) items_[kDiagramPageTag]->hide();

    auto* buttons = new QWidget(this);
    buttons->setObjectName(QStringLiteral("pnlButtons"));
    buttons->setAttribute(Qt::WA_StyledBackground, true);
    btnSave_ = new QPushButton(QStringLiteral("&Save"), buttons);
    btnSave_->setObjectName(QStringLiteral("btnSave"));
    btnSave_->setDefault(true);
    btnCancel_ = new QPushButton(QStringLiteral("&Cancel"), buttons);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    connect(btnSave_, &QPushButton::clicked, this, [this] { btnSaveClick(); });
    connect(btnCancel_, &QPushButton::clicked, this, [this] { btnCancelClick(); });
    auto* buttonLayout = new QHBoxLayout(buttons);
    buttonLayout->setContentsMargins(16, 10, 16, 10);
    buttonLayout->addStretch(1);
    buttonLayout->addWidget(btnSave_);
    buttonLayout->addWidget(btnCancel_);

    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    right->addWidget(pnlPages_, 1);
    right->addWidget(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pnlNavigator_);
    layout->addLayout(right, 1);
    resize(760, 480);
    ChoosePage(firstTag);
}

void TfrmOption::addNavigatorItem(int tag, const QString& caption) {
    auto* item = new QWidget(pnlNavigator_);
    item->setProperty("tag", tag);
    item->setGeometry(8, 50 + (tag - 1) * (kItemHeight + 4), kNavigatorWidth - 16, kItemHeight - 6);
    item->setCursor(Qt::PointingHandCursor);
    item->installEventFilter(this);
    auto* label = new QLabel(caption, item);
    label->setObjectName(QStringLiteral("lblNavItem"));
    label->setGeometry(18, 0, item->width() - 24, item->height());
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    items_[tag] = item;
}

TQvForm* TfrmOption::pageWindow(int tag) const {
    auto it = pages_.find(tag);
    return it == pages_.end() ? nullptr : it->second;
}

QScrollArea* TfrmOption::pageBox(int tag) const {
    auto it = boxes_.find(tag);
    return it == boxes_.end() ? nullptr : it->second;
}

QWidget* TfrmOption::navigatorItem(int tag) const {
    auto it = items_.find(tag);
    return it == items_.end() ? nullptr : it->second;
}

void TfrmOption::placeMark(QLabel* mark, QWidget* item) {
    mark->setParent(item);
    mark->setGeometry(0, 0, item->width(), item->height());
    mark->lower();  // behind the caption
    mark->show();
}

void TfrmOption::ChoosePage(int tag) {
    imgHover_->hide();
    if (tag < 1 || tag > 10) return;
    if (QWidget* item = navigatorItem(tag)) placeMark(imgSelect_, item);
    if (QScrollArea* box = pageBox(tag)) {
        for (auto& [t, b] : boxes_) b->setVisible(t == tag);
        box->raise();
    }
    currentTag_ = tag;
}

void TfrmOption::hoverOver(int tag) {
    QWidget* item = navigatorItem(tag);
    if (item == nullptr || !item->isVisible()) {
        imgHover_->hide();
        return;
    }
    placeMark(imgHover_, item);
    if (imgSelect_->parentWidget() == item) imgSelect_->lower();
}

bool TfrmOption::WindowMessage(int message, std::intptr_t wParam, std::intptr_t, std::intptr_t&) {
    if (message != msg::WM_OPTION_PAGE) return false;
    ChoosePage(static_cast<int>(wParam));
    return true;
}

void TfrmOption::btnSaveClick() {
    // The pages in the order of the page area: the chart page, then the system page.
    std::vector<OptionPageLink> links;
    for (auto it = pages_.rbegin(); it != pages_.rend(); ++it) {
        TQvForm* page = it->second;
        links.push_back({it->first, [page](std::intptr_t w, std::intptr_t l) {
                             return SendMessage(page, msg::WM_OPTION_SAVE, w, l);
                         }});
    }
    const OptionSaveResult result = runOptionSave(links);
    for (int tag : result.refusedTags) ChoosePage(tag);
    if (!result.saved) return;
    ShowInfo("System settings saved successfully!");
    for (const auto& listener : context().SettingsListeners) PostMessage(listener, msg::WM_REFRESH, 0, 0);
}

void TfrmOption::btnCancelClick() { close(); }

int TfrmOption::exec() {
    setWindowModality(Qt::ApplicationModal);
    show();
    QEventLoop loop;
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
    return 0;
}

void TfrmOption::closeEvent(QCloseEvent* event) {
    TQvForm::closeEvent(event);
    if (loop_ != nullptr) loop_->quit();
}

void TfrmOption::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        btnCancelClick();
        return;
    }
    TQvForm::keyPressEvent(event);
}

bool TfrmOption::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pnlNavigator_ && event->type() == QEvent::Enter) hoverOver(0);
    const int tag = watched->property("tag").toInt();
    if (tag > 0 && watched != pnlNavigator_) {
        switch (event->type()) {
            case QEvent::Enter: hoverOver(tag); break;
            case QEvent::Leave: hoverOver(0); break;
            case QEvent::MouseButtonPress: ChoosePage(tag); break;
            default: break;
        }
    }
    return TQvForm::eventFilter(watched, event);
}

}  // namespace somnexa::app
