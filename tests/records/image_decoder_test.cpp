#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "image_builder.h"
#include "records/data_file.h"
#include "records/qv_func.h"

namespace somnexa {
namespace {

using namespace packets;
using testing::ImageBuilder;
using testing::TempDir;

std::vector<std::uint8_t> fileBytes(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A region A header image with written units 0..99, erased 100..299 and written
// 300..1050: the oldest data begin at unit 300.
TEST(RotateImage, RegionAHeaderImageStartsAtTheOldestSector) {
    TempDir dir;
    ImageBuilder img(kHeaderUnitSize);
    for (int i = 0; i < 1051; ++i) {
        if (i >= 100 && i < 300) {
            img.erasedUnit();
        } else {
            img.unit().a(encodeNumber24A(kASessionId, static_cast<std::uint32_t>(i + 1)));
        }
    }
    const std::string file = img.write(dir.file("a.img"));
    TDataFile decoder;
    arTRealTimeData records;
    ASSERT_EQ(decoder.DecodeRealtimeImage(file, kRealtimeHeaders, records), 851);
    EXPECT_EQ(records.front().Id, 301);
    EXPECT_EQ(records.front().Address, kRegionAStart + 300 * kSectorSize);
    EXPECT_EQ(records.front().Size, kSectorSize);
    // Unit 0 of the device's image is now at index 751 and wraps to the region start.
    EXPECT_EQ(records[751].Id, 1);
    EXPECT_EQ(records[751].Address, kRegionAStart);
    EXPECT_EQ(records.back().Id, 100);
    // The image file itself was rewritten oldest first.
    EXPECT_EQ(LittleEndianValue(std::span(fileBytes(file).data(), 4)), LittleEndianValue(std::span(img.bytes().data() + 300 * 64, 4)));
}

TEST(RotateImage, RotationOfOneWrapsTheLastUnitToTheRegionStart) {
    TempDir dir;
    ImageBuilder img(kHeaderUnitSize);
    // Unit 0 reads as erased (its first four bytes) yet carries a session number.
    img.unit().raw(0, {0xFF, 0xFF, 0xFF, 0xFF}).raw(4, {0x80 | (kASessionId << 3), 0, 0, 99});
    for (int i = 1; i < 1051; ++i) img.unit().a(encodeNumber24A(kASessionId, static_cast<std::uint32_t>(i)));
    const std::string file = img.write(dir.file("a.img"));
    EXPECT_EQ(RotateImage(file, kHeaderUnitSize), 1);
    // Decoding the already rotated file again: rotation 0, addresses follow the image.
    std::vector<std::uint8_t> bytes = img.bytes();
    ASSERT_EQ(RotateImageBytes(bytes, kHeaderUnitSize), 1);
    const std::string original = img.write(dir.file("b.img"));
    TDataFile decoder;
    arTRealTimeData records;
    ASSERT_EQ(decoder.DecodeRealtimeImage(original, kRealtimeHeaders, records), 1051);
    EXPECT_EQ(records.front().Address, kRegionAStart + kSectorSize);
    EXPECT_EQ(records.back().Id, 99);
    EXPECT_EQ(records.back().Address, kRegionAStart);
}

TEST(RotateImage, CasesWithoutAGapLeaveTheImageAlone) {
    struct Case {
        const char* name;
        std::vector<bool> erased;
        int expected;
    };
    const Case cases[] = {
        {"no erased unit", {false, false, false}, 0},
        {"erased tail only", {false, false, true, true}, 0},
        {"all erased", {true, true, true}, 0},
        {"erased head", {true, true, false, false}, 2},
        {"gap in the middle", {false, true, false, true, false}, 2},
    };
    for (const Case& c : cases) {
        ImageBuilder img(kHeaderUnitSize);
        for (bool e : c.erased) {
            if (e)
                img.erasedUnit();
            else
                img.unit().a(encodeNumber24A(kASessionId, 5));
        }
        std::vector<std::uint8_t> bytes = img.bytes();
        EXPECT_EQ(RotateImageBytes(bytes, kHeaderUnitSize), c.expected) << c.name;
        if (c.expected == 0) {
            EXPECT_EQ(bytes, img.bytes()) << c.name;
        }
    }
    EXPECT_EQ(RotateImage("/nonexistent/image", 64), -1);
}

TEST(DecodeLogImage, PacketsNeverStraddleA256BytePage) {
    TempDir dir;
    ImageBuilder img(kSectorSize);
    img.unit().headerB(3, 2019, 10, 31, 22, 15, 3);
    // A valid duration packet in the last full slot of the first page (250..254)
    // and an id packet at 256; a decoder stepping to 255 would read garbage.
    img.raw(250, {0x80 | (kBDuration << 2), 0x01, 0x02, 0, 0});
    const auto id = encodeValue24B(kBSessionId, 3);
    img.raw(256, {id.begin(), id.end()});
    img.raw(255, {0x80 | (kBDuration << 2)});  // would be a valid start at 255
    const auto moved = encodeValue24B(kBSettingsWork, 0x0A1B2C);
    img.raw(261, {moved.begin(), moved.end()});
    const std::string file = img.write(dir.file("b.img"));
    TDataFile decoder;
    arTLogData records;
    ASSERT_EQ(decoder.DecodeLogImage(file, kLogSession, records), 1);
    EXPECT_EQ(records[0].Times, 1 * 128 + 2);
    EXPECT_EQ(records[0].WorkPress, 0x0A);
    EXPECT_EQ(records[0].BPM, 0x1B);
    EXPECT_EQ(records[0].InspTime, 0x2C);
}

TEST(DecodeLogImage, HeaderUnitsHoldTwelvePackets) {
    TempDir dir;
    ImageBuilder img(kHeaderUnitSize);
    img.unit().headerB(9, 2020, 1, 2, 3, 4, 5);
    for (int i = 3; i < 11; ++i) img.b(encodeBytesB(0, 0, 0, 0, 0));  // type 0: ignored
    img.b(encodeTimedB(kBDuration, 3600, 0, 0));                       // slot 11 at offset 55
    const std::string file = img.write(dir.file("b.img"));
    TDataFile decoder;
    arTLogData records;
    ASSERT_EQ(decoder.DecodeLogImage(file, kLogHeaders, records), 1);
    EXPECT_EQ(records[0].Times, 3600);
    EXPECT_EQ(FormatDeviceTime(DateTimeForm::DateTimeText, records[0].Time), "2020-01-02 03:04:05");
    EXPECT_EQ(records[0].Address, kRegionBStart);
    EXPECT_FALSE(std::filesystem::exists(file)) << "a log decode removes its image";
}

TEST(DecodeLogImage, SettingsPacketsFillTheirFields) {
    TempDir dir;
    ImageBuilder img(kHeaderUnitSize);
    img.unit()
        .headerB(0x123456, 2019, 10, 31, 22, 15, 3)
        .b(encodeSettingsB(kBSettingsMode, 4, 1, 15))
        .b(encodeSettingsB(kBSettingsHeat, 3, 40, 120))
        .b(encodeSettingsB(kBSettingsLimits, 200, 40, 45))
        .b(encodeSettingsB(kBSettingsTrigger, 2, 3, 4))
        .b(encodeSettingsB(kBSettingsWork, 100, 12, 150))
        .b(encodeSettingsB(kBSettingsExtra, 50, 99, 6))
        .b(encodeTimedB(kBDuration, 28800, 0, 0));
    const std::string file = img.write(dir.file("b.img"));
    TDataFile decoder;
    arTLogData r;
    ASSERT_EQ(decoder.DecodeLogImage(file, kLogHeaders, r), 1);
    EXPECT_EQ(r[0].Id, 0x123456);
    const int expected[] = {4, 1, 15, 3, 40, 120, 200, 40, 45, 2, 3, 4, 100, 12, 150, 50, 6, 28800};
    const int actual[] = {r[0].WorkMode, r[0].AutoOnOff, r[0].DelayPress, r[0].HotLevel, r[0].ExpPress, r[0].InspPress,
                          r[0].MaxPress, r[0].MinPress, r[0].StartPress, r[0].EPR, r[0].ESens, r[0].ISens,
                          r[0].WorkPress, r[0].BPM, r[0].InspTime, r[0].StartPress1, r[0].ISlop, r[0].Times};
    for (std::size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(actual[i], expected[i]) << "field " << i;
    EXPECT_EQ(r[0].Time.Year, 19);
}

TEST(Merge, ConsecutiveSectorsOfOneSessionBecomeOneEntry) {
    TempDir dir;
    for (const bool log : {false, true}) {
        ImageBuilder img(kHeaderUnitSize);
        for (std::uint32_t id : {7u, 7u, 9u, 0u}) {
            img.unit();
            if (id == 0) continue;
            if (log) {
                img.headerB(id, 2019, 1, 1, 0, 0, 0);
            } else {
                img.headerA(id, 2019, 1, 1, 0, 0, 0);
            }
        }
        const std::string file = img.write(dir.file("h.img"));
        TDataFile decoder;
        if (log) {
            arTLogData r;
            ASSERT_EQ(decoder.DecodeLogImage(file, kLogHeaders, r), 2);
            EXPECT_EQ(r[0].Id, 9) << "the log index lists the newest session first";
            EXPECT_EQ(r[0].Size, 4096);
            EXPECT_EQ(r[1].Id, 7);
            EXPECT_EQ(r[1].Size, 8192);
            EXPECT_EQ(r[1].Address, kRegionBStart);
        } else {
            arTRealTimeData r;
            ASSERT_EQ(decoder.DecodeRealtimeImage(file, kRealtimeHeaders, r), 2);
            EXPECT_EQ(r[0].Id, 7);
            EXPECT_EQ(r[0].Size, 8192);
            EXPECT_EQ(r[1].Id, 9);
            EXPECT_EQ(r[1].Address, kRegionAStart + 2 * kSectorSize);
        }
    }
}

TEST(DecodeLogImage, LogSessionWritesFramesAndDuration) {
    TempDir dir;
    ImageBuilder img(kSectorSize);
    img.unit().headerB(42, 2019, 10, 31, 22, 15, 3);
    img.b(encodeTimedB(9, 600, 12, 3)).b(encodeTimedB(19, 900, 20, 0));
    int written = 0;
    for (int i = 0; i < 3000; ++i) {
        for (int code : {kBSamplePressure, kBSampleLeak}) {
            if (img.fullB()) img.unit().headerB(42, 2019, 10, 31, 22, 15, 3);
            img.b(encodeSampleB(code, static_cast<std::uint32_t>(i * 20), static_cast<std::uint32_t>(code == 16 ? 1000 + i % 7 : 200 + i % 5)));
            ++written;
        }
    }
    img.b(encodeTimedB(6, 59000, 1, 9));
    const std::string file = img.write(dir.file("s.img"));
    TDataFile decoder;
    decoder.OutputFolder = dir.folder();
    decoder.Header.FileKind = kLogFileKind;
    decoder.SetChannels({testing::channel("Pressure", 16, 0, 1, 20), testing::channel("Leak", 17, 0, 1, 20)});
    arTLogData r;
    ASSERT_EQ(decoder.DecodeLogImage(file, kLogSession, r), 1);
    EXPECT_EQ(decoder.LogFrames(), 2999);
    EXPECT_EQ(r[0].Times, 59980);
    EXPECT_EQ(r[0].DeviceData.size(), 6000u);
    ASSERT_EQ(r[0].Events.size(), 3u);
    EXPECT_EQ(r[0].Events[0].Code, 9);
    EXPECT_EQ(r[0].Events[0].Offset, 600);
    EXPECT_EQ(r[0].Events[0].TimeLen, 12);
    EXPECT_EQ(r[0].Events[0].Value, 3);
    EXPECT_EQ(r[0].Events[2].Code, 6);

    const std::string data = dir.file("20191031221503.hidl");
    ASSERT_TRUE(std::filesystem::exists(data));
    EXPECT_FALSE(std::filesystem::exists(data + ".part"));
    TDataFile reader;
    arInteger values;
    ASSERT_EQ(reader.ReadChannelValues(values, data, 16, 0, 0, 0, -1), 2999);
    EXPECT_EQ(values[0], 1000);
    EXPECT_EQ(values[8], 1001);
    EXPECT_EQ(reader.TotalPoints(), 2999 * 20);
    arTLogEvent events;
    ASSERT_EQ(reader.ReadLogEvents(events, data), 3);
    EXPECT_EQ(events[1].Code, 19);
    EXPECT_EQ(events[1].Offset, 900);
}

TEST(DecodeRealtimeImage, FramesAndEventTiming) {
    TempDir dir;
    ImageBuilder img(kSectorSize);
    img.unit().headerA(77, 2019, 10, 31, 23, 59, 59);
    for (int i = 0; i < 60; ++i) {
        if (i == 30) img.a(encodeValuesA(6, 480, 1234));  // after 30 pairs: 1 s + 5 x 40 ms
        img.a(encodeValuesA(kASamplePair, static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(4095 - i)));
    }
    img.unit().headerA(77, 2019, 10, 31, 23, 59, 59);  // second sector of the session
    const std::string file = img.write(dir.file("r.img"));
    TDataFile decoder;
    decoder.OutputFolder = dir.folder();
    decoder.Header.FileKind = kRealtimeFileKind;
    decoder.SetChannels({testing::channel("Pressure", 1, 0, 25), testing::channel("Flow", 1, 1, 25)});
    arTRealTimeData r;
    ASSERT_EQ(decoder.DecodeRealtimeImage(file, kRealtimeSession, r), 1);
    EXPECT_EQ(decoder.RealtimeSeconds(), 2);
    EXPECT_EQ(r[0].Size, 8192);
    EXPECT_TRUE(std::filesystem::exists(file)) << "realtime images stay for the start-up clean-up";
    EXPECT_TRUE(decoder.OutputFileName().empty());

    const std::string data = dir.file("20191031235959.hidr");
    ASSERT_EQ(decoder.LastWrittenFile(), data);
    TDataFile reader;
    arTRealTimeEvent events;
    ASSERT_EQ(reader.ReadRealtimeEvents(events, data), 2);
    EXPECT_EQ(events[0].Code, 6);
    EXPECT_EQ(events[0].CodePos, 1);
    EXPECT_EQ(events[0].Value, 480);
    EXPECT_EQ(events[1].CodePos, 2);
    EXPECT_EQ(events[1].Value, 1234);
    EXPECT_EQ(DateTime(events[0].Time).format(DateTimeForm::DateTimeText), "2019-11-01 00:00:00");
    EXPECT_EQ(toMilliseconds(DateTime(events[0].Time)) -
                  toMilliseconds(*DateTime::fromCalendar(2019, 10, 31, 23, 59, 59)),
              1200);
    arInteger flow;
    ASSERT_EQ(reader.ReadChannelValues(flow, data, 1, 1, 0, 1, 0), 25);
    EXPECT_EQ(flow[0], 4095 - 25);
    EXPECT_EQ(reader.FrameLength(), 50);
}

TEST(DecodeRealtimeImage, NoSamplePairsWritesNoFile) {
    TempDir dir;
    ImageBuilder img(kSectorSize);
    img.unit().headerA(5, 2019, 10, 31, 22, 0, 0).a(encodeValuesA(5, 1, 2));
    const std::string file = img.write(dir.file("r.img"));
    TDataFile decoder;
    decoder.OutputFolder = dir.folder();
    decoder.SetChannels({testing::channel("Pressure", 1, 0, 25), testing::channel("Flow", 1, 1, 25)});
    arTRealTimeData r;
    ASSERT_EQ(decoder.DecodeRealtimeImage(file, kRealtimeSession, r), 1);
    EXPECT_EQ(r[0].Events.size(), 2u);
    EXPECT_TRUE(decoder.LastWrittenFile().empty());
    std::size_t files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) files += e.path().extension() != ".img";
    EXPECT_EQ(files, 0u);
}

TEST(DecodeImage, InvalidStartTimeIsAnErrorAndKeepsEverything) {
    TempDir dir;
    struct Case {
        const char* name;
        bool log;
    };
    for (const Case c : {Case{"realtime", false}, Case{"log", true}}) {
        ImageBuilder img(kSectorSize);
        if (c.log)
            img.unit().b(encodeValue24B(kBSessionId, 1)).b(encodeSampleB(16, 0, 100)).b(encodeSampleB(16, 1, 100));
        else
            img.unit().a(encodeNumber24A(kASessionId, 1)).a(encodeValuesA(1, 1, 2));
        const std::string file = img.write(dir.file("x.img"));
        TDataFile decoder;
        decoder.OutputFolder = dir.folder();
        decoder.SetChannels({testing::channel("P", c.log ? 16 : 1, 0, 1), testing::channel("F", 1, 1, 1)});
        arTLogData logRecords(3);
        arTRealTimeData realtimeRecords(3);
        const int result = c.log ? decoder.DecodeLogImage(file, kLogSession, logRecords)
                                 : decoder.DecodeRealtimeImage(file, kRealtimeSession, realtimeRecords);
        EXPECT_EQ(result, kInvalidTime) << c.name;
        EXPECT_EQ(logRecords.size(), 3u);
        EXPECT_EQ(realtimeRecords.size(), 3u);
        EXPECT_TRUE(std::filesystem::exists(file)) << c.name;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << c.name;
    }
}

TEST(DecodeImage, ResultCodes) {
    TempDir dir;
    TDataFile decoder;
    arTRealTimeData r(1);
    arTLogData l(1);
    EXPECT_EQ(decoder.DecodeRealtimeImage(dir.file("missing"), kRealtimeHeaders, r), kMissingFile);
    EXPECT_EQ(decoder.DecodeLogImage(dir.file("missing"), kLogSession, l), kMissingFile);
    const std::string file = ImageBuilder(64).unit().write(dir.file("x.img"));
    EXPECT_EQ(decoder.DecodeRealtimeImage(file, kLogHeaders, r), kFailed);
    EXPECT_EQ(decoder.DecodeLogImage(file, kRealtimeSession, l), kFailed);
    EXPECT_EQ(decoder.DecodeRealtimeImage(dir.path().string(), kRealtimeHeaders, r), kMissingFile);
    EXPECT_EQ(r.size(), 1u);
    EXPECT_EQ(l.size(), 1u);
    // An empty image decodes to no sessions; a sector without a session number is dropped.
    EXPECT_EQ(decoder.DecodeRealtimeImage(ImageBuilder(64).write(dir.file("e.img")), kRealtimeHeaders, r), 0);
    EXPECT_EQ(decoder.DecodeRealtimeImage(file, kRealtimeHeaders, r), 0);
}

TEST(DecodeImage, InvalidPacketsAreSkippedWithoutResynchronising) {
    TempDir dir;
    ImageBuilder img(kHeaderUnitSize);
    img.unit();
    // An id packet whose third byte has its top bit set, then one shifted by a
    // byte (never read: the decoder moves on in packet steps), then a good one.
    img.raw(0, {0x80 | (kASessionId << 3), 0, 0x81, 1});
    img.raw(5, {0x80 | (kASessionId << 3), 0, 0, 2});
    img.raw(12, {0x80 | (kASessionId << 3), 0, 0, 3});
    const std::string file = img.write(dir.file("a.img"));
    TDataFile decoder;
    arTRealTimeData r;
    ASSERT_EQ(decoder.DecodeRealtimeImage(file, kRealtimeHeaders, r), 1);
    EXPECT_EQ(r[0].Id, 3);
}

TEST(DecodeImage, SamplesForMissingOrEmptyChannelsAreDropped) {
    TempDir dir;
    ImageBuilder img(kSectorSize);
    img.unit().headerA(1, 2020, 5, 5, 5, 5, 5);
    for (int i = 0; i < 100; ++i) img.a(encodeValuesA(1, 10, 20));
    const std::string file = img.write(dir.file("r.img"));
    for (const arTChannleInfo& channels :
         {arTChannleInfo{}, arTChannleInfo{testing::channel("P", 1, 0, 0), testing::channel("F", 1, 1, 25)},
          arTChannleInfo{testing::channel("P", 1, 0, 25), testing::channel("F", 1, 1, 5)},
          arTChannleInfo{testing::channel("P", 1, 0, 25)}}) {
        img.write(file);
        TDataFile decoder;
        decoder.OutputFolder = dir.folder();
        decoder.SetChannels(channels);
        arTRealTimeData r;
        EXPECT_EQ(decoder.DecodeRealtimeImage(file, kRealtimeSession, r), 1);
    }
}

}  // namespace
}  // namespace somnexa
