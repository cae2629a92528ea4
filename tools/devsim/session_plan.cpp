#include "devsim/session_plan.h"

#include <algorithm>
#include <cstdlib>

#include "devsim/random_source.h"

namespace somnexa::devsim {

namespace {

constexpr int kMinute = 60;
constexpr int kHour = 3600;
constexpr int kLongestSession = 12 * kHour;  // log offsets are 16-bit seconds

enum Mode { kCpap = 0, kS = 1, kST = 2, kT = 3, kAuto = 4 };

void fillSettings(TLogData& log, int mode, RandomSource& rnd) {
    log.WorkMode = mode;
    log.AutoOnOff = rnd.uniform(0, 1);
    log.DelayPress = rnd.uniform(0, 6) * 5;  // ramp minutes
    log.HotLevel = rnd.uniform(0, 5);
    log.EPR = rnd.uniform(0, 3);
    log.ESens = rnd.uniform(1, 5);
    log.ISens = rnd.uniform(1, 5);
    log.ISlop = rnd.uniform(1, 6);
    log.StartPress1 = rnd.uniform(4, 6) * 10;
    log.ExpPress = rnd.uniform(40, 90);
    log.InspPress = std::min(250, log.ExpPress + rnd.uniform(20, 80));
    log.MinPress = rnd.uniform(40, 60);
    log.MaxPress = rnd.uniform(120, 200);
    log.StartPress = log.StartPress1;
    log.BPM = rnd.uniform(8, 16);
    log.InspTime = rnd.uniform(80, 150);  // hundredths of a second
    switch (mode) {
    case kCpap:
        // A CPAP session keeps its fixed pressure in StartPress.
        log.StartPress = rnd.uniform(50, 150);
        log.WorkPress = log.StartPress;
        break;
    case kAuto:
        log.WorkPress = log.MaxPress;
        break;
    default:
        log.WorkPress = log.InspPress;
        break;
    }
}

struct EventKind {
    int code;
    double perHour;
    int minLength;
    int maxLength;
};

// Apnea, hypopnea, snore, flow limitation and the further device events.
constexpr EventKind kEventKinds[] = {
    {9, 4.0, 10, 45}, {19, 6.0, 10, 60}, {6, 9.0, 1, 12}, {7, 5.0, 5, 30},
    {8, 0.6, 1, 20},  {10, 0.4, 1, 20},  {11, 0.3, 1, 20},
};

void addEvents(TLogData& log, int duration, RandomSource& rnd) {
    const double hours = duration / 3600.0;
    for (const EventKind& kind : kEventKinds) {
        const double severity = rnd.real(0.2, 1.8);
        int count = static_cast<int>(kind.perHour * severity * hours + rnd.real());
        for (int i = 0; i < count; ++i) {
            const int length = std::min(rnd.uniform(kind.minLength, kind.maxLength), 127);
            if (duration <= length) continue;
            TLogEvent e;
            e.Code = static_cast<std::uint8_t>(kind.code);
            e.TimeLen = static_cast<std::uint8_t>(length);
            e.Offset = rnd.uniform(length, duration);  // the moment the device logged it
            e.Value = static_cast<std::uint8_t>(rnd.uniform(1, 100));
            log.Events.push_back(e);
        }
    }
    std::stable_sort(log.Events.begin(), log.Events.end(),
                     [](const TLogEvent& a, const TLogEvent& b) { return a.Offset < b.Offset; });
}

class Planner {
public:
    explicit Planner(const PlanOptions& o) : options_(o), rnd_(o.seed, 1) {
        nextId_ = 100 + static_cast<std::int32_t>(o.seed % 9000) * 10;
    }

    // A length in seconds: limited by the options, a multiple of the log step.
    int length(int lo, int hi) {
        int d = rnd_.uniform(lo, hi);
        if (options_.maxSessionSeconds > 0) d = std::min(d, options_.maxSessionSeconds);
        d = std::min(d, kLongestSession);
        const int step = std::max(1, options_.logStepSeconds);
        return std::max(step, d / step * step);
    }

