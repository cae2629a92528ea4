#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "image_builder.h"
#include "records/data_file.h"
#include "records/fixed_text.h"

namespace somnexa {
namespace {

using testing::TempDir;

std::vector<std::uint8_t> fileBytes(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::int32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24));
}

// Writes a file the way a decode does: channels, frames of the given values, events.
std::string writeFile(const TempDir& dir, const arTChannleInfo& channels, int frames, int kind = kRealtimeFileKind,
                      const arTRealTimeData& events = {}) {
    TDataFile f;
    f.SetChannels(channels);
    f.Header.FileKind = static_cast<std::uint8_t>(kind);
    f.Header.StartTime = 43769.5;
    setFixedText(f.PatientBlockData.Info.PatientID, "20191031001");
    setFixedText(f.PatientBlockData.Info.PatientName, "Li Ming");
    const std::string name = dir.file("20191031120000.hidr");
    EXPECT_EQ(f.CreateDataFile(name), 0);
    std::int32_t length = 0;
    for (const auto& c : channels) length += c.Rate;
    std::vector<std::int32_t> frame(static_cast<std::size_t>(length));
    for (int i = 0; i < frames; ++i) {
        for (std::int32_t k = 0; k < length; ++k) frame[static_cast<std::size_t>(k)] = i * 1000 + k;
        EXPECT_EQ(f.AppendFrame(name, frame), length * 4);
    }
    EXPECT_EQ(f.FinishRealtimeFile(name, events), 0);
    return name;
}

TEST(DataFile, RealtimeLayoutByteForByte) {
    TempDir dir;
    TRealTimeData rec;
    TRealTimeEvent e;
    e.Code = 5;
    e.CodePos = 1;
    e.Time = 43769.75;
    e.Value = 321;
    rec.Events = {e};
    const std::string name =
        writeFile(dir, {testing::channel("Pressure", 1, 0, 25), testing::channel("Flow", 1, 1, 25)}, 3600,
                  kRealtimeFileKind, {rec});
    const auto b = fileBytes(name);
    ASSERT_EQ(b.size(), 7168u + 720000u + 24u);
    EXPECT_EQ(b[0], 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[1])), "1.0.0.1");
    EXPECT_TRUE(std::all_of(b.begin() + 8, b.begin() + 24, [](auto v) { return v == 0; }));
    double start;
    std::memcpy(&start, &b[24], 8);
    EXPECT_EQ(start, 43769.5);
    EXPECT_EQ(le32(b, 32), 1024);
    EXPECT_EQ(le32(b, 36), 4096);
    EXPECT_EQ(le32(b, 40), 5120);
    EXPECT_EQ(le32(b, 44), 2048);
    EXPECT_EQ(le32(b, 48), 7168);
    EXPECT_EQ(le32(b, 52), 720000);
    EXPECT_EQ(le32(b, 56), 7168 + 720000);
    EXPECT_EQ(le32(b, 60), 24);
    EXPECT_TRUE(std::all_of(b.begin() + 64, b.begin() + 1024, [](auto v) { return v == 0; }));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[1024])), "20191031001");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[1044])), "Li Ming");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[5120])), "Pressure");
    EXPECT_EQ(b[5120 + 74], 1);       // Code
    EXPECT_EQ(b[6144 + 75], 1);       // CodePos of the second channel
    EXPECT_EQ(b[5120 + 84], 25);      // Rate
    EXPECT_EQ(le32(b, 7168), 0);      // frame 0, pressure sample 0
    EXPECT_EQ(le32(b, 7168 + 25 * 4), 25);  // frame 0, flow sample 0
    EXPECT_EQ(le32(b, 7168 + 200), 1000);   // frame 1 starts after L = 50 integers
    const std::size_t ev = 7168 + 720000;
    EXPECT_EQ(b[ev], 5);
    EXPECT_EQ(b[ev + 1], 1);
    EXPECT_EQ(le32(b, ev + 20), 321);
}

