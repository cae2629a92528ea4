#pragma once
// TfrmHomePage, the first page: five tiles leading to the main functions and
// the list "A viewing history" of the patients opened most recently.

#include <QPointer>

#include <array>
#include <functional>

#include "app/qv_form.h"

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace somnexa::patients {

inline constexpr int kTileCount = 5;
inline constexpr int kHistoryWidth = 300;

class TfrmHomePage : public app::TQvForm {
public:
    explicit TfrmHomePage(app::AppContext& context, QWidget* parent = nullptr);

    void setMainWindow(QObject* window) { mainWindow_ = window; }
    // Shows the options window on its system page (replaced in tests).
    std::function<void()> showOptions;

    // Re-reads the history list.
    void RefreshHistory();
    void TileClick(int tag);
    void HistoryItemClick(int row);
    void HoverTile(int tag);  // 0: the background

    QWidget* tile(int tag) const { return tiles_.at(static_cast<std::size_t>(tag - 1)); }
    QLabel* hoverFrame() const { return imgHover_; }
    QListWidget* historyList() const { return lstHistory_; }
    QWidget* tileArea() const { return pnlTiles_; }

protected:
    void FormShow() override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makeTile(int tag, const char* title, const char* description);
    void layoutTiles();
    QObject* mainWindow() const;

    QWidget* pnlTiles_ = nullptr;
    std::array<QWidget*, kTileCount> tiles_{};
    QLabel* imgHover_ = nullptr;
    QListWidget* lstHistory_ = nullptr;
    QPointer<QObject> mainWindow_;
};

}  // namespace somnexa::patients
