#include "devsim/flash_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "devsim_test_support.h"
#include "records/packets.h"

namespace somnexa::devsim {
namespace {

GeneratorOptions small(std::uint64_t seed) {
    GeneratorOptions o;
    o.nights = 4;
    o.seed = seed;
    o.maxSessionSeconds = 600;
    return o;
}

std::int64_t startSecond(const PlannedSession& s) { return toMilliseconds(s.start) / 1000; }

TEST(FlashGenerator, SameSeedSameFlashOtherSeedOtherFlash) {
    const GeneratedFlash a = generateFlash(small(11));
    const GeneratedFlash b = generateFlash(small(11));
    const GeneratedFlash c = generateFlash(small(12));
    EXPECT_TRUE(std::ranges::equal(a.flash.bytes(), b.flash.bytes()));
    EXPECT_FALSE(std::ranges::equal(a.flash.bytes(), c.flash.bytes()));
    ASSERT_EQ(a.sessions.size(), b.sessions.size());
    for (std::size_t i = 0; i < a.sessions.size(); ++i) {
        EXPECT_EQ(a.sessions[i].id, b.sessions[i].id);
        EXPECT_EQ(a.sessions[i].logRange.address, b.sessions[i].logRange.address);
        EXPECT_EQ(a.sessions[i].log.Events.size(), b.sessions[i].log.Events.size());
    }
}

TEST(SessionPlan, NightsOfEveryKind) {
    PlanOptions o;
    o.nights = 14;
    o.seed = 3;
    o.logStepSeconds = 20;
    const auto sessions = planSessions(o);
    ASSERT_GE(sessions.size(), 14u);
    bool shortOne = false, midnight = false, noon = false;
    std::set<int> modes, ids;
    for (std::size_t i = 0; i < sessions.size(); ++i) {
        const PlannedSession& s = sessions[i];
        const std::int64_t begin = startSecond(s);
        const std::int64_t end = begin + s.durationSeconds;
        shortOne |= s.durationSeconds < 600;
        midnight |= begin / 86400 != (end - 1) / 86400;
        const std::int64_t noonOfDay = begin / 86400 * 86400 + 43200;
        noon |= begin < noonOfDay && end > noonOfDay;
        modes.insert(s.log.WorkMode);
        ids.insert(s.id);
        EXPECT_EQ(s.durationSeconds % 20, 0) << i;
        EXPECT_GT(s.durationSeconds, 0) << i;
        EXPECT_LE(s.durationSeconds, 12 * 3600) << i;
        EXPECT_EQ(s.log.Times, s.durationSeconds);
        if (i > 0) {
            EXPECT_GT(begin, startSecond(sessions[i - 1]) + sessions[i - 1].durationSeconds) << i;
        }
        for (const TLogEvent& e : s.log.Events) {
            EXPECT_LE(e.Offset, s.durationSeconds);
            EXPECT_GE(e.Offset, e.TimeLen);
            EXPECT_LE(e.TimeLen, 127);
            EXPECT_LE(e.Value, 127);
        }
        // Settings travel as bytes.
        for (int v : {s.log.WorkMode, s.log.InspPress, s.log.ExpPress, s.log.MaxPress, s.log.StartPress, s.log.InspTime})
            EXPECT_TRUE(v >= 0 && v <= 255) << i;
    }
    EXPECT_TRUE(shortOne);
    EXPECT_TRUE(midnight);
    EXPECT_TRUE(noon);
    EXPECT_EQ(modes.size(), 5u);
    EXPECT_EQ(ids.size(), sessions.size());
}

TEST(SessionPlan, LogStepFollowsTheModelNumber) {
    EXPECT_EQ(logStepForProduct("Nimbra-C0110"), 20);
    EXPECT_EQ(logStepForProduct("Nimbra-C01"), 1);
    EXPECT_EQ(logStepForProduct("Nimbra-C0111"), 1);
    EXPECT_EQ(workModeName(2), std::string("S/T"));
}

// The ring of a region: written sectors, a run of erased ones, written ones.
struct RingShape {
    int runs = 0;           // runs of erased sectors
    bool firstWritten = false;
    bool lastWritten = false;
};

RingShape shapeOf(const FlashImage& flash, const FlashRegion& region) {
    RingShape s;
    bool previousErased = false;
    for (std::uint32_t i = 0; i < region.sectors(); ++i) {
        const bool erased = flash.sectorErased(region.sectorAddress(i));
        if (erased && !previousErased) ++s.runs;
        previousErased = erased;
    }
    s.firstWritten = !flash.sectorErased(region.start);
    s.lastWritten = !flash.sectorErased(region.end - kSectorBytes);
    return s;
}

TEST(FlashGenerator, RingsAreWrappedWithAnErasedGap) {
    const GeneratedFlash g = generateFlash(small(5));
    for (const FlashRegion* region : {&kRegionA, &kRegionB}) {
        const RingShape s = shapeOf(g.flash, *region);
        EXPECT_EQ(s.runs, 1);
        EXPECT_TRUE(s.firstWritten);
        EXPECT_TRUE(s.lastWritten);
    }
    // The newest session lies at the start of the region, the oldest before its end.
    const auto& newest = g.sessions.back();
    const auto& oldest = g.sessions.front();
    EXPECT_LT(newest.logRange.address, oldest.logRange.address);
    EXPECT_LT(newest.realtimeRange.address, oldest.realtimeRange.address);
    EXPECT_EQ(g.flash.product(), std::optional<std::string>("Nimbra-C0110"));
}

TEST(FlashGenerator, EverySectorHeaderCarriesSessionDateAndTime) {
    const GeneratedFlash g = generateFlash(small(9));
    std::set<int> ids;
    for (const auto& s : g.sessions) ids.insert(s.id);
    int sectors = 0;
    for (std::uint32_t i = 0; i < kRegionA.sectors(); ++i) {
        std::array<std::uint8_t, 64> h;
        g.flash.read(kRegionA.sectorAddress(i), h);
        if (h[0] == 0xFF) continue;
        ++sectors;
        ASSERT_TRUE(packets::validPacket(&h[0], 4));
        EXPECT_EQ(packets::typeA(&h[0]), packets::kASessionId);
        EXPECT_TRUE(ids.count(packets::number24A(&h[0])));
        EXPECT_EQ(packets::typeA(&h[4]), packets::kADate);
        EXPECT_EQ(packets::typeA(&h[8]), packets::kAClock);
    }
    EXPECT_GT(sectors, 0);
    for (std::uint32_t i = 0; i < kRegionB.sectors(); ++i) {
        std::array<std::uint8_t, 64> h;
        g.flash.read(kRegionB.sectorAddress(i), h);
        if (h[0] == 0xFF) continue;
        std::set<int> types;
        for (std::size_t pos = 0; pos + 5 <= 64; pos += 5)
            if (packets::validPacket(&h[pos], 5)) types.insert(packets::typeB(&h[pos]));
        for (int t : {18, 2, 3, 4, 12, 13, 14, 15, 20, 5}) EXPECT_TRUE(types.count(t)) << "type " << t;
    }
}

TEST(FlashGenerator, RealisticNightsOverwriteTheOldestRealtimeData) {
    GeneratorOptions o;
    o.nights = 3;
    o.seed = 2;
    const GeneratedFlash g = generateFlash(o);
    std::uint32_t realtimeBytes = 0;
    int overwritten = 0;
    for (const auto& s : g.sessions) {
        realtimeBytes += s.realtimeRange.size;
        overwritten += !s.realtimeRange.complete();
        EXPECT_TRUE(s.logRange.complete()) << "the log region holds weeks";
    }
    EXPECT_EQ(realtimeBytes, kRegionA.size() - 2 * kSectorBytes) << "full but for the erased gap";
    EXPECT_GT(overwritten, 0);
    EXPECT_TRUE(g.sessions.back().realtimeRange.complete());
    const RingShape s = shapeOf(g.flash, kRegionA);
    EXPECT_EQ(s.runs, 1);
}

}  // namespace
}  // namespace somnexa::devsim
