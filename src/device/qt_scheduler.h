#pragma once
// The Scheduler of the running program: the Qt event loop of the thread that
// creates it (the user-interface thread), a monotonic clock, QTimer timers and
// queued calls.

#include <QElapsedTimer>
#include <QObject>
#include <map>
#include <memory>

#include "device/scheduler.h"

class QTimer;

namespace somnexa::device {

class QtScheduler : public Scheduler {
public:
    QtScheduler();
    ~QtScheduler() override;

    std::int64_t nowMs() override;
    TimerId startTimer(int intervalMs, std::function<void()> tick) override;
    void stopTimer(TimerId id) override;
    // Queued to this scheduler's thread; calls still queued when the scheduler is
    // destroyed are dropped.
    void post(std::function<void()> call) override;
    void processEvents() override;
    void sleepMs(int ms) override;

private:
    std::unique_ptr<QObject> context_;  // lives on the user-interface thread
    QElapsedTimer clock_;
    TimerId nextId_ = 1;
    std::map<TimerId, QTimer*> timers_;  // children of context_
};

}  // namespace somnexa::device
