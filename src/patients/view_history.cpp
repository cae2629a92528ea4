#include "view_history.h"

#include "patient_files.h"
#include "patient_index.h"

namespace somnexa::patients {

using storage::kMasterConnection;
using storage::QuotedStr;

std::vector<HistoryItem> ReadViewingHistory(storage::TDM& dm) {
    storage::Query q;
    dm.ExecSQL(q, kPurgeHistoryStatement, kMasterConnection, true);
    std::vector<HistoryItem> items;
    if (dm.ExecSQL(q, kHistoryStatement, kMasterConnection, true) <= 0) return items;
    for (q.First(); !q.Eof(); q.Next()) {
        const std::string id = q.FieldByName("PatientID").AsString();
        items.push_back({" " + PatientCaption(id, q.FieldByName("Patientname").AsString(),
                                              q.FieldByName("Gender").AsString(),
                                              q.FieldByName("Patientage").AsString()),
                         id});
    }
    return items;
}

ReopenResult ReopenFromHistory(storage::TDM& dm, storage::Presenter& presenter, const std::string& patientID,
                               Selection& selection) {
    storage::Query q;
    if (dm.ExecSQL(q, "select * from  tPatients where PatientID=" + QuotedStr(patientID), kMasterConnection, true) <
        1) {
        presenter.ShowInfo("The current patient information does not exist!");
        return ReopenResult::NotInIndex;
    }
    const PatientEntry entry = EntryOfRow(q);
    const std::string path = PatientDatabaseFile(entry.path, entry.patientID);
    if (!FileExists(path)) {
        presenter.ShowInfo("The patient file does not exist!");
        dm.ExecSQL(q, "delete from  tPatients where PatientID=" + QuotedStr(patientID), kMasterConnection, true);
        return ReopenResult::FileMissing;
    }
    selection = {entry.patientID, PatientCaption(entry)};
    dm.OpenPatientDatabase(path);
    dm.ExecSQL(q, SeeLogInsertStatement(entry, DateTime(dm.now())), kMasterConnection, true);
    return ReopenResult::Opened;
}

}  // namespace somnexa::patients
