#pragma once
// The therapy sessions a simulated ventilator has recorded: when they ran, how
// long, in which work mode, with which settings and which logged events.
// Deterministic from the seed.

#include <cstdint>
#include <string>
#include <vector>

#include "records/date_time.h"
#include "records/device_records.h"

namespace somnexa::devsim {

struct PlanOptions {
    int nights = 14;
    std::uint64_t seed = 1;
    // Upper bound of every session's length in seconds (0: realistic lengths of
    // several hours). Small values give small, fast flashes for tests.
    int maxSessionSeconds = 0;
    // Seconds between two log samples (every duration is a multiple of it).
    int logStepSeconds = 20;
};

struct PlannedSession {
    std::int32_t id = 0;
    DateTime start;
    std::int32_t durationSeconds = 0;
    // Id, Time (two-digit year), the settings, Times and Events as the log
    // records carry them.
    TLogData log;
};

// Sessions in time order, none overlapping. Every night has a main session
// crossing midnight; some nights add a session shorter than ten minutes, a
// second session or a nap crossing noon the next day. Work modes cycle.
std::vector<PlannedSession> planSessions(const PlanOptions& options);

// Seconds between log samples for a product string: the model number after the
// 10-character model text is 10 -> 20 seconds, otherwise 1 second.
int logStepForProduct(const std::string& product);

// "CPAP", "S", "S/T", "T", "AUTO".
const char* workModeName(int mode);

// The device's form of a moment (Year as given: full or two-digit).
TDeviceTime toDeviceTime(DateTime moment, bool twoDigitYear);

}  // namespace somnexa::devsim
