#include "devsim/breathing_model.h"

#include <algorithm>
#include <cmath>

namespace somnexa::devsim {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kSampleSeconds = 1.0 / kPairsPerSecond;

std::uint32_t clamp12(double v) { return static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 4095L)); }

}  // namespace

BreathingModel::BreathingModel(const TLogData& settings, std::uint64_t seed) : settings_(settings), rnd_(seed, 7) {
    pressure_ = settings_.StartPress1 / 10.0;
    leak_ = rnd_.real(3.0, 12.0);
    startBreath();
}

double BreathingModel::targetPressure(bool inspiring) const {
    const double seconds = static_cast<double>(sample_) * kSampleSeconds;
    double low = 0.0;
    double high = 0.0;
    switch (settings_.WorkMode) {
    case 0:  // CPAP: one pressure, slightly eased on expiration by EPR
        high = settings_.StartPress / 10.0;
        low = high - settings_.EPR * 0.5;
        break;
    case 4: {  // AUTO: the pressure wanders slowly between its limits
        const double span = (settings_.MaxPress - settings_.MinPress) / 10.0;
        const double drift = 0.5 + 0.45 * std::sin(2.0 * kPi * seconds / 5400.0);
        high = settings_.MinPress / 10.0 + span * drift;
        low = high - settings_.EPR * 0.5;
        break;
    }
    default:  // bilevel modes
        high = settings_.InspPress / 10.0;
        low = settings_.ExpPress / 10.0;
        break;
    }
    // Ramp: from the start pressure up to the working pressure over DelayPress minutes.
    const double ramp = settings_.DelayPress * 60.0;
    if (ramp > 0 && seconds < ramp) {
        const double start = settings_.StartPress1 / 10.0;
        const double f = seconds / ramp;
        high = start + (high - start) * f;
        low = std::min(low, high);
    }
    return inspiring ? high : low;
}

void BreathingModel::startBreath() {
    double rate = 0.0;
    double inspSeconds = 0.0;
    if (settings_.WorkMode == 3) {  // T: the device sets the rhythm
        rate = std::max(4, settings_.BPM) * rnd_.real(0.98, 1.02);
        inspSeconds = std::max(40, settings_.InspTime) / 100.0;
    } else {
        rate = rnd_.real(11.0, 18.0);
        inspSeconds = 60.0 / rate * rnd_.real(0.33, 0.45);
    }
    breathSamples_ = std::max(10, static_cast<int>(60.0 / rate * kPairsPerSecond));
    inspSamples_ = std::clamp(static_cast<int>(inspSeconds * kPairsPerSecond), 4, breathSamples_ - 4);
    peakFlow_ = rnd_.real(18.0, 40.0);
    expFlow_ = peakFlow_ * rnd_.real(0.8, 1.2);
    breathSample_ = 0;
    volume_ = 0.0;
    leak_ = std::clamp(leak_ + rnd_.real(-0.8, 0.8), 0.0, 60.0);
}

SamplePair BreathingModel::next(bool& breathEnded, BreathFigures& figures) {
    const bool inspiring = breathSample_ < inspSamples_;
    double flow = 0.0;
    if (inspiring) {
        flow = peakFlow_ * std::sin(kPi * (breathSample_ + 0.5) / inspSamples_);
        volume_ += flow * 1000.0 / 60.0 * kSampleSeconds;
    } else {
        const double u = (breathSample_ - inspSamples_ + 0.5) / (breathSamples_ - inspSamples_);
        flow = -expFlow_ * std::pow(std::sin(kPi * u), 0.6) * std::exp(-1.2 * u);
    }
    flow += rnd_.real(-0.6, 0.6);
    // The pressure follows its target with a rise set by ISlop (higher is slower).
    const double rise = 0.55 / std::max(1, settings_.ISlop);
    pressure_ += (targetPressure(inspiring) - pressure_) * rise;
    const double measured = pressure_ - 0.02 * flow + rnd_.real(-0.05, 0.05);

    SamplePair pair{clamp12(measured * 100.0), clamp12(2048.0 + flow * 10.0)};
    ++sample_;
    ++breathSample_;
    breathEnded = breathSample_ >= breathSamples_;
    if (breathEnded) {
        const double inspSeconds = inspSamples_ * kSampleSeconds;
        const double expSeconds = (breathSamples_ - inspSamples_) * kSampleSeconds;
        const double rate = 60.0 / (inspSeconds + expSeconds);
        figures.values[0][0] = clamp12(inspSeconds * 100.0);
        figures.values[0][1] = clamp12(expSeconds * 100.0);
        figures.values[1][0] = clamp12(volume_);
        figures.values[1][1] = clamp12(rate * 10.0);
        figures.values[2][0] = clamp12(volume_ * rate / 100.0);
        figures.values[2][1] = clamp12(leak_ * 10.0);
        startBreath();
    }
    return pair;
}

}  // namespace somnexa::devsim
