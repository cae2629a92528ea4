#pragma once
// TfrmLoading, the small borderless window shown while a report is being
// prepared: the animation "Loading1.gif" of the program folder at its top
// left corner, or nothing when the file is missing.

#include <QLabel>
#include <QMovie>
#include <QWidget>

#include <memory>

namespace somnexa::app {

class TfrmLoading : public QWidget {
public:
    TfrmLoading(const QString& programDir, QWidget* parent = nullptr);
    ~TfrmLoading() override;

    QLabel* picture() const { return imgLoading_; }
    bool animated() const { return movie_ != nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* imgLoading_;
    std::unique_ptr<QMovie> movie_;
};

}  // namespace somnexa::app
