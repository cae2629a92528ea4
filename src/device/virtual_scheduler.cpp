#include "device/virtual_scheduler.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace somnexa::device {

VirtualScheduler::VirtualScheduler(std::int64_t startMs, int idleStepMs)
    : now_(startMs), idleStepMs_(std::max(1, idleStepMs)) {}

VirtualScheduler::~VirtualScheduler() = default;

std::int64_t VirtualScheduler::nowMs() {
    std::lock_guard lock(mutex_);
    return now_;
}

Scheduler::TimerId VirtualScheduler::startTimer(int intervalMs, std::function<void()> tick) {
    // A zero interval would fire without end at one instant; one millisecond is
    // the finest step this clock has.
    const int interval = std::max(1, intervalMs);
    const TimerId id = nextId_++;
    timers_.emplace(id, Timer{interval, nowMs() + interval, std::move(tick)});
    return id;
}

void VirtualScheduler::stopTimer(TimerId id) { timers_.erase(id); }

void VirtualScheduler::post(std::function<void()> call) {
    {
        std::lock_guard lock(mutex_);
        posted_.push_back(std::move(call));
    }
    changed_.notify_all();
}

int VirtualScheduler::runPosted() {
    // Only the calls queued now: a call that posts again runs next round, so a
    // self-reposting call cannot hold this loop forever.
    std::deque<std::function<void()>> batch;
    {
        std::lock_guard lock(mutex_);
        batch.swap(posted_);
    }
    int ran = 0;
    for (auto& call : batch) {
        if (call) call();
        ++ran;
    }
    return ran;
}

std::int64_t VirtualScheduler::nextDue() const {
    std::int64_t due = std::numeric_limits<std::int64_t>::max();
    for (const auto& [id, t] : timers_) due = std::min(due, t.dueMs);
    return due;
}

bool VirtualScheduler::runOneTimer(std::int64_t limitMs) {
    auto best = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it)
        if (it->second.dueMs <= limitMs && (best == timers_.end() || it->second.dueMs < best->second.dueMs))
            best = it;
    if (best == timers_.end()) return false;
    // Reschedule before the tick runs: the tick may stop the timer, or wait by
    // running events, and must not see itself due again.
    // Like a Qt timer, one that fell behind (after a sleep) fires once, not once
    // per missed interval.
    best->second.dueMs += best->second.intervalMs;
    const std::int64_t now = nowMs();
    if (best->second.dueMs <= now) best->second.dueMs = now + best->second.intervalMs;
    auto tick = best->second.tick;  // the tick may stop (erase) its own timer
    if (tick) tick();
    return true;
}

void VirtualScheduler::moveClockTo(std::int64_t targetMs) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return externalWork_ == 0 || !posted_.empty(); });
    // Posts that arrived while work was in flight run before time moves on.
    if (!posted_.empty()) return;
    now_ = std::max(now_, targetMs);
}

int VirtualScheduler::runPending() {
    int ran = runPosted();
    const std::int64_t now = nowMs();
    while (runOneTimer(now)) {
        ++ran;
        ran += runPosted();
    }
    return ran;
}

void VirtualScheduler::processEvents() {
    if (runPending() > 0) return;
    const std::int64_t now = nowMs();
    moveClockTo(std::min(nextDue(), now + idleStepMs_));
    runPending();
}

void VirtualScheduler::sleepMs(int ms) {
    if (ms <= 0) return;
    // A real sleep lets other threads work; here the clock waits for them.
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return externalWork_ == 0; });
    now_ += ms;
}

void VirtualScheduler::advance(std::int64_t ms) {
    const std::int64_t target = nowMs() + std::max<std::int64_t>(0, ms);
    for (;;) {
        runPending();
        const std::int64_t due = nextDue();
        if (due > target) break;
        moveClockTo(due);
    }
    // Settle any external work, then land on the target.
    for (;;) {
        moveClockTo(target);
        if (nowMs() >= target && postedCount() == 0) break;
        runPending();
    }
    runPending();
}

bool VirtualScheduler::timerActive(TimerId id) const { return timers_.count(id) != 0; }

int VirtualScheduler::activeTimerCount() const { return static_cast<int>(timers_.size()); }

std::size_t VirtualScheduler::postedCount() const {
    std::lock_guard lock(mutex_);
    return posted_.size();
}

void VirtualScheduler::beginExternalWork() {
    std::lock_guard lock(mutex_);
    ++externalWork_;
}

void VirtualScheduler::endExternalWork() {
    {
        std::lock_guard lock(mutex_);
        if (externalWork_ > 0) --externalWork_;
    }
    changed_.notify_all();
}

}  // namespace somnexa::device