TEST(DataFile, ReadChannelPointsRepeatsSamplesAndAlignsToTheStart) {
    TempDir dir;
    const std::string name = writeFile(dir, {testing::channel("Pressure", 16, 0, 1, 20), testing::channel("Leak", 17, 0, 1, 20)}, 5);
    TDataFile f;
    arTPoint points;
    // Start 30: the frame of second 40 (frame 2) with 30 leading points before its 20.
    ASSERT_EQ(f.ReadChannelPoints(points, name, 16, 0, 100, 30, 1), 50);
    EXPECT_EQ(points.front(), (TPoint{100, 2000}));
    EXPECT_EQ(points[29], (TPoint{100, 2000}));
    EXPECT_EQ(points[30], (TPoint{100, 2000}));
    // Start 40: frame 2, no leading points.
    ASSERT_EQ(f.ReadChannelPoints(points, name, 16, 0, 100, 40, 0), 60);
    EXPECT_EQ(points[0], (TPoint{100, 2000}));
    EXPECT_EQ(points[20], (TPoint{101, 3000}));
    EXPECT_EQ(points[59], (TPoint{102, 4000}));
    // MaxFrames -1 reads to the end; the second channel has its own samples.
    ASSERT_EQ(f.ReadChannelPoints(points, name, 17, 0, 0, 0, -1), 100);
    EXPECT_EQ(points[0].y, 1);
    EXPECT_EQ(points[99], (TPoint{4, 4001}));
    EXPECT_EQ(f.TotalPoints(), 100);
    // A channel the file lacks, and a start past the end.
    EXPECT_EQ(f.ReadChannelPoints(points, name, 1, 0, 0, 0, -1), 0);
    EXPECT_EQ(f.ReadChannelPoints(points, name, 16, 0, 0, 1000, -1), 0);
    EXPECT_TRUE(points.empty());
}

TEST(DataFile, ChannelWithZeroPointsPerSampleIsReadAsOne) {
    TempDir dir;
    const std::string name = writeFile(dir, {testing::channel("Pressure", 16, 0, 2, 0)}, 3);
    TDataFile f;
    ASSERT_EQ(f.ReadHeader(name), 0);
    EXPECT_EQ(f.Channels()[0].PointsPerSample, 1);
    arTPoint points;
    EXPECT_EQ(f.ReadChannelPoints(points, name, 16, 0, 0, 0, -1), 6);
    EXPECT_EQ(f.TotalPoints(), 3);
}

TEST(DataFile, ReadChannelValuesFromAStartFrame) {
    TempDir dir;
    const std::string name = writeFile(dir, {testing::channel("A", 1, 0, 3), testing::channel("B", 1, 1, 2)}, 10);
    TDataFile f;
    arInteger v;
    ASSERT_EQ(f.ReadChannelValues(v, name, 1, 1, 0, 8, 0), 4);
    EXPECT_EQ(v, (arInteger{8003, 8004, 9003, 9004}));
    ASSERT_EQ(f.ReadChannelValues(v, name, 1, 0, 0, 2, 1), 3);
    EXPECT_EQ(v, (arInteger{2000, 2001, 2002}));
    EXPECT_EQ(f.ReadChannelValues(v, name, 1, 0, 0, 10, 0), 0);
}

TEST(DataFile, EventsOfAFileWithoutEvents) {
    TempDir dir;
    const std::string name = writeFile(dir, {testing::channel("A", 1, 0, 1)}, 2);
    TDataFile f;
    arTRealTimeEvent events(3);
    EXPECT_EQ(f.ReadRealtimeEvents(events, name), 0);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(f.ReadRealtimeEvents(events, dir.file("none.hidr")), kMissingFile);
}

TEST(DataFile, MissingFileCodes) {
    TempDir dir;
    TDataFile f;
    arTPoint p;
    arInteger v;
    EXPECT_EQ(f.ReadHeader(dir.file("x.hidl")), kMissingFile);
    EXPECT_EQ(f.ReadChannelPoints(p, dir.file("x.hidl"), 16, 0, 0, 0, -1), kMissingFile);
    EXPECT_EQ(f.ReadChannelValues(v, dir.file("x.hidl"), 16, 0, 0, 0, -1), kMissingFile);
    EXPECT_EQ(f.AppendFrame(dir.file("x.hidl"), v), kMissingFile);
    EXPECT_EQ(f.FinishLogFile(dir.file("x.hidl"), {}), kMissingFile);
}

