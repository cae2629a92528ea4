#pragma once
// Creating, modifying and loading a patient: the patient folder with its own
// database (a copy of the template Patient.mdb), the full record in that
// database and the short index row in the master database. Creating is all
// or nothing: the folder, the database file, the photo copy and the patient
// row come first and the index row last; when any step fails, what was made
// is removed again and the error is shown.

#include <optional>
#include <string>

#include "patient_record.h"
#include "storage/data_module.h"
#include "storage/presenter.h"

namespace somnexa::patients {

enum class SaveMode { New, Modify };

class PatientRegistry {
public:
    // programDir holds DBQorvel.mdb and Patient.mdb (trailing "/" optional).
    PatientRegistry(storage::TDM& dm, storage::Presenter& presenter, std::string programDir);

    // Reads the selected patient: the master index row (its PatientPath) and
    // the record in the patient's own database. nullopt after the message
    // "The main index data in the table is not correct!" or "Secondary index
    // data in the table is not correct!" (or a connection failure).
    std::optional<PatientRecord> Load(const std::string& patientID);

    // Saves record. savePath is the save-path field; photoSource is the
    // remembered photo path (empty: none). On success the record's
    // patientPath and photo are set, the success message is shown and the
    // new selection returned. On failure the message is shown and nothing
    // of a new patient remains.
    std::optional<Selection> Save(SaveMode mode, PatientRecord& record, const std::string& savePath,
                                  const std::string& photoSource);

    const std::string& programDir() const { return programDir_; }
    std::string masterFile() const { return programDir_ + "DBQorvel.mdb"; }
    std::string templateFile() const { return programDir_ + "Patient.mdb"; }

private:
    std::optional<Selection> saveNew(PatientRecord& record, const std::string& savePath,
                                     const std::string& photoSource);
    std::optional<Selection> saveModified(PatientRecord& record, const std::string& folder,
                                          const std::string& photoSource);
    bool copyPhoto(const std::string& source, const std::string& target);
    void restorePatientConnection(const std::string& previousPath);

    storage::TDM& dm_;
    storage::Presenter& presenter_;
    std::string programDir_;
};

// The statements of the Patient Info page.
std::string MasterInsertStatement(const PatientRecord& r, const std::string& folder);
std::string MasterUpdateStatement(const PatientRecord& r, const std::string& folder);
std::string PatientInsertStatement(const PatientRecord& r, const std::string& photoTarget);
std::string PatientUpdateStatement(const PatientRecord& r, const std::string& photoTarget);

}  // namespace somnexa::patients
