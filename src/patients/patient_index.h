#pragma once
// The patient index of the master database as the patient list and the home
// page use it: the search statement, opening a patient (the viewing-history
// row), deleting an index row and importing a patient database file.

#include <optional>
#include <string>
#include <vector>

#include "patient_record.h"
#include "storage/data_module.h"
#include "storage/presenter.h"

namespace somnexa::patients {

// The list's statement for a search text (trimmed by the caller): every
// patient whose identifier or name contains it; "%" and "_" in the text act
// as wildcards, a quote is searched literally.
std::string SearchStatement(const std::string& text);

// The viewing-history row of one opening at the moment now.
std::string SeeLogInsertStatement(const PatientEntry& entry, DateTime now);

// The patient entry of the query's current row (columns PatientID,
// Patientname, Gender, Patientage, Patientpath).
PatientEntry EntryOfRow(const storage::Query& q);

enum class OpenResult { Opened, FileMissing };

class PatientIndex {
public:
    PatientIndex(storage::TDM& dm, storage::Presenter& presenter, std::string programDir);

    // Runs the search into rows; -1 when the master database cannot be opened.
    int Search(const std::string& text, storage::Query& rows);
    std::vector<PatientEntry> SearchEntries(const std::string& text);

    // Opens entry: when its database file exists, connects it, writes the
    // viewing-history row and fills selection. When it is gone, says "The
    // patient file does not exist!" and removes the index row.
    OpenResult Open(const PatientEntry& entry, Selection& selection);

    // Deletes the index row of the patient (its folder, database and history stay).
    bool Delete(const std::string& patientID);

    // Imports the patient database file. Returns the new identifier, or
    // nullopt after the message that says why nothing was imported.
    std::optional<std::string> Import(const std::string& file);

    std::string masterFile() const { return programDir_ + "DBQorvel.mdb"; }

private:
    bool connectMaster();
    void reopenPatient(const std::string& previousPath);

    storage::TDM& dm_;
    storage::Presenter& presenter_;
    std::string programDir_;
};

}  // namespace somnexa::patients
