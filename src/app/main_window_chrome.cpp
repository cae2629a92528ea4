// The main window's chrome: header, menu bar, side panels, footer, window
// buttons and their layout at every size.

#include <QFrame>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QWindow>

#include "app/main_window.h"
#include "app/skin_button.h"
#include "app/skin_strip.h"
#include "storage/shared_routines.h"

#include <QCoreApplication>

namespace somnexa::app {

namespace {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text = {}) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

}  // namespace

void TfrmMain::buildChrome() {
    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral(
        "#frmMain { background: #eef3f8; }"
        "#lblTitle { color: white; font-size: 22px; font-weight: 600; }"
        "#lblMenuName { color: white; font-size: 15px; font-weight: bold; }"
        "#frmPatient, #frmVersion { background: rgba(255,255,255,0.78); border: 1px solid #b8cadc;"
        "  border-radius: 4px; }"
        "#lblPatient, #lblVersionAll, #lblVersion { color: #26425e; font-size: 13px; }"
        "#lblVersion { font-weight: 600; }"));

    pnlHead_ = new QWidget(this);
    pnlHead_->setObjectName(QStringLiteral("pnlHead"));
    pnlHead_->setAttribute(Qt::WA_OpaquePaintEvent);
    head_ = new SkinStrip(pnlHead_);
    head_->setPieces(skin_.HeadLeft, skin_.HeadMiddle, skin_.HeadRight);
    head_->installEventFilter(this);  // dragging the window by its header

    imgLogo_ = makeLabel(pnlHead_, QStringLiteral("imgLogo"));
    imgLogo_->setPixmap(skin_.Login);
    imgLogo_->resize(skin_.Login.size());
    imgLogo_->move(18, (skin_.HeadLeft.height() - skin_.Login.height()) / 2 - 4);
    imgLogo_->setAttribute(Qt::WA_TransparentForMouseEvents);

    lblTitle_ = makeLabel(pnlHead_, QStringLiteral("lblTitle"));
    lblTitle_->move(190, 18);
    lblTitle_->setAttribute(Qt::WA_TransparentForMouseEvents);
    lblVersionHead_ = makeLabel(pnlHead_, QStringLiteral("lblVersionHead"));

    menuBar_ = new SkinStrip(pnlHead_);
    menuBar_->setObjectName(QStringLiteral("pnlMenu"));
    menuBar_->setPieces(skin_.MenuLeft, skin_.MenuMiddle, skin_.MenuRight, 0);
    menuBar_->setGeometry(180, 70, menuBar_->stripWidth(0), skin_.MenuMiddle.height());
    marker_ = new SkinStrip(pnlHead_);
    marker_->setObjectName(QStringLiteral("pnlSelect"));
    marker_->move(menuBar_->x(), menuBar_->y() + 1);
    marker_->hide();

    auto makeButton = [this](const QString& name, const QString& hint, const QPixmap& normal, const QPixmap& hot) {
        auto* button = new SkinButton(pnlHead_);
        button->setObjectName(name);
        button->setToolTip(hint);
        button->setPictures(normal, hot);
        return button;
    };
    btnHelp_ = makeButton(QStringLiteral("btnHelp"), QStringLiteral("Help"), skin_.Question, skin_.Question1);
    btnMin_ = makeButton(QStringLiteral("btnMin"), QStringLiteral("Minimize"), skin_.min1, skin_.min);
    btnMax_ = makeButton(QStringLiteral("btnMax"), QStringLiteral("Maximize"), skin_.Max1, skin_.Max);
    btnClose_ = makeButton(QStringLiteral("btnClose"), QStringLiteral("Close"), skin_.Close1, skin_.Close);
    connect(btnHelp_, &QAbstractButton::clicked, this, [this] { btnHelpClick(); });
    connect(btnMin_, &QAbstractButton::clicked, this, [this] { btnMinClick(); });
    connect(btnMax_, &QAbstractButton::clicked, this, [this] { btnMaxClick(); });
    connect(btnClose_, &QAbstractButton::clicked, this, [this] { btnCloseClick(); });

    pnlLeft_ = new SkinStrip(this);
    pnlLeft_->setVerticalPiece(skin_.Left);
    pnlRight_ = new SkinStrip(this);
    pnlRight_->setVerticalPiece(skin_.Right);
    pnlClient_ = new QWidget(this);
    pnlClient_->setObjectName(QStringLiteral("pnlClient"));

    pnlFooter_ = new SkinStrip(this);
    pnlFooter_->setPieces(skin_.FooterLeft, skin_.FooterMiddle, skin_.FooterRight);
    frmOuter_ = new QFrame(pnlFooter_);
    frmPatient_ = new QFrame(frmOuter_);
    frmPatient_->setObjectName(QStringLiteral("frmPatient"));
    frmVersion_ = new QFrame(frmOuter_);
    frmVersion_->setObjectName(QStringLiteral("frmVersion"));
    lblPatient_ = makeLabel(frmOuter_, QStringLiteral("lblPatient"), QStringLiteral("Selected Patient: No Selected"));
    lblVersionAll_ = makeLabel(frmOuter_, QStringLiteral("lblVersionAll"), QStringLiteral("Version All:"));
    const QString exe = QCoreApplication::applicationFilePath();
    lblVersion_ = makeLabel(frmOuter_, QStringLiteral("lblVersion"),
                            QString::fromStdString(storage::VersionText(exe.toStdString(), true)));
    resize(kMinimumWidth, kMinimumHeight);
}

