#include "patient_index.h"

#include <QFileInfo>
#include <QString>

#include <filesystem>

#include "patient_files.h"
#include "storage/connection.h"
#include "storage/file_lock.h"

namespace somnexa::patients {

namespace fs = std::filesystem;
using storage::kMasterConnection;
using storage::kPatientConnection;
using storage::QuotedStr;

namespace {
constexpr int kPatientIDLength = 11;

// The age goes into the history row unquoted, as a number; anything else
// (an empty or hand-edited value) is quoted so the statement stays whole.
std::string ageLiteral(const std::string& age) {
    if (!age.empty() && age.find_first_not_of("0123456789") == std::string::npos) return age;
    return QuotedStr(age);
}
}  // namespace

std::string SearchStatement(const std::string& text) {
    const std::string pattern = QuotedStr("%" + text + "%");
    return "select *,(' ' + PatientName) as PatientName1, (' ' + PatientPath) as PatientPath1 from tPatients "
           "where 1=1  and (Patientid like " +
           pattern + " or Patientname like " + pattern + ") order by PatientID desc";
}

std::string SeeLogInsertStatement(const PatientEntry& e, DateTime now) {
    return "insert into SeeLog(PatientID,Patientname,Gender,Patientage,LogDate) values (" + QuotedStr(e.patientID) +
           "," + QuotedStr(e.name) + "," + QuotedStr(e.gender) + "," + ageLiteral(e.age) +
           ",#" + now.format(DateTimeForm::DateTimeText) + "#)";
}

PatientEntry EntryOfRow(const storage::Query& q) {
    return {q.FieldByName("PatientID").AsString(), q.FieldByName("Patientname").AsString(),
            q.FieldByName("Gender").AsString(), q.FieldByName("Patientage").AsString(),
            q.FieldByName("Patientpath").AsString()};
}

PatientIndex::PatientIndex(storage::TDM& dm, storage::Presenter& presenter, std::string programDir)
    : dm_(dm), presenter_(presenter), programDir_(std::move(programDir)) {
    if (!programDir_.empty() && programDir_.back() != '/') programDir_ += '/';
}

bool PatientIndex::connectMaster() {
    dm_.MasterDBPath = masterFile();
    return dm_.ConnectDatabase(kMasterConnection);
}

int PatientIndex::Search(const std::string& text, storage::Query& rows) {
    if (!connectMaster()) return -1;
    return dm_.ExecSQL(rows, SearchStatement(text), kMasterConnection, true);
}

std::vector<PatientEntry> PatientIndex::SearchEntries(const std::string& text) {
    storage::Query q;
    std::vector<PatientEntry> entries;
    if (Search(text, q) <= 0) return entries;
    for (q.First(); !q.Eof(); q.Next()) entries.push_back(EntryOfRow(q));
    return entries;
}

OpenResult PatientIndex::Open(const PatientEntry& entry, Selection& selection) {
    const std::string path = PatientDatabaseFile(entry.path, entry.patientID);
    if (!FileExists(path)) {
        presenter_.ShowInfo("The patient file does not exist!");
        Delete(entry.patientID);
        return OpenResult::FileMissing;
    }
    selection = {entry.patientID, PatientCaption(entry)};
    dm_.OpenPatientDatabase(path);
    storage::Query q;
    dm_.ExecSQL(q, SeeLogInsertStatement(entry, DateTime(dm_.now())), kMasterConnection, true);
    return OpenResult::Opened;
}

bool PatientIndex::Delete(const std::string& patientID) {
    storage::Query q;
    return dm_.ExecSQL(q, "delete from tPatients where PatientID=" + QuotedStr(patientID), kMasterConnection, true) >= 0;
}

void PatientIndex::reopenPatient(const std::string& previousPath) {
    dm_.PatientDBPath = previousPath;
    if (FileExists(previousPath)) dm_.ConnectDatabase(kPatientConnection);
}

std::optional<std::string> PatientIndex::Import(const std::string& file) {
    if (!FileExists(file)) return std::nullopt;
    if (storage::FileInUse(file)) {
        presenter_.ShowInfo("File is already in use, please close the data file!");
        return std::nullopt;
    }
    const QFileInfo info(QString::fromStdString(file));
    const QString name = info.fileName();
    const QString base = name.left(name.indexOf(QLatin1Char('.')) < 0 ? name.size() : name.indexOf(QLatin1Char('.')));
    if (base.size() != kPatientIDLength) {
        presenter_.ShowInfo("Data file does not match!");
        return std::nullopt;
    }
    const std::string baseID = base.toStdString();
    const std::string select = "select * from tPatients where Patientid=" + QuotedStr(baseID);

    // Look into the file before anything is written to it: a file that is no
    // database or holds no row of its patient is left exactly as it was.
    {
        storage::Connection probe;
        std::string error;
        storage::Query rows;
        if (!probe.open(file, error) || probe.run(select, &rows, error) < 1) {
            presenter_.ShowInfo("Data file information is not correct!");
            return std::nullopt;
        }
    }

    const std::string previousPatientDB = dm_.PatientDBPath;
    dm_.OpenPatientDatabase(file);
    storage::Query q;
    if (!dm_.conn1.isOpen() || dm_.ExecSQL(q, select, kPatientConnection, true) < 1) {
        presenter_.ShowInfo("Data file information is not correct!");
        dm_.DisconnectDatabase(kPatientConnection);
        reopenPatient(previousPatientDB);
        return std::nullopt;
    }
    const std::string newID = dm_.NewPatientID();
    const std::string folder = info.absolutePath().toStdString();
    const std::string target = PatientDatabaseFile(folder, newID);
    if (newID.empty() || FileExists(target)) {
        presenter_.ShowInfo("Data file does not match!");
        dm_.DisconnectDatabase(kPatientConnection);
        reopenPatient(previousPatientDB);
        return std::nullopt;
    }
    dm_.ExecSQL(q,
                "insert into tPatients (Patientid,Patientname,Gender,PatientAge,Patientpath) in " +
                    QuotedStr(masterFile()) + " select " + QuotedStr(newID) + ",Patientname,Gender,Age," +
                    QuotedStr(folder) + " from tPatients where Patientid=" + QuotedStr(baseID),
                kPatientConnection, true);
    dm_.ExecSQL(q, "update tPatients set Patientid=" + QuotedStr(newID) + " where Patientid=" + QuotedStr(baseID),
                kPatientConnection, true);
    dm_.DisconnectDatabase(kPatientConnection);
    std::error_code ec;
    fs::rename(file, target, ec);
    reopenPatient(previousPatientDB);
    presenter_.ShowInfo("Patient data into success!");
    dm_.DisconnectDatabase(kMasterConnection);
    return newID;
}

}  // namespace somnexa::patients
