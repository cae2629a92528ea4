#pragma once
// The small master and patient databases the SQL conformance cases run on:
// the shipped schema with rows written here, so that every expected row can
// be worked out by hand.
//
// Patient sessions (OpenTime, Times, WorkMode):
//   1: 2019-10-31 22:00:00, 28800 s, CPAP   therapy day 2019-10-31, ends 2019-11-01 06:00
//   2: 2019-11-01 23:00:00, 54000 s, AUTO   starts on 2019-11-01, ends 2019-11-02 14:00 (two pieces)
//   3: 2019-10-01 09:00:00,  3600 s, S      therapy day 2019-09-30
//   4: 2019-10-02 13:00:00,     0 s         no use
// RealTime is OpenTime + 5 s. Now() is 2019-10-31 18:00:00.

#include <string>

#include "storage/connection.h"

namespace somnexa::storage::test {

inline constexpr double kFixtureNow = 43769.75;  // 2019-10-31 18:00:00

// Writes master.mdb and patient.mdb into folder; false with error on failure.
bool writeConformanceDatabases(const std::string& folder, std::string& error);

}  // namespace somnexa::storage::test
