#pragma once
// Time and waiting for the device link, behind one seam: the program runs it on
// the Qt event loop, tests on a virtual clock that they advance themselves, so
// no test ever sleeps.

#include <cstdint>
#include <functional>

namespace somnexa::device {

class Scheduler {
public:
    using TimerId = int;

    virtual ~Scheduler() = default;

    // Milliseconds on a monotonic clock.
    virtual std::int64_t nowMs() = 0;
    // A repeating timer on the user-interface thread; returns its id.
    virtual TimerId startTimer(int intervalMs, std::function<void()> tick) = 0;
    virtual void stopTimer(TimerId id) = 0;
    // Queues a call to run on the user-interface thread. Safe from any thread.
    virtual void post(std::function<void()> call) = 0;
    // Runs what is pending on the user-interface thread (posted calls, due timers).
    virtual void processEvents() = 0;
    // Waits on the user-interface thread without running anything.
    virtual void sleepMs(int ms) = 0;
};

}  // namespace somnexa::device
