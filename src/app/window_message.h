#pragma once
// Posting and sending window messages between windows. A message is a
// MessageEvent whose type is the message number; a sent message also carries
// the receiver's answer back to the sender.

#include <QObject>
#include <QPointer>

#include <cstdint>

#include "device/message_event.h"
#include "records/window_messages.h"

namespace somnexa::app {

// A message handed over at once (sent); the handler stores its answer.
class SentMessageEvent : public MessageEvent {
public:
    using MessageEvent::MessageEvent;
    std::intptr_t result = 0;
};

// Whether an event type is one of the window messages.
bool isWindowMessage(int type);

// Queues the message for the receiver; false when there is no receiver.
bool PostMessage(QObject* receiver, int message, std::intptr_t wParam = 0, std::intptr_t lParam = 0);

// Hands the message to the receiver now and returns its answer (0 when the
// receiver does not handle it or does not exist).
std::intptr_t SendMessage(QObject* receiver, int message, std::intptr_t wParam = 0, std::intptr_t lParam = 0);

}  // namespace somnexa::app
