#pragma once
// TDM, the data module: the master connection (kind 1) and the patient
// connection (any other kind, 2 by custom), ExecSQL, the option store,
// patient identifiers and the patient block. Database errors end here: they
// become the integer results of the routines and, when asked, an error box.

#include <string>

#include "records/date_time.h"
#include "records/patient_info.h"
#include "storage/connection.h"
#include "storage/message_catalogue.h"
#include "storage/presenter.h"
#include "storage/query.h"

namespace somnexa::storage {

inline constexpr int kMasterConnection = 1;
inline constexpr int kPatientConnection = 2;

// The platform's quote routine: single quotes around, inner ones doubled.
std::string QuotedStr(std::string_view text);

class TDM {
public:
    // presenter and catalogue may be null (no boxes, untranslated texts); both must outlive the module.
    explicit TDM(Presenter* presenter = nullptr, const MessageCatalogue* catalogue = nullptr);

    std::string MasterDBPath;   // the master database file
    std::string PatientDBPath;  // the open patient database file; empty until a patient is opened

    Connection conn;   // master
    Connection conn1;  // patient

    void setPresenter(Presenter* presenter) { presenter_ = presenter; }
    void setCatalogue(const MessageCatalogue* catalogue) { catalogue_ = catalogue; }
    // The moment used for "today" and for Now() inside statements.
    void setClock(Clock clock);
    double now() const;

    Connection& connection(int kind) { return kind == kMasterConnection ? conn : conn1; }

    // Kind 1 keeps an open master connection (the path is not re-read); any
    // other kind reopens the patient connection on PatientDBPath. The error box
    // "Database connection failed!" on failure.
    bool ConnectDatabase(int kind);
    // true if closing failed.
    bool DisconnectDatabase(int kind);
    // Rows of a result set, rows affected by a command, or -1. A statement is a
    // result set when it is a SELECT without an INTO clause.
    int ExecSQL(Query& query, const std::string& sql, int kind, bool showError);

    std::string GetOption(const std::string& name, const std::string& defaultValue);
    bool SetOption(const std::string& name, const std::string& value);
    bool TableExists(const std::string& tableName);
    void OpenPatientDatabase(const std::string& path);
    // "YYYYMMDD" of today and the day's next three-digit sequence; empty when
    // the master database cannot be opened or the day's 999 numbers are used.
    std::string NewPatientID();
    // 0, -1 (patient database cannot be opened), -2 (no row for the patient).
    int ReadPatientInfo(const std::string& patientID, TPatientInfo& info);

    // Transactions on one connection; false (and the error box when asked) on failure.
    bool BeginTransaction(int kind, bool showError = true);
    bool CommitTransaction(int kind, bool showError = true);
    bool RollbackTransaction(int kind, bool showError = true);

    std::string CatalogueText(std::string_view text) const;

private:
    void reportSqlError(const std::string& message, const std::string& sql, bool showError);

    Presenter* presenter_;
    const MessageCatalogue* catalogue_;
    Clock clock_;
};

// Whether a statement is read as a result set: it begins with SELECT and has
// no INTO clause outside its texts and names.
bool isResultSetStatement(std::string_view sql);

}  // namespace somnexa::storage
