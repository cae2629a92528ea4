#pragma once
// Encodes a planned session into the sectors it fills in each flash region, in
// the device's packet formats.
//
// Every sector starts with a 64-byte header: the session number and the date
// and time, so that an image of the sector headers indexes the sessions.
// Region A (realtime): header = session number, date, time of the sector's
// first sample pair, sector sequence number; then whole seconds of 25 sample
// pairs each, a breath's three event packets after its last pair; unused
// packet slots stay erased (0xFF).
// Region B (log): header = session number, date and time of the session start,
// the settings packets, the duration, sector sequence number; then log samples
// of pressure and leak every step seconds (from 0 to the duration inclusive)
// and the log events at the second they were logged, in time order.

#include <cstdint>

#include "devsim/encoded_session.h"
#include "devsim/session_plan.h"

namespace somnexa::devsim {

EncodedSession encodeRealtimeSession(const PlannedSession& session, std::uint64_t seed);
EncodedSession encodeLogSession(const PlannedSession& session, int logStepSeconds, std::uint64_t seed);

}  // namespace somnexa::devsim
