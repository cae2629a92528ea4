#pragma once
// TfrmOption, the options window: a navigator of setting pages on the left,
// the chosen page on the right, and "&Save" / "&Cancel". Saving asks every
// page to check, then to save, and tells the registered windows afterwards.

#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

#include <map>
#include <vector>

#include "app/qv_form.h"

namespace somnexa::app {

inline constexpr int kSystemPageTag = 1;
inline constexpr int kDiagramPageTag = 2;
inline constexpr int kDevicePageTag = 3;

class TfrmOption : public TQvForm {
public:
    // Opens on the page of firstTag (1 from the home page, 2 from the views).
    TfrmOption(AppContext& context, int firstTag, QWidget* parent = nullptr);

    // Shows the window modally; returns when it is closed.
    int exec();

    void ChoosePage(int tag);
    int currentTag() const { return currentTag_; }
    TQvForm* pageWindow(int tag) const;
    QScrollArea* pageBox(int tag) const;
    QWidget* navigatorItem(int tag) const;

    void btnSaveClick();
    void btnCancelClick();
    QPushButton* saveButton() const { return btnSave_; }

    QLabel* hoverMark() const { return imgHover_; }
    void hoverOver(int tag);  // 0: the navigator's background

protected:
    bool WindowMessage(int message, std::intptr_t wParam, std::intptr_t lParam, std::intptr_t& result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void addNavigatorItem(int tag, const QString& caption);
    void placeMark(QLabel* mark, QWidget* item);

    std::map<int, QWidget*> items_;
    std::map<int, QScrollArea*> boxes_;
    std::map<int, TQvForm*> pages_;
    QWidget* pnlNavigator_ = nullptr;
    QWidget* pnlPages_ = nullptr;
    QLabel* imgSelect_ = nullptr;
    QLabel* imgHover_ = nullptr;
    QPushButton* btnSave_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
    QEventLoop* loop_ = nullptr;
    int currentTag_ = 0;
};

}  // namespace somnexa::app
