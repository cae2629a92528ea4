#pragma once
// The viewing history of the home page: the SeeLog rows of the master
// database, one per opening of a patient. Rows older than 100 days go; the
// list shows the newest entry of each patient, newest first, ten at most.

#include <string>
#include <vector>

#include "patient_record.h"
#include "storage/data_module.h"
#include "storage/presenter.h"

namespace somnexa::patients {

inline constexpr const char* kPurgeHistoryStatement = "delete from SeeLog where LogDate < dateadd('d', -100, now)";
inline constexpr const char* kHistoryStatement =
    "select top 10 * from SeeLog a where not exists(select 1 from SeeLog where PatientID = a.PatientID and "
    "LogDate > a.LogDate) order by logdate desc";

struct HistoryItem {
    std::string caption;    // " id, name, gender, age"
    std::string patientID;
};

// Purges old rows and reads the list (on the open master connection).
std::vector<HistoryItem> ReadViewingHistory(storage::TDM& dm);

enum class ReopenResult { Opened, NotInIndex, FileMissing };

// Reopens the patient of a history item: connects its database, writes a new
// history row and fills selection; otherwise says why ("The current patient
// information does not exist!", or "The patient file does not exist!" and
// the index row goes).
ReopenResult ReopenFromHistory(storage::TDM& dm, storage::Presenter& presenter, const std::string& patientID,
                               Selection& selection);

}  // namespace somnexa::patients
