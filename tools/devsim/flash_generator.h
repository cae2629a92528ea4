#pragma once
// Writes realistic therapy nights into a flash image, in the packet formats the
// decoder reads, and tells what it wrote.
//
// Both regions are rings: sessions are written oldest first; when a region is
// full the oldest sectors are overwritten, and a gap of erased sectors always
// separates the newest sector from the oldest. The write position is chosen so
// that the data wrap past the region's end: the newest sectors lie at the
// region's start, before the oldest. Deterministic from the seed.
//
//   GeneratorOptions o;  o.nights = 3;  o.seed = 7;  o.maxSessionSeconds = 600;  // small and fast
//   GeneratedFlash g = generateFlash(o);
//   g.flash.save("flash.bin");

#include <cstdint>
#include <string>
#include <vector>

#include "devsim/flash_image.h"
#include "devsim/session_plan.h"

namespace somnexa::devsim {

struct GeneratorOptions {
    int nights = 14;
    std::uint64_t seed = 1;
    int maxSessionSeconds = 0;  // 0: realistic lengths; see PlanOptions
    std::string product = kDefaultProduct;  // stored in the flash; sets the log sample step
    int erasedGapSectors = 2;   // erased sectors kept ahead of the write position
};

// Where a session's sectors lie in one region after the ring has wrapped.
struct StoredRange {
    std::uint32_t address = 0;  // first surviving sector (0 when nothing survived)
    std::uint32_t size = 0;     // surviving sectors x 4096
    int firstSector = 0;        // index within the session of the first surviving sector
    int sessionSectors = 0;     // sectors the whole session filled
    TDeviceTime time;           // moment written in the first surviving sector
    bool stored() const { return size > 0; }
    bool complete() const { return size > 0 && firstSector == 0; }
};

struct GeneratedSession : PlannedSession {
    StoredRange logRange;       // region B
    StoredRange realtimeRange;  // region A
    int breaths = 0;       // breaths in the realtime data of the whole session
};

struct GeneratedFlash {
    FlashImage flash;
    std::string product;
    int logStepSeconds = 20;
    std::vector<GeneratedSession> sessions;  // oldest first, including overwritten ones
};

GeneratedFlash generateFlash(const GeneratorOptions& options);

}  // namespace somnexa::devsim