void TfrmMain::AddMenuItem(const QString& caption, int index) {
    auto* label = makeLabel(pnlHead_, QStringLiteral("lblMenuName"), caption);
    label->adjustSize();
    const int middle = std::max(1, skin_.MenuMiddle.width());
    const int pieces = (label->width() + 30) / middle;
    if (index > 0) menuPieces_ += 3;  // spacing before every item but the first
    menuPieces_ += pieces;
    const int runEnd = menuBar_->x() + skin_.MenuLeft.width() + menuPieces_ * middle;
    menuBar_->setPieces(skin_.MenuLeft, skin_.MenuMiddle, skin_.MenuRight, menuPieces_);
    menuBar_->resize(menuBar_->stripWidth(menuPieces_), menuBar_->height());
    label->move(runEnd - 15 - label->width(), menuBar_->y() + (menuBar_->height() - label->height()) / 2);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->show();
    auto* area = new ClickArea(index, [this](int tag) { SelectItem(tag); }, pnlHead_);
    area->setGeometry(label->x(), menuBar_->y(), label->width(), menuBar_->height());
    area->show();
    menuLabels_.push_back(label);
    menuAreas_.push_back(area);
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
    TQvForm::resizeEvent(event);
    if (width() < kMinimumWidth || height() < kMinimumHeight) {
        resize(std::max(width(), kMinimumWidth), std::max(height(), kMinimumHeight));
        return;
    }
    layoutChrome();
}

void TfrmMain::layoutChrome() {
    if (pnlHead_ == nullptr) return;
    const int w = width();
    const int h = height();
    const int headHeight = skin_.HeadLeft.height();
    pnlHead_->setGeometry(0, 0, w, headHeight);
    head_->setGeometry(0, 0, w, headHeight);
    head_->lower();

    int x = w - 10;
    for (SkinButton* button : {btnClose_, btnMax_, btnMin_, btnHelp_}) {
        x -= button->width();
        button->move(x, 10);
        x -= 8;
    }

    const int footHeight = skin_.FooterLeft.height();
    pnlFooter_->setGeometry(0, h - footHeight, w, footHeight);
    const int side = skin_.Left.width();
    pnlLeft_->setGeometry(0, headHeight, side, h - headHeight - footHeight);
    pnlRight_->setGeometry(w - skin_.Right.width(), headHeight, skin_.Right.width(), h - headHeight - footHeight);
    pnlClient_->setGeometry(side, headHeight, w - side - skin_.Right.width(), h - headHeight - footHeight);
    layoutFooter();
}

void TfrmMain::layoutFooter() {
    const int side = skin_.Left.width();
    const int footHeight = pnlFooter_->height();
    frmOuter_->setGeometry(side, 6, pnlFooter_->width() - 2 * side, footHeight - 12);
    const int outerW = frmOuter_->width();
    const int outerH = frmOuter_->height();
    lblVersionAll_->adjustSize();
    lblVersion_->adjustSize();
    const int versionWidth = 8 + lblVersionAll_->width() + 6 + lblVersion_->width() + 12;
    const int patientWidth = outerW - 2 - 5 - versionWidth - 2;
    frmPatient_->setGeometry(2, 0, patientWidth, outerH);
    frmVersion_->setGeometry(frmPatient_->geometry().right() + 1 + 5, 0, versionWidth, outerH);
    lblPatient_->setGeometry(frmPatient_->x() + 8, (outerH - lblPatient_->sizeHint().height()) / 2,
                             patientWidth - 16, lblPatient_->sizeHint().height());
    lblVersionAll_->move(frmVersion_->x() + 8, (outerH - lblVersionAll_->height()) / 2);
    lblVersion_->move(lblVersionAll_->geometry().right() + 1 + 6, (outerH - lblVersion_->height()) / 2);
    lblPatient_->raise();
    lblVersionAll_->raise();
    lblVersion_->raise();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == head_ && event->type() == QEvent::MouseButtonPress && windowState() == Qt::WindowNoState) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && windowHandle() != nullptr) {
            windowHandle()->startSystemMove();  // the window system moves the window with the mouse
            return true;
        }
    }
    return TQvForm::eventFilter(watched, event);
}

}  // namespace somnexa::app
