#include "devsim/report_pump.h"

#include <algorithm>

#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace somnexa::devsim {

ReportPump::ReportPump(std::chrono::microseconds slot) : slot_(slot), thread_([this] { run(); }) {}

ReportPump::~ReportPump() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
    for (Batch& b : queue_)
        if (b.done) b.done();
}

void ReportPump::push(std::vector<Call> calls, Call done) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back({Clock::now(), std::move(calls), std::move(done)});
    }
    wake_.notify_all();
}

void ReportPump::run() {
#ifdef __linux__
    // Wake up on the slot, not up to the default 50 us slack later: the link
    // gets the whole slot to answer before the bus would sit idle.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    // Slots are counted on absolute times, so a late wake-up does not push the
    // following reports later as well.
    Clock::time_point busFree = Clock::now();
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
        if (stop_) return;
        Batch batch = std::move(queue_.front());
        queue_.pop_front();
        Clock::time_point slot = std::max(batch.arrival, busFree + slot_);
        for (Call& call : batch.calls) {
            slot += slot_;
            if (wake_.wait_until(lock, slot, [this] { return stop_; })) break;
            lock.unlock();
            call();
            lock.lock();
        }
        busFree = slot;
        if (batch.done) {
            lock.unlock();
            batch.done();
            lock.lock();
        }
        if (stop_) return;
    }
}

}  // namespace somnexa::devsim