    // start: seconds since 1899-12-30 00:00.
    void add(std::int64_t start, int duration, int mode) {
        PlannedSession s;
        s.id = nextId_++;
        s.start = fromMilliseconds(start * 1000);
        s.durationSeconds = duration;
        RandomSource sessionRnd(options_.seed, 1000 + static_cast<std::uint64_t>(s.id));
        s.log.Id = s.id;
        s.log.Time = toDeviceTime(s.start, true);
        s.log.Times = duration;
        fillSettings(s.log, mode, sessionRnd);
        addEvents(s.log, duration, sessionRnd);
        sessions_.push_back(std::move(s));
    }

    std::vector<PlannedSession> run() {
        const std::int64_t firstDay = daysFromCivil(2026, 1, 5) + static_cast<std::int64_t>(options_.seed % 60);
        const bool limited = options_.maxSessionSeconds > 0;
        for (int night = 0; night < options_.nights; ++night) {
            const int mode = static_cast<int>((night + options_.seed) % 5);
            const std::int64_t midnight = (firstDay + night + 1) * 86400;
            // The main session of the night, crossing midnight.
            const int mainLength = length(4 * kHour, 9 * kHour);
            const int beforeMidnight = limited ? static_cast<int>(mainLength * rnd_.real(0.25, 0.75))
                                               : rnd_.uniform(30 * kMinute, 150 * kMinute);
            const std::int64_t start = midnight - beforeMidnight;
            const int pattern = night % 4;
            if (pattern == 1) {
                // Mask off again within minutes: a session shorter than ten minutes first.
                const int shortLength = std::min(length(3 * kMinute, 9 * kMinute), 9 * kMinute);
                const int pause = rnd_.uniform(5 * kMinute, 25 * kMinute);
                add(start - shortLength - pause, shortLength, mode);
            }
            add(start, mainLength, mode);
            if (pattern == 3) {
                // Back to sleep after a break.
                const std::int64_t second = start + mainLength + rnd_.uniform(10 * kMinute, 40 * kMinute);
                add(second, length(30 * kMinute, 2 * kHour), mode);
            }
            if (pattern == 2) {
                // A nap the next day, across noon.
                const int napLength = length(30 * kMinute, 90 * kMinute);
                const std::int64_t noon = midnight + 12 * kHour;
                add(noon - static_cast<int>(napLength * rnd_.real(0.25, 0.75)), napLength, (mode + 1) % 5);
            }
        }
        return std::move(sessions_);
    }

private:
    PlanOptions options_;
    RandomSource rnd_;
    std::int32_t nextId_ = 1;
    std::vector<PlannedSession> sessions_;
};

}  // namespace

std::vector<PlannedSession> planSessions(const PlanOptions& options) { return Planner(options).run(); }

int logStepForProduct(const std::string& product) {
    if (product.size() <= 10) return 1;
    return std::atoi(product.c_str() + 10) == 10 ? 20 : 1;
}

const char* workModeName(int mode) {
    static const char* const names[] = {"CPAP", "S", "S/T", "T", "AUTO"};
    return mode >= 0 && mode < 5 ? names[mode] : "Unknown";
}

TDeviceTime toDeviceTime(DateTime moment, bool twoDigitYear) {
    const CalendarTime c = fromMilliseconds(toMilliseconds(moment) / 1000 * 1000).calendar();
    TDeviceTime t;
    t.Year = static_cast<std::uint16_t>(twoDigitYear ? c.year - 2000 : c.year);
    t.Month = static_cast<std::uint8_t>(c.month);
    t.Day = static_cast<std::uint8_t>(c.day);
    t.Hour = static_cast<std::uint8_t>(c.hour);
    t.Minute = static_cast<std::uint8_t>(c.minute);
    t.Second = static_cast<std::uint8_t>(c.second);
    return t;
}

}  // namespace somnexa::devsim