// Truncated and corrupt files: an error and no points, never a read past the end.
TEST(DataFile, CorruptHeadersAreRejected) {
    TempDir dir;
    const std::string good = writeFile(dir, {testing::channel("A", 16, 0, 1, 20), testing::channel("B", 17, 0, 1, 20)}, 50);
    const auto bytes = fileBytes(good);
    struct Case {
        const char* name;
        std::size_t truncateTo;  // 0 = keep the size
        std::size_t at;
        std::int32_t value;
    };
    const Case cases[] = {
        {"empty file", 1, 0, 0},
        {"header only", 1024, 0, 0},
        {"cut inside the channel table", 6000, 0, 0},
        {"cut inside the frames", 7168 + 100, 0, 0},
        {"channel size not whole records", 0, 44, 1000},
        {"channel size past the end", 0, 44, 1024 * 200},
        {"negative channel size", 0, 44, -1024},
        {"huge channel count", 0, 44, 1024 * 100000},
        {"data size past the end", 0, 52, 1 << 30},
        {"negative data size", 0, 52, -8},
        {"data offset inside the channels", 0, 48, 5120},
        {"event size past the end", 0, 60, 1 << 20},
        {"negative event offset", 0, 56, -5},
    };
    for (const Case& c : cases) {
        auto b = bytes;
        if (c.truncateTo) b.resize(c.truncateTo - (c.truncateTo == 1 ? 1 : 0));
        if (!c.truncateTo) std::memcpy(&b[c.at], &c.value, 4);
        const std::string name = dir.file("bad.hidl");
        std::ofstream(name, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
        TDataFile f;
        arTPoint p{{1, 1}};
        arInteger v{1};
        arTLogEvent e(1);
        EXPECT_EQ(f.ReadHeader(name), kFailed) << c.name;
        EXPECT_EQ(f.ReadChannelPoints(p, name, 16, 0, 0, 0, -1), kUnreadable) << c.name;
        EXPECT_EQ(f.ReadChannelValues(v, name, 16, 0, 0, 0, -1), kUnreadable) << c.name;
        EXPECT_EQ(f.ReadLogEvents(e, name), kFailed) << c.name;
        EXPECT_TRUE(p.empty() && v.empty() && e.empty()) << c.name;
        EXPECT_EQ(f.TotalPoints(), 0) << c.name;
    }
}

TEST(DataFile, AbsurdPointsPerSampleIsNotAnAllocation) {
    TempDir dir;
    const std::string name = writeFile(dir, {testing::channel("A", 16, 0, 255, 65535)}, 20);
    TDataFile f;
    arTPoint p;
    EXPECT_EQ(f.ReadChannelPoints(p, name, 16, 0, 0, 0, -1), kUnreadable);
    EXPECT_TRUE(p.empty());
}

TEST(DataFile, UnfinishedFileNeverAppearsUnderItsName) {
    TempDir dir;
    const std::string name = dir.file("20191031120000.hidl");
    std::ofstream(name) << "the previous download";
    {
        TDataFile f;
        f.SetChannels({testing::channel("A", 16, 0, 1)});
        ASSERT_EQ(f.CreateDataFile(name), 0);
        std::int32_t frame[] = {7};
        ASSERT_EQ(f.AppendFrame(name, frame), 4);
        EXPECT_TRUE(std::filesystem::exists(name + ".part"));
        // Destroyed mid-write, as when a transfer fails or the program stops.
    }
    EXPECT_FALSE(std::filesystem::exists(name + ".part"));
    std::string kept;
    std::getline(std::ifstream(name), kept);
    EXPECT_EQ(kept, "the previous download");

    TDataFile f;
    f.SetChannels({testing::channel("A", 16, 0, 1)});
    ASSERT_EQ(f.CreateDataFile(name), 0);
    ASSERT_EQ(f.FinishLogFile(name, {}), 0);
    ASSERT_EQ(f.ReadHeader(name), 0);
    EXPECT_EQ(f.Header.DataSize, 0);
    EXPECT_EQ(f.Header.EventOffset, 6144);
}

TEST(DataFile, CreateFailsInAFolderThatDoesNotExist) {
    TDataFile f;
    EXPECT_EQ(f.CreateDataFile("/nonexistent-folder/x.hidr"), kFailed);
    std::int32_t frame[] = {1};
    EXPECT_EQ(f.AppendFrame("/nonexistent-folder/x.hidr", frame), kMissingFile);
}

}  // namespace
}  // namespace somnexa
