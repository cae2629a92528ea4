#include "device/virtual_scheduler.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace somnexa::device {
namespace {

TEST(VirtualScheduler, AdvanceRunsTimersAtTheirDueTimesInOrder) {
    VirtualScheduler s(1000);
    std::vector<std::string> log;
    s.startTimer(200, [&] { log.push_back("a@" + std::to_string(s.nowMs())); });
    s.startTimer(300, [&] { log.push_back("b@" + std::to_string(s.nowMs())); });
    s.advance(600);
    EXPECT_EQ(log, (std::vector<std::string>{"a@1200", "b@1300", "a@1400", "a@1600", "b@1600"}));
    EXPECT_EQ(s.nowMs(), 1600);
}

TEST(VirtualScheduler, PostedCallsRunBeforeLaterTimersAndATimerCanStopItself) {
    VirtualScheduler s;
    std::vector<std::string> log;
    Scheduler::TimerId id = 0;
    id = s.startTimer(100, [&] {
        log.push_back("tick");
        s.stopTimer(id);
        s.post([&] { log.push_back("after tick"); });
    });
    s.post([&] { log.push_back("posted"); });
    s.advance(1000);
    EXPECT_EQ(log, (std::vector<std::string>{"posted", "tick", "after tick"}));
    EXPECT_FALSE(s.timerActive(id));
    EXPECT_EQ(s.activeTimerCount(), 0);
}

TEST(VirtualScheduler, ProcessEventsMovesTheClockOnlyWhenIdle) {
    VirtualScheduler s(0, 5);
    int ran = 0;
    s.post([&] { ++ran; });
    s.processEvents();
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(s.nowMs(), 0);
    s.processEvents();
    EXPECT_EQ(s.nowMs(), 5);
    s.startTimer(2, [&] { ++ran; });
    s.processEvents();  // the timer at 7 comes before the idle step to 10
    EXPECT_EQ(s.nowMs(), 7);
    EXPECT_EQ(ran, 2);
}

TEST(VirtualScheduler, AWaitLoopEndsDeterministically) {
    VirtualScheduler s;
    const auto start = s.nowMs();
    int rounds = 0;
    while (s.nowMs() - start <= 2000) {
        s.processEvents();
        s.sleepMs(10);
        ++rounds;
    }
    EXPECT_GT(rounds, 100);
    EXPECT_LT(rounds, 250);
}

TEST(VirtualScheduler, SleepRunsNothing) {
    VirtualScheduler s;
    int ran = 0;
    s.startTimer(10, [&] { ++ran; });
    s.post([&] { ++ran; });
    s.sleepMs(50);
    EXPECT_EQ(ran, 0);
    EXPECT_EQ(s.nowMs(), 50);
    s.runPending();  // one post, and the timer once for the current time
    EXPECT_EQ(ran, 2);
}

TEST(VirtualScheduler, ExternalWorkHoldsTheClockUntilItsPostsArrive) {
    VirtualScheduler s;
    std::vector<int> got;
    s.beginExternalWork();
    std::thread worker([&] {
        for (int i = 0; i < 100; ++i) s.post([&got, i] { got.push_back(i); });
        s.endExternalWork();
    });
    // Would time out at once if the clock ran ahead of the worker.
    while (got.size() < 100 && s.nowMs() < 2000) {
        s.processEvents();
        s.sleepMs(10);
    }
    worker.join();
    s.runPending();
    ASSERT_EQ(got.size(), 100u);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(got[static_cast<std::size_t>(i)], i);
}

}  // namespace
}  // namespace somnexa::device
