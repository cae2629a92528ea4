#pragma once
// The per-day cache of channel statistics (tColumnData of the patient
// database). For every therapy day with a session it holds the day's log files
// with their windows inside the day (rows of code 200 and 201) and, for every
// channel configured in tColumnList (Mode 1), the day's maximum, 95th
// percentile, mean and 90th percentile of the samples in those windows.

#include <cstdint>
#include <string>
#include <vector>

#include "records/date_time.h"

namespace somnexa::storage {
class TDM;
}

namespace somnexa::analysis {

inline constexpr int kFileRowCode = 200;    // [Values] = log file name
inline constexpr int kWindowRowCode = 201;  // [Values], Values1 = window start and end

// One log file of a therapy day: its session and its name.
struct DayLogFile {
    DateTime OpenTime;
    std::int32_t Times = 0;
    std::string Name;  // "YYYYMMDDHHNNSS.hidl"
};

// Where a file's samples for a day lie: the window inside the day and the
// frames to read.
struct FileWindow {
    DateTime Start;
    DateTime End;
    std::int32_t StartFrame = 0;
    std::int32_t MaxFrames = 0;  // 0 or less: nothing to read
};

// Window of a file (fileStart, totalSeconds long) inside the therapy day of
// dayStart (its 12:00:00) for a channel stored every pointsPerSample seconds:
// reading starts at frame offset div P + 1 and takes at most
// (length - 10) div P frames; a window of 10 seconds or less takes none.
FileWindow ComputeFileWindow(DateTime fileStart, double totalSeconds, DateTime dayStart, int pointsPerSample);

struct CacheRefreshResult {
    int Days = 0;      // therapy days with a session
    int Computed = 0;  // days computed again
};

// Brings the cache up to date for every therapy day of the patient: a day is
// computed again unless each of its log files has a file row. Files are read
// from the folder of the patient database. Needs the master connection
// (tColumnList) and the patient connection open.
CacheRefreshResult RefreshColumnCache(storage::TDM& dm);

// Computes one day (after its rows were deleted): the file rows, then the
// statistics of each configured channel.
void ComputeColumnDay(storage::TDM& dm, const std::string& day, const std::vector<DayLogFile>& files);

}  // namespace somnexa::analysis
