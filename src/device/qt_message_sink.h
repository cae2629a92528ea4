#pragma once
// Delivers a device link's messages to a QObject (a window) as MessageEvents.

#include <QPointer>

#include "device/message_sink.h"

class QObject;

namespace somnexa::device {

class QtMessageSink : public MessageSink {
public:
    explicit QtMessageSink(QObject* receiver) : receiver_(receiver) {}
    // Posts a MessageEvent to the receiver; nothing when it is gone.
    void postMessage(int message, std::intptr_t wParam, std::intptr_t lParam) override;

private:
    QPointer<QObject> receiver_;
};

}  // namespace somnexa::device
