#include "devsim/flash_generator.h"

#include <algorithm>

#include "devsim/encoded_session.h"
#include "devsim/random_source.h"
#include "devsim/session_encoder.h"

namespace somnexa::devsim {

namespace {

struct Survivor {
    std::size_t session;
    int index;  // sector index within the session
    Sector* sector;
};

// Fills one region: keeps the newest sectors that fit beside the erased gap and
// places them so that the ring has wrapped.
template <typename Encode>
void fillRegion(FlashImage& flash, const FlashRegion& region, std::vector<GeneratedSession>& sessions,
                StoredRange GeneratedSession::*range, int gap, std::uint64_t seed, Encode encode) {
    const int sectorsInRegion = static_cast<int>(region.sectors());
    const int capacity = sectorsInRegion - std::clamp(gap, 1, sectorsInRegion - 1);
    std::vector<EncodedSession> encoded(sessions.size());
    std::vector<Survivor> survivors;  // newest first
    for (std::size_t s = sessions.size(); s-- > 0 && static_cast<int>(survivors.size()) < capacity;) {
        encoded[s] = encode(sessions[s]);
        (sessions[s].*range).sessionSectors = static_cast<int>(encoded[s].sectors.size());
        for (int i = static_cast<int>(encoded[s].sectors.size()); i-- > 0 && static_cast<int>(survivors.size()) < capacity;)
            survivors.push_back({s, i, &encoded[s].sectors[static_cast<std::size_t>(i)]});
    }
    std::reverse(survivors.begin(), survivors.end());
    const int used = static_cast<int>(survivors.size());
    if (used == 0) return;

    // The position after the newest sector. A ring that never filled up is
    // placed across the region's end all the same, preferably so that one
    // session runs past the end and continues at the region's start.
    RandomSource rnd(seed, 50 + region.start);
    int end = 0;
    if (used == capacity) {
        end = rnd.uniform(0, sectorsInRegion - 1);
    } else if (used >= 2) {
        std::vector<int> inside;  // survivor indices that continue the previous one's session
        for (int k = 1; k < used; ++k)
            if (survivors[static_cast<std::size_t>(k)].session == survivors[static_cast<std::size_t>(k - 1)].session)
                inside.push_back(k);
        const int split = inside.empty() ? rnd.uniform(1, used - 1)
                                         : inside[static_cast<std::size_t>(rnd.uniform(0, int(inside.size()) - 1))];
        end = used - split;
    }
    const int first = ((end - used) % sectorsInRegion + sectorsInRegion) % sectorsInRegion;
    for (int k = 0; k < used; ++k) {
        const Survivor& v = survivors[static_cast<std::size_t>(k)];
        const std::uint32_t address = region.sectorAddress(static_cast<std::uint32_t>(first + k));
        flash.write(address, *v.sector);
        StoredRange& r = sessions[v.session].*range;
        if (r.size == 0) {
            r.address = address;
            r.firstSector = v.index;
            r.time = encoded[v.session].sectorTimes[static_cast<std::size_t>(v.index)];
        }
        r.size += kSectorBytes;
    }
}

}  // namespace

GeneratedFlash generateFlash(const GeneratorOptions& options) {
    GeneratedFlash out;
    out.product = options.product;
    out.logStepSeconds = logStepForProduct(options.product);
    out.flash.setProduct(options.product);

    PlanOptions plan;
    plan.nights = options.nights;
    plan.seed = options.seed;
    plan.maxSessionSeconds = options.maxSessionSeconds;
    plan.logStepSeconds = out.logStepSeconds;
    for (PlannedSession& p : planSessions(plan)) {
        GeneratedSession g;
        static_cast<PlannedSession&>(g) = std::move(p);
        out.sessions.push_back(std::move(g));
    }

    const int step = out.logStepSeconds;
    fillRegion(out.flash, kRegionB, out.sessions, &GeneratedSession::logRange, options.erasedGapSectors, options.seed,
               [&](const GeneratedSession& s) { return encodeLogSession(s, step, options.seed); });
    fillRegion(out.flash, kRegionA, out.sessions, &GeneratedSession::realtimeRange, options.erasedGapSectors,
               options.seed, [&](GeneratedSession& s) {
                   EncodedSession e = encodeRealtimeSession(s, options.seed);
                   s.breaths = e.breaths;
                   return e;
               });
    return out;
}

}  // namespace somnexa::devsim
