#include "patient_registry.h"

#include <filesystem>
#include <system_error>

#include "patient_files.h"

namespace somnexa::patients {

namespace fs = std::filesystem;
using storage::kMasterConnection;
using storage::kPatientConnection;
using storage::QuotedStr;

std::string PatientCaption(const std::string& id, const std::string& name, const std::string& gender,
                           const std::string& age) {
    return id + ", " + name + ", " + gender + ", " + age;
}

std::string MasterInsertStatement(const PatientRecord& r, const std::string& folder) {
    return "insert into tPatients (PatientID,PatientName,Gender,PatientPath,PatientAge) values (" +
           QuotedStr(r.patientID) + "," + QuotedStr(r.name) + "," + QuotedStr(r.gender) + "," + QuotedStr(folder) +
           "," + QuotedStr(r.age) + ")";
}

std::string MasterUpdateStatement(const PatientRecord& r, const std::string& folder) {
    return "update tPatients set PatientName=" + QuotedStr(r.name) + ",Gender=" + QuotedStr(r.gender) +
           ",PatientPath=" + QuotedStr(folder) + ",PatientAge=" + QuotedStr(r.age) +
           " where PatientID=" + QuotedStr(r.patientID);
}

std::string PatientInsertStatement(const PatientRecord& r, const std::string& photoTarget) {
    return "insert into tPatients (PatientID,PatientName,Gender,Birthday,Age,Height,Weight,BMI,Phone,Address,E_Mail,"
           "Photo,Allergic,Clinic,Readme) values (" +
           QuotedStr(r.patientID) + "," + QuotedStr(r.name) + "," + QuotedStr(r.gender) + "," +
           QuotedStr(r.birthday.format(DateTimeForm::DateText)) + "," + QuotedStr(r.age) + "," +
           QuotedStr(r.height) + "," + QuotedStr(r.weight) + "," + QuotedStr(r.bmi) + "," + QuotedStr(r.phone) +
           "," + QuotedStr(r.address) + "," + QuotedStr(r.email) + "," + QuotedStr(photoTarget) + "," +
           QuotedStr(r.allergic) + "," + QuotedStr(r.clinic) + "," + QuotedStr(r.readme) + ")";
}

std::string PatientUpdateStatement(const PatientRecord& r, const std::string& photoTarget) {
    return "update tPatients set PatientName=" + QuotedStr(r.name) + ",Gender=" + QuotedStr(r.gender) +
           ",Birthday=" + QuotedStr(r.birthday.format(DateTimeForm::DateText)) + ",Age=" + QuotedStr(r.age) +
           ",Height=" + QuotedStr(r.height) + ",Weight=" + QuotedStr(r.weight) + ",BMI=" + QuotedStr(r.bmi) +
           ",Phone=" + QuotedStr(r.phone) + ",Address=" + QuotedStr(r.address) + ",E_Mail=" + QuotedStr(r.email) +
           ",Photo=" + QuotedStr(photoTarget) + ",Allergic=" + QuotedStr(r.allergic) +
           ",Clinic=" + QuotedStr(r.clinic) + ",Readme=" + QuotedStr(r.readme) +
           " where PatientID=" + QuotedStr(r.patientID);
}

namespace {

bool blank(const std::string& text) {
    return text.find_first_not_of(" \t\r\n\f\v") == std::string::npos;
}

std::string photoTargetFor(const std::string& folder, const std::string& photoSource) {
    return photoSource.empty() ? std::string() : folder + "/" + FileNameOf(photoSource);
}

bool samePath(const std::string& a, const std::string& b) {
    if (a == b) return true;
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

// The highest folder of path's chain that does not exist yet: removing it
// takes away everything create_directories made.
fs::path firstMissing(const fs::path& path) {
    std::error_code ec;
    fs::path missing = path;
    for (fs::path p = path; !p.empty() && !fs::exists(p, ec); p = p.parent_path()) {
        missing = p;
        if (p == p.parent_path()) break;
    }
    return missing;
}

}  // namespace

PatientRegistry::PatientRegistry(storage::TDM& dm, storage::Presenter& presenter, std::string programDir)
    : dm_(dm), presenter_(presenter), programDir_(std::move(programDir)) {
    if (!programDir_.empty() && programDir_.back() != '/') programDir_ += '/';
}

std::optional<PatientRecord> PatientRegistry::Load(const std::string& patientID) {
    if (!dm_.ConnectDatabase(kMasterConnection)) return std::nullopt;
    const std::string sql = "select * from tPatients where PatientID=" + QuotedStr(patientID);
    storage::Query master;
    if (dm_.ExecSQL(master, sql, kMasterConnection, true) != 1) {
        presenter_.ShowInfo("The main index data in the table is not correct!");
        return std::nullopt;
    }
    if (!dm_.ConnectDatabase(kPatientConnection)) return std::nullopt;
    storage::Query q;
    if (dm_.ExecSQL(q, sql, kPatientConnection, true) != 1) {
        presenter_.ShowInfo("Secondary index data in the table is not correct!");
        return std::nullopt;
    }
    PatientRecord r;
    r.patientID = q.FieldByName("PatientID").AsString();
    r.name = q.FieldByName("Patientname").AsString();
    r.gender = q.FieldByName("Gender").AsString();
    r.birthday = q.FieldByName("Birthday").AsDateTime();
    r.age = q.FieldByName("Age").AsString();
    r.height = q.FieldByName("Height").AsString();
    r.weight = q.FieldByName("Weight").AsString();
    r.bmi = q.FieldByName("BMI").AsString();
    r.phone = q.FieldByName("Phone").AsString();
    r.address = q.FieldByName("address").AsString();
    r.email = q.FieldByName("E_Mail").AsString();
    r.photo = q.FieldByName("Photo").AsString();
    r.allergic = q.FieldByName("Allergic").AsString();
    r.clinic = q.FieldByName("Clinic").AsString();
    r.readme = q.FieldByName("Readme").AsString();
    r.patientPath = master.FieldByName("PatientPath").AsString();
    return r;
}

std::optional<Selection> PatientRegistry::Save(SaveMode mode, PatientRecord& record, const std::string& savePath,
                                               const std::string& photoSource) {
    if (blank(record.name)) {
        presenter_.ShowInfo("Please input the patient name!");
        return std::nullopt;
    }
    return mode == SaveMode::New ? saveNew(record, savePath, photoSource)
                                 : saveModified(record, savePath, photoSource);
}

bool PatientRegistry::copyPhoto(const std::string& source, const std::string& target) {
    if (target.empty() || samePath(source, target)) return true;
    std::error_code ec;
    if (fs::exists(target, ec)) fs::remove(target, ec);
    return fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec) && !ec;
}

void PatientRegistry::restorePatientConnection(const std::string& previousPath) {
    dm_.DisconnectDatabase(kPatientConnection);
    dm_.PatientDBPath = previousPath;
    if (FileExists(previousPath)) dm_.ConnectDatabase(kPatientConnection);
}

std::optional<Selection> PatientRegistry::saveNew(PatientRecord& record, const std::string& savePath,
                                                  const std::string& photoSource) {
    // The day's 999 identifiers are used up (or the index cannot be read):
    // without an identifier there is no database file to name.
    if (record.patientID.empty()) {
        presenter_.ShowError("No new patient ID is available today!");
        return std::nullopt;
    }
    const std::string folder = NextFreeFolder(savePath);
    std::error_code ec;
    if (fs::exists(folder, ec)) {
        presenter_.ShowInfo("Folder already exists, please check the appropriate directory!");
        return std::nullopt;
    }
    const fs::path made = firstMissing(folder);
    const std::string previousPatientDB = dm_.PatientDBPath;
    bool patientConnectionMoved = false;
    const auto undo = [&](const char* message) {
        if (patientConnectionMoved) restorePatientConnection(previousPatientDB);
        std::error_code ignored;
        fs::remove_all(made, ignored);
        if (message) presenter_.ShowError(message);
        return std::nullopt;
    };

    if (!fs::create_directories(folder, ec) || ec) return undo("The patient folder could not be created!");
    const std::string databaseFile = PatientDatabaseFile(folder, record.patientID);
    if (!fs::copy_file(templateFile(), databaseFile, fs::copy_options::overwrite_existing, ec) || ec)
        return undo("The patient data file could not be created!");
    const std::string photoTarget = photoTargetFor(folder, photoSource);
    if (!photoSource.empty() && !copyPhoto(photoSource, photoTarget))
        return undo("The patient photo could not be copied!");

    patientConnectionMoved = true;
    dm_.OpenPatientDatabase(databaseFile);
    storage::Query q;
    if (!dm_.conn1.isOpen() || dm_.ExecSQL(q, PatientInsertStatement(record, photoTarget), kPatientConnection, true) < 1)
        return undo(nullptr);

    dm_.MasterDBPath = masterFile();
    if (!dm_.ConnectDatabase(kMasterConnection) ||
        dm_.ExecSQL(q, MasterInsertStatement(record, folder), kMasterConnection, true) < 1)
        return undo(nullptr);

    record.patientPath = folder;
    record.photo = photoTarget;
    presenter_.ShowInfo("The new patient data successfully!");
    return Selection{record.patientID, PatientCaption(record.patientID, record.name, record.gender, record.age)};
}

std::optional<Selection> PatientRegistry::saveModified(PatientRecord& record, const std::string& folder,
                                                       const std::string& photoSource) {
    const std::string databaseFile = PatientDatabaseFile(folder, record.patientID);
    if (!FileExists(databaseFile)) {
        presenter_.ShowInfo("The patient data file has been corrupted!");
        return std::nullopt;
    }
    const std::string photoTarget = photoTargetFor(folder, photoSource);
    if (!photoSource.empty() && !copyPhoto(photoSource, photoTarget)) {
        presenter_.ShowError("The patient photo could not be copied!");
        return std::nullopt;
    }
    dm_.MasterDBPath = masterFile();
    storage::Query q;
    if (!dm_.ConnectDatabase(kMasterConnection) ||
        dm_.ExecSQL(q, MasterUpdateStatement(record, folder), kMasterConnection, true) < 1)
        return std::nullopt;
    dm_.OpenPatientDatabase(databaseFile);
    if (!dm_.conn1.isOpen() || dm_.ExecSQL(q, PatientUpdateStatement(record, photoTarget), kPatientConnection, true) < 1)
        return std::nullopt;
    record.patientPath = folder;
    record.photo = photoTarget;
    presenter_.ShowInfo("A patient of successful modification of data!");
    return Selection{record.patientID, PatientCaption(record.patientID, record.name, record.gender, record.age)};
}

}  // namespace somnexa::patients
