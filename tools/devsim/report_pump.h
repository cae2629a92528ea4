#pragma once
// Paces a simulated device's input reports like a USB interrupt endpoint: every
// transaction (the output frame, each input report) takes one slot of the bus.
// A background thread runs each delivery call when its slot has come; the calls
// themselves hand the report to the user-interface thread.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace somnexa::devsim {

class ReportPump {
public:
    using Clock = std::chrono::steady_clock;
    using Call = std::function<void()>;

    explicit ReportPump(std::chrono::microseconds slot);
    ~ReportPump();  // stops the thread; calls not yet run are dropped
    ReportPump(const ReportPump&) = delete;
    ReportPump& operator=(const ReportPump&) = delete;

    // The calls caused by one output frame written now: the frame takes the next
    // free slot, then each call runs one slot after the previous one. done runs
    // after the last call, or when the pump stops before running them all.
    void push(std::vector<Call> calls, Call done = {});

private:
    struct Batch {
        Clock::time_point arrival;
        std::vector<Call> calls;
        Call done;
    };
    void run();

    const std::chrono::microseconds slot_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Batch> queue_;
    bool stop_ = false;
    std::thread thread_;
};

}  // namespace somnexa::devsim
