#include "app/window_message.h"

#include <QCoreApplication>

namespace somnexa::app {

bool isWindowMessage(int type) { return type >= msg::kUser && type < QEvent::MaxUser; }

bool PostMessage(QObject* receiver, int message, std::intptr_t wParam, std::intptr_t lParam) {
    if (receiver == nullptr) return false;
    QCoreApplication::postEvent(receiver, new MessageEvent(message, wParam, lParam));
    return true;
}

std::intptr_t SendMessage(QObject* receiver, int message, std::intptr_t wParam, std::intptr_t lParam) {
    if (receiver == nullptr) return 0;
    SentMessageEvent event(message, wParam, lParam);
    QCoreApplication::sendEvent(receiver, &event);
    return event.result;
}

}  // namespace somnexa::app
