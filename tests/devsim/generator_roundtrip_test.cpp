// What the generator writes, the decoder must read back: the session indexes of
// both regions from their header images, and a session's settings, events,
// samples and duration from its data image.

#include <gtest/gtest.h>

#include <filesystem>

#include "devsim/flash_generator.h"
#include "devsim_test_support.h"
#include "records/channel_info.h"
#include "records/data_file.h"
#include "records/fixed_text.h"

namespace somnexa::devsim {
namespace {

bool sameTime(const TDeviceTime& a, const TDeviceTime& b) {
    return a.Year == b.Year && a.Month == b.Month && a.Day == b.Day && a.Hour == b.Hour && a.Minute == b.Minute &&
           a.Second == b.Second;
}

TChannleInfo channel(const char* name, int code, int codePos, int rate, int pointsPerSample) {
    return MakeChannelInfo(name, code, codePos, rate, pointsPerSample);
}

class GeneratorRoundTrip : public ::testing::TestWithParam<std::string> {
protected:
    static GeneratedFlash make(const std::string& product) {
        GeneratorOptions o;
        o.nights = 5;
        o.seed = 21;
        o.maxSessionSeconds = 900;
        o.product = product;
        return generateFlash(o);
    }
    testing::TempDir dir_;
};

TEST_P(GeneratorRoundTrip, LogHeaderImageGivesTheSessions) {
    const GeneratedFlash g = make(GetParam());
    const std::string image = testing::writeFile(dir_.file("b.img"), testing::headerImage(g.flash, kRegionB));
    TDataFile decoder;
    arTLogData index;
    ASSERT_EQ(decoder.DecodeLogImage(image, kLogHeaders, index), static_cast<int>(g.sessions.size()));
    // Newest first.
    for (std::size_t i = 0; i < index.size(); ++i) {
        const GeneratedSession& s = g.sessions[g.sessions.size() - 1 - i];
        const TLogData& r = index[i];
        SCOPED_TRACE(s.id);
        EXPECT_EQ(r.Id, s.id);
        EXPECT_TRUE(sameTime(r.Time, s.log.Time));
        EXPECT_EQ(static_cast<std::uint32_t>(r.Address), s.logRange.address);
        EXPECT_EQ(static_cast<std::uint32_t>(r.Size), s.logRange.size);
        EXPECT_EQ(r.Times, s.durationSeconds);
        EXPECT_EQ(r.WorkMode, s.log.WorkMode);
        EXPECT_EQ(r.AutoOnOff, s.log.AutoOnOff);
        EXPECT_EQ(r.DelayPress, s.log.DelayPress);
        EXPECT_EQ(r.HotLevel, s.log.HotLevel);
        EXPECT_EQ(r.ExpPress, s.log.ExpPress);
        EXPECT_EQ(r.InspPress, s.log.InspPress);
        EXPECT_EQ(r.MaxPress, s.log.MaxPress);
        EXPECT_EQ(r.MinPress, s.log.MinPress);
        EXPECT_EQ(r.StartPress, s.log.StartPress);
        EXPECT_EQ(r.EPR, s.log.EPR);
        EXPECT_EQ(r.ESens, s.log.ESens);
        EXPECT_EQ(r.ISens, s.log.ISens);
        EXPECT_EQ(r.WorkPress, s.log.WorkPress);
        EXPECT_EQ(r.BPM, s.log.BPM);
        EXPECT_EQ(r.InspTime, s.log.InspTime);
        EXPECT_EQ(r.StartPress1, s.log.StartPress1);
        EXPECT_EQ(r.ISlop, s.log.ISlop);
    }
}

TEST_P(GeneratorRoundTrip, RealtimeHeaderImageGivesTheSessions) {
    const GeneratedFlash g = make(GetParam());
    const std::string image = testing::writeFile(dir_.file("a.img"), testing::headerImage(g.flash, kRegionA));
    TDataFile decoder;
    arTRealTimeData index;
    ASSERT_EQ(decoder.DecodeRealtimeImage(image, kRealtimeHeaders, index), static_cast<int>(g.sessions.size()));
    for (std::size_t i = 0; i < index.size(); ++i) {  // oldest first
        const GeneratedSession& s = g.sessions[i];
        SCOPED_TRACE(s.id);
        EXPECT_EQ(index[i].Id, s.id);
        EXPECT_TRUE(sameTime(index[i].Time, s.realtimeRange.time));
        EXPECT_TRUE(sameTime(index[i].Time, toDeviceTime(s.start, false)));
        EXPECT_EQ(static_cast<std::uint32_t>(index[i].Address), s.realtimeRange.address);
        EXPECT_EQ(static_cast<std::uint32_t>(index[i].Size), s.realtimeRange.size);
    }
}

TEST_P(GeneratorRoundTrip, LogDataImageGivesSettingsEventsSamplesAndDuration) {
    const GeneratedFlash g = make(GetParam());
    const int step = g.logStepSeconds;
    // Every session, including the one that runs past the region's end.
    for (const GeneratedSession& s : g.sessions) {
        SCOPED_TRACE(s.id);
        ASSERT_TRUE(s.logRange.complete());
        const std::string image = testing::writeFile(
            dir_.file(std::to_string(s.id) + ".img"), testing::rangeImage(g.flash, kRegionB, s.logRange.address, s.logRange.size));
        TDataFile decoder;
        decoder.OutputFolder = dir_.folder();
        decoder.Header.FileKind = kLogFileKind;
        decoder.SetChannels({channel("Pressure", 16, 0, 1, step), channel("Leak", 17, 0, 1, step)});
        arTLogData r;
        ASSERT_EQ(decoder.DecodeLogImage(image, kLogSession, r), 1);
        EXPECT_EQ(r[0].Id, s.id);
        EXPECT_EQ(r[0].Times, s.durationSeconds);
        EXPECT_EQ(r[0].WorkMode, s.log.WorkMode);
        EXPECT_EQ(r[0].InspPress, s.log.InspPress);
        EXPECT_EQ(r[0].DeviceData.size(), 2u * static_cast<std::size_t>(s.durationSeconds / step + 1));
        ASSERT_EQ(r[0].Events.size(), s.log.Events.size());
        for (std::size_t k = 0; k < r[0].Events.size(); ++k) {
            EXPECT_EQ(r[0].Events[k].Code, s.log.Events[k].Code);
            EXPECT_EQ(r[0].Events[k].Offset, s.log.Events[k].Offset);
            EXPECT_EQ(r[0].Events[k].TimeLen, s.log.Events[k].TimeLen);
            EXPECT_EQ(r[0].Events[k].Value, s.log.Events[k].Value);
        }
        const std::string file = dir_.folder() + *FormatDeviceTime(DateTimeForm::FileStamp, s.log.Time) + ".hidl";
        EXPECT_TRUE(std::filesystem::exists(file));
    }
}

TEST_P(GeneratorRoundTrip, RealtimeDataImageGivesWaveformsAndBreathEvents) {
    const GeneratedFlash g = make(GetParam());
    bool wrapped = false;
    for (const GeneratedSession& s : g.sessions) {
        SCOPED_TRACE(s.id);
        ASSERT_TRUE(s.realtimeRange.complete());
        wrapped |= s.realtimeRange.address + s.realtimeRange.size > kRegionA.end;
        const std::string image = testing::writeFile(
            dir_.file(std::to_string(s.id) + ".img"),
            testing::rangeImage(g.flash, kRegionA, s.realtimeRange.address, s.realtimeRange.size));
        TDataFile decoder;
        decoder.OutputFolder = dir_.folder();
        decoder.Header.FileKind = kRealtimeFileKind;
        decoder.SetChannels({channel("Pressure", 1, 0, 25, 1), channel("Flow", 1, 1, 25, 1)});
        arTRealTimeData r;
        ASSERT_EQ(decoder.DecodeRealtimeImage(image, kRealtimeSession, r), 1);
        EXPECT_EQ(r[0].Id, s.id);
        EXPECT_EQ(decoder.RealtimeSeconds(), s.durationSeconds - 1) << "the last frame is never complete";
        const std::string file = dir_.folder() + *FormatDeviceTime(DateTimeForm::FileStamp, s.realtimeRange.time) + ".hidr";
        ASSERT_TRUE(std::filesystem::exists(file));
        TDataFile reader;
        arTRealTimeEvent stored;
        ASSERT_EQ(reader.ReadRealtimeEvents(stored, file), 6 * s.breaths);
        ASSERT_FALSE(stored.empty());
        const double start = DeviceTimeToDateTime(s.realtimeRange.time)->days();
        EXPECT_GE(stored.front().Time, start);
        EXPECT_LE(stored.back().Time, start + s.durationSeconds / 86400.0 + 1e-6);
        arInteger pressure;
        ASSERT_EQ(reader.ReadChannelValues(pressure, file, 1, 0, 0, 0, -1), 25 * (s.durationSeconds - 1));
        const auto [lo, hi] = std::minmax_element(pressure.begin(), pressure.end());
        EXPECT_GT(*lo, 200) << "above 2 cmH2O";
        EXPECT_LT(*hi, 3000) << "below 30 cmH2O";
    }
    EXPECT_TRUE(wrapped) << "one realtime session runs past the end of its region";
}

INSTANTIATE_TEST_SUITE_P(Models, GeneratorRoundTrip, ::testing::Values("Nimbra-C0110", "Nimbra-C01"));

}  // namespace
}  // namespace somnexa::devsim
