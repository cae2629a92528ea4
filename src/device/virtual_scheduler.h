#pragma once
// A Scheduler on a virtual clock, for tests: time moves only when the test calls
// advance(), or when the code under test waits (processEvents with nothing to
// do, sleepMs). Timers and posted calls therefore run in a fixed order and a
// 2000 ms wait finishes at once, without sleeping.
//
// post() is safe from any thread. A component that produces posts from its own
// thread (a simulated device answering a request) can hold the clock while it
// works: between beginExternalWork() and endExternalWork() no wait advances the
// virtual clock; it blocks until the work is done or something is posted. That
// keeps such tests deterministic even though a second thread is involved.
// Everything else must be called on the thread that owns the scheduler.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

#include "device/scheduler.h"

namespace somnexa::device {

class VirtualScheduler : public Scheduler {
public:
    // idleStepMs: how far processEvents() moves the clock when nothing is pending
    // and no timer falls due sooner.
    explicit VirtualScheduler(std::int64_t startMs = 0, int idleStepMs = 1);
    ~VirtualScheduler() override;

    std::int64_t nowMs() override;
    TimerId startTimer(int intervalMs, std::function<void()> tick) override;
    void stopTimer(TimerId id) override;
    void post(std::function<void()> call) override;
    // Runs the posted calls and due timers; when none ran, moves the clock to the
    // next due timer or by the idle step, whichever is sooner.
    void processEvents() override;
    // Moves the clock by ms without running anything.
    void sleepMs(int ms) override;

    // Moves the clock by ms, running every timer at its due time and every
    // posted call as it comes, in order.
    void advance(std::int64_t ms);
    // Runs posted calls and due timers without moving the clock; returns how
    // many callbacks ran.
    int runPending();

    bool timerActive(TimerId id) const;
    int activeTimerCount() const;
    std::size_t postedCount() const;

    void beginExternalWork();
    void endExternalWork();

private:
    struct Timer {
        int intervalMs;
        std::int64_t dueMs;
        std::function<void()> tick;
    };

    int runPosted();
    // Runs the earliest timer due at or before limitMs; false when none is due.
    bool runOneTimer(std::int64_t limitMs);
    // Moves the clock to targetMs once no external work is in flight.
    void moveClockTo(std::int64_t targetMs);
    std::int64_t nextDue() const;  // INT64_MAX when no timer runs

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> posted_;
    int externalWork_ = 0;

    std::int64_t now_;
    int idleStepMs_;
    TimerId nextId_ = 1;
    std::map<TimerId, Timer> timers_;
};

}  // namespace somnexa::device
