#include "device/qt_message_sink.h"

#include <QCoreApplication>

#include "device/message_event.h"

namespace somnexa::device {

void QtMessageSink::postMessage(int message, std::intptr_t wParam, std::intptr_t lParam) {
    if (receiver_) QCoreApplication::postEvent(receiver_.data(), new MessageEvent(message, wParam, lParam));
}

}  // namespace somnexa::device
