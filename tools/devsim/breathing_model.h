#pragma once
// Breathing-like waveforms for a session's realtime data: 25 pressure and flow
// sample pairs per second and, at the end of every breath, its figures.
//
// Sample scales (12-bit device values):
//   pressure: hundredths of cmH2O (0..4095 = 0..40.95 cmH2O)
//   flow:     2048 + tenths of l/min (inspiration above 2048)
// Breath figures, one realtime event packet each at the breath's end:
//   type 5: inspiration time, expiration time (hundredths of a second)
//   type 6: tidal volume (ml), breath rate (tenths of breaths per minute)
//   type 7: minute ventilation (tenths of l/min), leak (tenths of l/min)

#include <cstdint>

#include "devsim/random_source.h"
#include "records/device_records.h"

namespace somnexa::devsim {

inline constexpr int kPairsPerSecond = 25;

struct SamplePair {
    std::uint32_t pressure = 0;
    std::uint32_t flow = 0;
};

struct BreathFigures {
    std::uint32_t values[3][2] = {};  // types 5, 6, 7; first and second value
};

class BreathingModel {
public:
    // settings: the session's log record (work mode and pressures).
    BreathingModel(const TLogData& settings, std::uint64_t seed);

    // The next sample pair; breathEnded is set when it closes a breath, and
    // figures then describe that breath.
    SamplePair next(bool& breathEnded, BreathFigures& figures);

private:
    void startBreath();
    double targetPressure(bool inspiring) const;

    TLogData settings_;
    RandomSource rnd_;
    std::int64_t sample_ = 0;  // pairs since the session start
    int breathSample_ = 0;     // pairs since the breath started
    int inspSamples_ = 0;
    int breathSamples_ = 0;
    double peakFlow_ = 0.0;    // l/min
    double expFlow_ = 0.0;
    double pressure_ = 0.0;    // cmH2O
    double leak_ = 0.0;        // l/min
    double volume_ = 0.0;      // ml inspired in the current breath
};

}  // namespace somnexa::devsim
