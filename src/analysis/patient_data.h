#pragma once
// Filling the analysis selection from the current patient's database, and the
// per-day look-ups of the data views. Every statement runs on the patient
// connection with the error box on; a failing one yields no rows and the
// figures come out as zeros.

#include <string>

#include "analysis/analysis_records.h"
#include "records/date_time.h"

namespace somnexa::storage {
class TDM;
}

namespace somnexa::analysis {

// The folder of the open patient database, ending with a path separator.
std::string PatientFolder(const storage::TDM& dm);

// Fills Info, Sessions, UseSeconds, DateCount and Analysis of data from its Dates.
void ComputePatientData(storage::TDM& dm, const std::string& currentPatientID, TPatientData& data);

// True when a session of the therapy day ("YYYY-MM-DD") has its log file in the patient folder.
bool DayHasLogFile(storage::TDM& dm, const std::string& day);

// Earliest start and latest end of the sessions touching the therapy day of
// currentDay; both 0 when there is none.
void DaySessionRange(storage::TDM& dm, DateTime currentDay, DateTime& start, DateTime& end);

// The day list "('','YYYY-MM-DD',...)" of dates, and the condition that a
// session starts or ends on one of them.
std::string DayListText(const arTDate& dates);
std::string DayCondition(const std::string& dayList);

}  // namespace somnexa::analysis
