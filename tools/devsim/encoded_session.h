#pragma once
// The sectors one session occupies in a flash region, in write order.

#include <array>
#include <cstdint>
#include <vector>

#include "records/device_records.h"

namespace somnexa::devsim {

using Sector = std::array<std::uint8_t, 4096>;

struct EncodedSession {
    std::vector<Sector> sectors;
    std::vector<TDeviceTime> sectorTimes;  // the moment written into each sector
    int breaths = 0;                       // realtime: breaths recorded (one event group each)
};

}  // namespace somnexa::devsim
