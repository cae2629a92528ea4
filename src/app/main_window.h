#pragma once
// TfrmMain, the main window: a frameless skinned window with a header (logo,
// title, a menu bar of five items with a sliding selection marker, window
// buttons), the page area showing one page at a time, and a footer with the
// selected patient and the program version.

#include <QLabel>
#include <QPointer>
#include <QTimer>

#include <array>
#include <vector>

#include "app/qv_form.h"
#include "app/skin.h"

class QFrame;

namespace somnexa::app {

class SkinStrip;
class SkinButton;
class ClickArea;

inline constexpr int kMinimumWidth = 1024;
inline constexpr int kMinimumHeight = 740;
inline constexpr int kMenuItemCount = 5;
inline constexpr int kAnalysisItem = 4;
inline constexpr int kSlideIntervalMs = 10;
inline constexpr int kSlideStep = 30;

class TfrmMain : public TQvForm {
public:
    explicit TfrmMain(AppContext& context);

    // false when creation failed (no master database, no skin): start-up ends.
    bool created() const { return created_; }

    // The page behind a menu item (0 home, 1 patient list, 2 Patient Info,
    // 3 download, 4 analysis); an item without a page selects nothing.
    void setPage(int item, QWidget* page);
    QWidget* page(int item) const;

    // Selects a menu item as a click on it does; the analysis item is refused
    // without a selected patient or without therapy data.
    void SelectItem(int index);
    int currentItem() const { return current_; }

    void WMChangePage(std::intptr_t item);
    void WMUserInfo();

    void btnCloseClick();
    void btnMinClick();
    void btnMaxClick() {}
    void btnHelpClick();

    // The marker's slide, one timer tick at a time.
    void tmrSlideTimer();
    bool sliding() const { return tmrSlide_.isActive(); }
    int markerLeft() const;
    int markerTarget() const { return markerTarget_; }

    QLabel* patientLabel() const { return lblPatient_; }
    QLabel* titleLabel() const { return lblTitle_; }
    QLabel* menuLabel(int index) const;
    QWidget* pageArea() const { return pnlClient_; }

protected:
    bool WindowMessage(int message, std::intptr_t wParam, std::intptr_t lParam, std::intptr_t& result) override;
    void FormShow() override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool loadSkin();
    void buildChrome();
    void layoutChrome();
    void layoutFooter();
    void AddMenuItem(const QString& caption, int index);
    bool analysisAllowed();
    void moveMarkerTo(int index);

    bool created_ = false;
    SkinPictures skin_;
    std::array<QPointer<QWidget>, kMenuItemCount> pages_{};
    int current_ = -1;
    bool menuBuilt_ = false;

    QWidget* pnlHead_ = nullptr;
    SkinStrip* head_ = nullptr;
    QLabel* imgLogo_ = nullptr;
    QLabel* lblTitle_ = nullptr;
    QLabel* lblVersionHead_ = nullptr;
    SkinStrip* menuBar_ = nullptr;
    SkinStrip* marker_ = nullptr;
    int markerTarget_ = 0;
    int menuPieces_ = 0;
    std::vector<QLabel*> menuLabels_;
    std::vector<ClickArea*> menuAreas_;
    SkinButton* btnHelp_ = nullptr;
    SkinButton* btnMin_ = nullptr;
    SkinButton* btnMax_ = nullptr;
    SkinButton* btnClose_ = nullptr;

    SkinStrip* pnlLeft_ = nullptr;
    SkinStrip* pnlRight_ = nullptr;
    QWidget* pnlClient_ = nullptr;

    SkinStrip* pnlFooter_ = nullptr;
    QFrame* frmOuter_ = nullptr;
    QFrame* frmPatient_ = nullptr;
    QFrame* frmVersion_ = nullptr;
    QLabel* lblPatient_ = nullptr;
    QLabel* lblVersionAll_ = nullptr;
    QLabel* lblVersion_ = nullptr;

    QTimer tmrSlide_;
};

}  // namespace somnexa::app
