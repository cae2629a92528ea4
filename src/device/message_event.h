#pragma once
// A window message as a Qt event: the event type is the message number itself
// (1124 ... 1825, all in Qt's user range), with the message's wParam and lParam.

#include <QEvent>
#include <cstdint>

namespace somnexa {

class MessageEvent : public QEvent {
public:
    MessageEvent(int message, std::intptr_t wParam, std::intptr_t lParam)
        : QEvent(static_cast<QEvent::Type>(message)), wParam_(wParam), lParam_(lParam) {}

    int message() const { return static_cast<int>(type()); }
    std::intptr_t wParam() const { return wParam_; }
    std::intptr_t lParam() const { return lParam_; }

private:
    std::intptr_t wParam_;
    std::intptr_t lParam_;
};

}  // namespace somnexa
