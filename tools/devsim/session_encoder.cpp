#include "devsim/session_encoder.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "devsim/breathing_model.h"
#include "devsim/random_source.h"
#include "records/packets.h"

namespace somnexa::devsim {

namespace {

using packets::PacketA;
using packets::PacketB;

constexpr int kSlotsA = 4096 / 4;

DateTime secondsAfter(DateTime start, std::int64_t seconds) {
    return fromMilliseconds(toMilliseconds(start) + seconds * 1000);
}

Sector erasedSector() {
    Sector s;
    s.fill(0xFF);
    return s;
}

// ---- region A ---------------------------------------------------------------

class RealtimeWriter {
public:
    RealtimeWriter(const PlannedSession& session, EncodedSession& out) : session_(session), out_(out) {}

    // One second of packets; a second never straddles two sectors, so every
    // sector's time is the exact moment of its first sample pair.
    void addSecond(std::int64_t second, std::span<const PacketA> packets) {
        if (slot_ + static_cast<int>(packets.size()) > kSlotsA) beginSector(second);
        for (const PacketA& p : packets) put(p);
    }

private:
    void beginSector(std::int64_t second) {
        out_.sectors.push_back(erasedSector());
        slot_ = 0;
        const TDeviceTime t = toDeviceTime(secondsAfter(session_.start, second), false);
        out_.sectorTimes.push_back(t);
        put(packets::encodeNumber24A(packets::kASessionId, static_cast<std::uint32_t>(session_.id)));
        put(packets::encodeBytesA(packets::kADate, static_cast<std::uint8_t>(t.Year - 2000), t.Month, t.Day));
        put(packets::encodeBytesA(packets::kAClock, t.Hour, t.Minute, t.Second));
        put(packets::encodeNumber24A(packets::kAUnusedNumber, sequence_++));
    }
    void put(const PacketA& p) {
        std::copy(p.begin(), p.end(), out_.sectors.back().begin() + slot_ * 4);
        ++slot_;
    }

    const PlannedSession& session_;
    EncodedSession& out_;
    int slot_ = kSlotsA;  // no sector open yet
    std::uint32_t sequence_ = 0;
};

// ---- region B ---------------------------------------------------------------

// Packet positions of a region B sector after its 12 header packets.
const std::vector<std::size_t>& bodyPositionsB() {
    static const std::vector<std::size_t> positions = [] {
        std::vector<std::size_t> p;
        for (std::size_t pos = 60; pos + packets::kRegionBPacketSize <= 4096; pos = packets::nextPositionB(pos))
            p.push_back(pos);
        return p;
    }();
    return positions;
}

class LogWriter {
public:
    LogWriter(const PlannedSession& session, EncodedSession& out) : session_(session), out_(out) {}

    void put(const PacketB& p) {
        const auto& positions = bodyPositionsB();
        if (out_.sectors.empty() || next_ >= positions.size()) beginSector();
        std::copy(p.begin(), p.end(), out_.sectors.back().begin() + positions[next_]);
        ++next_;
    }

    // A session without any body packet still occupies one sector.
    void finish() {
        if (out_.sectors.empty()) beginSector();
    }

private:
    void beginSector() {
        out_.sectors.push_back(erasedSector());
        next_ = 0;
        const TLogData& l = session_.log;
        out_.sectorTimes.push_back(l.Time);
        auto b = [](std::int32_t v) { return static_cast<std::uint8_t>(v); };
        const PacketB header[] = {
            packets::encodeValue24B(packets::kBSessionId, static_cast<std::uint32_t>(l.Id)),
            packets::encodeBytesB(packets::kBDate, 0, b(l.Time.Year), l.Time.Month, l.Time.Day),
            packets::encodeBytesB(packets::kBClock, 0, l.Time.Hour, l.Time.Minute, l.Time.Second),
            packets::encodeSettingsB(packets::kBSettingsMode, b(l.WorkMode), b(l.AutoOnOff), b(l.DelayPress)),
            packets::encodeSettingsB(packets::kBSettingsHeat, b(l.HotLevel), b(l.ExpPress), b(l.InspPress)),
            packets::encodeSettingsB(packets::kBSettingsLimits, b(l.MaxPress), b(l.MinPress), b(l.StartPress)),
            packets::encodeSettingsB(packets::kBSettingsTrigger, b(l.EPR), b(l.ESens), b(l.ISens)),
            packets::encodeSettingsB(packets::kBSettingsWork, b(l.WorkPress), b(l.BPM), b(l.InspTime)),
            packets::encodeSettingsB(packets::kBSettingsExtra, b(l.StartPress1), 0, b(l.ISlop)),
            packets::encodeTimedB(packets::kBDuration, static_cast<std::uint32_t>(session_.durationSeconds), 0, 0),
            packets::encodeValue24B(packets::kBUnusedNumber, sequence_++),
        };
        std::size_t pos = 0;
        for (const PacketB& p : header) {
            std::copy(p.begin(), p.end(), out_.sectors.back().begin() + pos);
            pos += packets::kRegionBPacketSize;
        }
    }

