#pragma once
// The owner of a device link: it receives the link's window messages
// (WM_DEVICE_NOTIFY, WM_DEVICE_ERROR) with their wParam and lParam. The link
// posts them through its Scheduler, so they arrive later, on the
// user-interface thread, like posted window messages.

#include <cstdint>

namespace somnexa::device {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void postMessage(int message, std::intptr_t wParam, std::intptr_t lParam) = 0;
};

}  // namespace somnexa::device
