#pragma once
// The chart definitions of the master database (table tDiagram): one row per
// chart, grouped by Type (1 realtime, 2 log, 3 column charts) and ordered by
// SortIndex. Results: 0 or a row count; -1 the master database could not be
// opened or read; -2 no row.

#include "records/device_records.h"
#include "storage/data_module.h"

namespace somnexa::charts {

class TQvDiagrams;

inline constexpr int kRealtimeDiagrams = 1;
inline constexpr int kLogDiagrams = 2;
inline constexpr int kColumnDiagrams = 3;

// Copies the scales, names, kind, colour and formats of the first definition
// of (type, code, codePos) into chart. No row leaves chart unchanged.
int LoadDiagramDefinition(storage::TDM& dm, int type, int code, int codePos, TQvDiagrams& chart);

// The system (IsSYS true) or the other definitions of a type, in display
// order, as channel records. Returns their number; infos is replaced (left
// empty on failure).
int LoadChannelInfos(storage::TDM& dm, int type, bool system, arTChannleInfo& infos);

}  // namespace somnexa::charts