    const PlannedSession& session_;
    EncodedSession& out_;
    std::size_t next_ = 0;
    std::uint32_t sequence_ = 0;
};

// Slow log channels: mask pressure (hundredths of cmH2O) and leak (tenths of l/min).
class LogChannels {
public:
    LogChannels(const TLogData& l, std::uint64_t seed) : l_(l), rnd_(seed, 3) { leak_ = rnd_.real(4.0, 20.0); }

    std::uint32_t pressure(int t, int recentEvents) {
        double p = 0.0;
        switch (l_.WorkMode) {
        case 0: p = l_.StartPress / 10.0; break;
        case 4:
            autoLevel_ = std::clamp(autoLevel_ + 0.3 * recentEvents - 0.002, 0.0, 1.0);
            p = (l_.MinPress + (l_.MaxPress - l_.MinPress) * autoLevel_) / 10.0;
            break;
        default: p = (l_.ExpPress + 0.4 * (l_.InspPress - l_.ExpPress)) / 10.0; break;
        }
        const double ramp = l_.DelayPress * 60.0;
        if (ramp > 0 && t < ramp) p = l_.StartPress1 / 10.0 + (p - l_.StartPress1 / 10.0) * (t / ramp);
        return static_cast<std::uint32_t>(std::clamp(std::lround((p + rnd_.real(-0.1, 0.1)) * 100.0), 0L, 4095L));
    }

    std::uint32_t leak() {
        leak_ = std::clamp(leak_ + rnd_.real(-1.5, 1.5), 0.0, 60.0);
        double value = leak_;
        if (rnd_.chance(0.01)) value += rnd_.real(10.0, 40.0);  // a mouth leak
        return static_cast<std::uint32_t>(std::clamp(std::lround(value * 10.0), 0L, 4095L));
    }

private:
    const TLogData& l_;
    RandomSource rnd_;
    double leak_ = 0.0;
    double autoLevel_ = 0.3;
};

}  // namespace

EncodedSession encodeRealtimeSession(const PlannedSession& session, std::uint64_t seed) {
    EncodedSession out;
    RealtimeWriter writer(session, out);
    BreathingModel model(session.log, seed * 1000003ull + static_cast<std::uint64_t>(session.id));
    std::vector<PacketA> second;
    second.reserve(64);
    for (std::int64_t s = 0; s < session.durationSeconds; ++s) {
        second.clear();
        for (int i = 0; i < kPairsPerSecond; ++i) {
            bool ended = false;
            BreathFigures figures;
            const SamplePair pair = model.next(ended, figures);
            second.push_back(packets::encodeValuesA(packets::kASamplePair, pair.pressure, pair.flow));
            if (!ended) continue;
            ++out.breaths;
            for (int k = 0; k < 3; ++k)
                second.push_back(packets::encodeValuesA(packets::kAEventFirst + k, figures.values[k][0],
                                                        figures.values[k][1]));
        }
        writer.addSecond(s, second);
    }
    return out;
}

EncodedSession encodeLogSession(const PlannedSession& session, int logStepSeconds, std::uint64_t seed) {
    EncodedSession out;
    LogWriter writer(session, out);
    LogChannels channels(session.log, seed * 1000003ull + static_cast<std::uint64_t>(session.id));
    const auto& events = session.log.Events;
    const int step = std::max(1, logStepSeconds);
    std::size_t e = 0;
    for (int t = 0; t <= session.durationSeconds; t += step) {
        int recent = 0;
        for (; e < events.size() && events[e].Offset < t; ++e) {
            const TLogEvent& ev = events[e];
            writer.put(packets::encodeTimedB(ev.Code, static_cast<std::uint32_t>(ev.Offset), ev.TimeLen, ev.Value));
            if (ev.Code == 9 || ev.Code == 19) ++recent;
        }
        writer.put(packets::encodeSampleB(packets::kBSamplePressure, static_cast<std::uint32_t>(t),
                                          channels.pressure(t, recent)));
        writer.put(packets::encodeSampleB(packets::kBSampleLeak, static_cast<std::uint32_t>(t), channels.leak()));
    }
    for (; e < events.size(); ++e) {
        const TLogEvent& ev = events[e];
        writer.put(packets::encodeTimedB(ev.Code, static_cast<std::uint32_t>(ev.Offset), ev.TimeLen, ev.Value));
    }
    writer.finish();
    return out;
}

}  // namespace somnexa::devsim
