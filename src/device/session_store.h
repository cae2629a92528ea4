#pragma once
// Stores one downloaded session in the patient database: a tSession row with
// its start, realtime start, settings and duration, and one tData row per
// logged event. The rows of a session are written in one transaction, so a
// session is stored whole or not at all. A session is known by its start
// second: a stored one is left alone, or replaced with its events when
// overwriting is asked for.

#include <functional>
#include <string>

#include "records/device_records.h"
#include "storage/data_module.h"

namespace somnexa::device {

enum class StoreOutcome {
    Stored,    // rows written (new, or replacing the stored session)
    Kept,      // the session was stored already and overwriting is off
    Failed,    // nothing changed; the error box has been shown
};

struct StoreResult {
    StoreOutcome outcome = StoreOutcome::Failed;
    std::string openTime;   // "YYYY-MM-DD HH:NN:SS"
    std::string realTime;
    std::string sessionId;  // of the row written (empty unless Stored)
    int events = 0;         // tData rows written
};

struct StoreOptions {
    bool overwrite = false;
    // Runs after every tData row (the program lets pending messages run here).
    std::function<void()> afterRow;
    // Counts the tData rows written while storing; reset to 0 at the end.
    int* savedEvents = nullptr;
};

// session: the decoded log session; realtimeIndex: the realtime session index,
// searched for the entry with the session's Id (its Time is the RealTime).
StoreResult StoreSessionRows(storage::TDM& dm, const TLogData& session, const arTRealTimeData& realtimeIndex,
                             const StoreOptions& options);

// true when the session was handled (stored, or kept as it was).
bool StoreSession(storage::TDM& dm, const TLogData& session, const arTRealTimeData& realtimeIndex,
                  const StoreOptions& options);

}  // namespace somnexa::device
