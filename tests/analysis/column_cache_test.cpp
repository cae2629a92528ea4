#include "analysis/column_cache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <random>

#include "analysis/column_statistics.h"
#include "patient_fixture.h"

namespace somnexa::analysis {
namespace {

using test::at;

TEST(ColumnStatistics, PercentilePositions) {
    struct Case { std::int64_t n; std::int64_t p95; std::int64_t p90; };
    for (const Case c : {Case{100, 96, 91}, Case{20, 19, 19}, Case{1, 0, 0}, Case{2, 1, 1}, Case{10, 9, 9},
                         Case{1000, 951, 901}, Case{43190, 41031, 38872}}) {
        EXPECT_EQ(PercentilePosition(c.n, 95), c.p95) << c.n;
        EXPECT_EQ(PercentilePosition(c.n, 90), c.p90) << c.n;
    }
}

TEST(ColumnStatistics, HundredSamples) {
    std::vector<std::int32_t> samples(100);
    std::iota(samples.begin(), samples.end(), 1);
    std::shuffle(samples.begin(), samples.end(), std::mt19937(7));
    const ColumnStatistics s = ComputeColumnStatistics(samples);
    EXPECT_EQ(s.Maximum, 100);
    EXPECT_EQ(s.Percentile95, 97);  // position 96
    EXPECT_EQ(s.Percentile90, 92);  // position 91
    EXPECT_EQ(s.Mean, 50);          // 5050 / 100 truncated
    EXPECT_EQ(s.ByKind(0), 100);
    EXPECT_EQ(s.ByKind(1), 97);
    EXPECT_EQ(s.ByKind(2), 50);
    EXPECT_EQ(s.ByKind(3), 92);
    EXPECT_EQ(s.ByKind(4), 0);
}

TEST(ColumnStatistics, TwentySamplesGiveTheLargestForBoth) {
    std::vector<std::int32_t> samples = {5, 3, 9, 1, 7, 2, 8, 4, 6, 10, 11, 19, 13, 17, 12, 18, 14, 16, 15, 20};
    const ColumnStatistics s = ComputeColumnStatistics(samples);
    EXPECT_EQ(s.Percentile95, 20);
    EXPECT_EQ(s.Percentile90, 20);
    EXPECT_EQ(s.Maximum, 20);
}

TEST(ColumnStatistics, OneSampleIsAllFour) {
    std::vector<std::int32_t> samples = {-7};
    const ColumnStatistics s = ComputeColumnStatistics(samples);
    EXPECT_EQ(s.Maximum, -7);
    EXPECT_EQ(s.Percentile95, -7);
    EXPECT_EQ(s.Percentile90, -7);
    EXPECT_EQ(s.Mean, -7);
}

TEST(ColumnStatistics, SelectionMatchesAFullSort) {
    std::mt19937 random(11);
    for (int n : {1, 2, 3, 19, 20, 21, 99, 100, 101, 997, 4321}) {
        std::vector<std::int32_t> samples(static_cast<std::size_t>(n));
        for (auto& v : samples) v = static_cast<std::int32_t>(random() % 50) - 5;  // many equal values
        std::vector<std::int32_t> sorted = samples;
        std::sort(sorted.begin(), sorted.end());
        const ColumnStatistics s = ComputeColumnStatistics(samples);
        EXPECT_EQ(s.Maximum, sorted.back()) << n;
        EXPECT_EQ(s.Percentile95, sorted[static_cast<std::size_t>(PercentilePosition(n, 95))]) << n;
        EXPECT_EQ(s.Percentile90, sorted[static_cast<std::size_t>(PercentilePosition(n, 90))]) << n;
        const std::int64_t sum = std::accumulate(sorted.begin(), sorted.end(), std::int64_t{0});
        EXPECT_EQ(s.Mean, sum / n) << n;
    }
}

TEST(FileWindow, ConvertsSecondsToFrames) {
    const DateTime noon = at("2025-01-06 12:00:00");
    struct Case { const char* start; double seconds; int p; const char* wStart; const char* wEnd; int frame; int frames; };
    for (const Case c : {
             // Starts the day before: from noon to the file's end, offset 7200 s.
             Case{"2025-01-06 10:00:00", 14400, 1, "2025-01-06 12:00:00", "2025-01-06 14:00:00", 7201, 7190},
             Case{"2025-01-06 10:00:00", 14400, 20, "2025-01-06 12:00:00", "2025-01-06 14:00:00", 361, 359},
             // Inside the day; ends after the next noon.
             Case{"2025-01-06 22:00:00", 28800, 1, "2025-01-06 22:00:00", "2025-01-07 06:00:00", 1, 28790},
             Case{"2025-01-07 06:00:00", 36000, 20, "2025-01-07 06:00:00", "2025-01-07 12:00:00", 1, 1079},
             // Ten seconds or less: nothing to read.
             Case{"2025-01-06 11:00:00", 3610, 1, "2025-01-06 12:00:00", "2025-01-06 12:00:10", 3601, 0},
             Case{"2025-01-06 11:00:00", 3605, 1, "2025-01-06 12:00:00", "2025-01-06 12:00:05", 3601, 0},
             Case{"2025-01-06 11:00:00", 3611, 1, "2025-01-06 12:00:00", "2025-01-06 12:00:11", 3601, 1},
             Case{"2025-01-06 11:00:00", 3629, 20, "2025-01-06 12:00:00", "2025-01-06 12:00:29", 181, 0},
             // Ends before the day: an empty window.
             Case{"2025-01-05 20:00:00", 3600, 1, "2025-01-06 12:00:00", "2025-01-06 12:00:00", 57601, 0},
         }) {
        const FileWindow w = ComputeFileWindow(at(c.start), c.seconds, noon, c.p);
        EXPECT_EQ(w.Start.format(DateTimeForm::DateTimeText), c.wStart) << c.start;
        EXPECT_EQ(w.End.format(DateTimeForm::DateTimeText), c.wEnd) << c.start;
        EXPECT_EQ(w.StartFrame, c.frame) << c.start;
        EXPECT_EQ(w.MaxFrames, c.frames) << c.start;
    }
}

class ColumnCache : public test::PatientFixture {};

// Frame f holds f (pressure) and 1000 + f (leak): the statistics show which frames were read.
auto frameIndex = [](int f, int code) { return code == 16 ? f : 1000 + f; };

TEST_F(ColumnCache, SessionBeginningTheDayBeforeIsSplitByWindow) {
    addSession({"2025-01-07 10:00:00", 14400});
    writeLogFile("2025-01-07 10:00:00", 14400, 1, frameIndex);
    const CacheRefreshResult r = RefreshColumnCache(dm);
    EXPECT_EQ(r.Days, 2);
    EXPECT_EQ(r.Computed, 2);
    EXPECT_TRUE(presenter.boxes.empty());

    EXPECT_EQ(cacheRows("2025-01-06", 200), (std::vector<std::string>{"0=20250107100000.hidl"}));
    EXPECT_EQ(cacheRows("2025-01-06", 201), (std::vector<std::string>{"0=2025-01-07 10:00:00,2025-01-07 12:00:00"}));
    EXPECT_EQ(cacheRows("2025-01-07", 201), (std::vector<std::string>{"0=2025-01-07 12:00:00,2025-01-07 14:00:00"}));
    // Day before: frames 1 .. 7190; n = 7190, positions 6831 and 6472.
    EXPECT_EQ(cacheRows("2025-01-06", 16), (std::vector<std::string>{"0=7190", "1=6832", "2=3595", "3=6473"}));
    // The day itself: offset 7200 s, frames 7201 .. 14390.
    EXPECT_EQ(cacheRows("2025-01-07", 16), (std::vector<std::string>{"0=14390", "1=14032", "2=10795", "3=13673"}));
    EXPECT_EQ(cacheRows("2025-01-07", 17), (std::vector<std::string>{"0=15390", "1=15032", "2=11795", "3=14673"}));
}

TEST_F(ColumnCache, LogFramesOfTwentySecondsAreReadByFrame) {
    addSession({"2025-01-07 10:00:00", 14400});
    writeLogFile("2025-01-07 10:00:00", 720, 20, frameIndex);
    RefreshColumnCache(dm);
    // Day before: 2 h = 360 frames; frames 1 .. 359.
    EXPECT_EQ(cacheRows("2025-01-06", 16), (std::vector<std::string>{"0=359", "1=343", "2=180", "3=325"}));
    // The day: from frame 7200 div 20 + 1 = 361, (7200 - 10) div 20 = 359 frames: 361 .. 719.
    EXPECT_EQ(cacheRows("2025-01-07", 16), (std::vector<std::string>{"0=719", "1=703", "2=540", "3=685"}));
    EXPECT_EQ(cacheRows("2025-01-07", 201), (std::vector<std::string>{"0=2025-01-07 12:00:00,2025-01-07 14:00:00"}));
}

TEST_F(ColumnCache, ShortWindowAddsNoSamples) {
    // Ends five seconds after noon: the second day's window is 5 s long.
    addSession({"2025-01-07 11:00:00", 3605});
    writeLogFile("2025-01-07 11:00:00", 3605, 1, frameIndex);
    RefreshColumnCache(dm);
    EXPECT_EQ(cacheRows("2025-01-06", 16).size(), 4u);
    EXPECT_EQ(cacheRows("2025-01-07", 200), (std::vector<std::string>{"0=20250107110000.hidl"}));
    EXPECT_EQ(cacheRows("2025-01-07", 201), (std::vector<std::string>{"0=2025-01-07 12:00:00,2025-01-07 12:00:05"}));
    EXPECT_TRUE(cacheRows("2025-01-07", 16).empty());
    EXPECT_TRUE(cacheRows("2025-01-07", 17).empty());
}

TEST_F(ColumnCache, NewYearNight) {
    addSession({"2024-12-31 22:00:00", 28800});
    writeLogFile("2024-12-31 22:00:00", 28800, 1, [](int f, int) { return f % 1000; });
    const CacheRefreshResult r = RefreshColumnCache(dm);
    EXPECT_EQ(r.Days, 1);
    EXPECT_EQ(cacheRows("2024-12-31", 201), (std::vector<std::string>{"0=2024-12-31 22:00:00,2025-01-01 06:00:00"}));
    EXPECT_EQ(cacheRows("2024-12-31", 16).size(), 4u);
    EXPECT_EQ(cacheRows("2024-12-31", 16)[0], "0=999");
    EXPECT_TRUE(cacheRows("2025-01-01", 200).empty());
}

TEST_F(ColumnCache, WarmRefreshComputesNothingUntilAFileArrives) {
    addSession({"2025-01-06 22:00:00", 28800});
    writeLogFile("2025-01-06 22:00:00", 28800, 1, frameIndex);
    EXPECT_EQ(RefreshColumnCache(dm).Computed, 1);
    EXPECT_EQ(RefreshColumnCache(dm).Computed, 0);
    EXPECT_EQ(cacheRows("2025-01-06", 16).size(), 4u);

    // A second session on the same day: the day is computed again, with both files.
    addSession({"2025-01-07 07:00:00", 3600});
    writeLogFile("2025-01-07 07:00:00", 3600, 1, [](int, int) { return 50000; });
    EXPECT_EQ(RefreshColumnCache(dm).Computed, 1);
    EXPECT_EQ(cacheRows("2025-01-06", 200).size(), 2u);
    EXPECT_EQ(cacheRows("2025-01-06", 16)[0], "0=50000");
    EXPECT_EQ(cacheRows("2025-01-06", 16).size(), 4u);
    EXPECT_EQ(RefreshColumnCache(dm).Computed, 0);
}

TEST_F(ColumnCache, TruncatedFileAddsNothingAndTheRefreshGoesOn) {
    addSession({"2025-01-06 22:00:00", 28800});
    addSession({"2025-01-08 22:00:00", 28800});
    writeLogFile("2025-01-06 22:00:00", 28800, 1, frameIndex);
    writeLogFile("2025-01-08 22:00:00", 28800, 1, frameIndex);
    const std::string broken = logFileName("2025-01-06 22:00:00");
    std::filesystem::resize_file(broken, std::filesystem::file_size(broken) / 2);

    const CacheRefreshResult r = RefreshColumnCache(dm);
    EXPECT_EQ(r.Computed, 2);
    EXPECT_TRUE(cacheRows("2025-01-06", 16).empty());
    // Its rows still show the session's place in the day.
    EXPECT_EQ(cacheRows("2025-01-06", 201), (std::vector<std::string>{"0=2025-01-06 22:00:00,2025-01-07 06:00:00"}));
    EXPECT_EQ(cacheRows("2025-01-08", 16).size(), 4u);
    EXPECT_TRUE(presenter.boxes.empty());
}

TEST_F(ColumnCache, CorruptAndMissingFiles) {
    addSession({"2025-01-06 22:00:00", 28800});
    addSession({"2025-01-08 22:00:00", 28800});
    {
        std::ofstream garbage(logFileName("2025-01-06 22:00:00"), std::ios::binary);
        garbage << std::string(9000, '\xFF');
    }
    EXPECT_EQ(RefreshColumnCache(dm).Computed, 2);
    EXPECT_TRUE(cacheRows("2025-01-06", 16).empty());
    EXPECT_TRUE(cacheRows("2025-01-08", 16).empty());
    EXPECT_EQ(cacheRows("2025-01-08", 200), (std::vector<std::string>{"0=20250108220000.hidl"}));
    // Both days have their file rows, so they count as up to date.
    EXPECT_EQ(RefreshColumnCache(dm).Computed, 0);
}

TEST_F(ColumnCache, FileWithAForeignStartTimeIsNotRead) {
    for (const double start : {std::nan(""), 1e300, -5e9, 40000.0}) {
        exec("delete from tSession");
        exec("delete from tColumnData");
        addSession({"2025-01-06 22:00:00", 28800});
        writeLogFile("2025-01-06 22:00:00", 28800, 1, frameIndex);
        {
            std::fstream f(logFileName("2025-01-06 22:00:00"), std::ios::in | std::ios::out | std::ios::binary);
            f.seekp(24);
            f.write(reinterpret_cast<const char*>(&start), sizeof start);
        }
        EXPECT_EQ(RefreshColumnCache(dm).Computed, 1) << start;
        EXPECT_TRUE(cacheRows("2025-01-06", 16).empty()) << start;
        EXPECT_EQ(cacheRows("2025-01-06", 201),
                  (std::vector<std::string>{"0=2025-01-06 22:00:00,2025-01-07 06:00:00"}))
            << start;
    }
}

TEST_F(ColumnCache, DayWithoutSessionsIsLeftAlone) {
    EXPECT_EQ(RefreshColumnCache(dm).Days, 0);
    exec("insert into tColumnData (sDate, Code, CodePos, DataMode, [Values]) values ('2025-01-01',16,0,0,'5')");
    RefreshColumnCache(dm);
    EXPECT_EQ(cacheRows("2025-01-01", 16), (std::vector<std::string>{"0=5"}));
}

}  // namespace
}  // namespace somnexa::analysis
