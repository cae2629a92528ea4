#include "storage/data_module.h"

#include <cstdlib>

#include "records/fixed_text.h"
#include "storage/sql_tokenizer.h"

namespace somnexa::storage {

std::string QuotedStr(std::string_view text) {
    std::string s;
    s.reserve(text.size() + 2);
    s.push_back('\'');
    for (char c : text) {
        if (c == '\'') s.push_back('\'');
        s.push_back(c);
    }
    s.push_back('\'');
    return s;
}

bool isResultSetStatement(std::string_view sql) {
    const TokenizeResult t = tokenize(sql);
    if (t.tokens.empty() || t.tokens[0].kind != TokenKind::Word || !equalsIgnoringCase(t.tokens[0].text, "select"))
        return false;
    for (const Token& token : t.tokens)
        if (token.kind == TokenKind::Word && equalsIgnoringCase(token.text, "into")) return false;
    return true;
}

TDM::TDM(Presenter* presenter, const MessageCatalogue* catalogue) : presenter_(presenter), catalogue_(catalogue) {}

void TDM::setClock(Clock clock) {
    clock_ = clock;
    conn.setClock(clock);
    conn1.setClock(std::move(clock));
}

double TDM::now() const { return clock_ ? clock_() : localNow(); }

std::string TDM::CatalogueText(std::string_view text) const {
    return catalogue_ ? catalogue_->CatalogueText(text) : std::string(text);
}

bool TDM::ConnectDatabase(int kind) {
    std::string error;
    bool ok = false;
    if (kind == kMasterConnection) {
        ok = conn.isOpen() || conn.open(MasterDBPath, error);
    } else {
        conn1.close();
        ok = conn1.open(PatientDBPath, error);
    }
    if (!ok && presenter_) presenter_->ShowError(CatalogueText("Database connection failed!") + "\n\r" + error);
    return ok;
}

bool TDM::DisconnectDatabase(int kind) {
    connection(kind).close();
    return false;
}

void TDM::reportSqlError(const std::string& message, const std::string& sql, bool showError) {
    if (showError && presenter_)
        presenter_->ShowInfo(CatalogueText("Error executing SQL!") + "\n\r" + message + "\n\r" + sql);
}

int TDM::ExecSQL(Query& query, const std::string& sql, int kind, bool showError) {
    Connection& c = connection(kind);
    if (!c.isOpen()) return -1;
    query.Close();
    query.SQL = sql;
    std::string error;
    const int result = c.run(sql, isResultSetStatement(sql) ? &query : nullptr, error);
    if (result < 0) reportSqlError(error, sql, showError);
    return result;
}

std::string TDM::GetOption(const std::string& name, const std::string& defaultValue) {
    Query q;
    if (ExecSQL(q, "select * from sysOption where optName = " + QuotedStr(name), kMasterConnection, true) > 0)
        return q.FieldByName("Value").AsString();
    return defaultValue;
}

bool TDM::SetOption(const std::string& name, const std::string& value) {
    Query q;
    const int found = ExecSQL(q, "select * from sysOption where optName = " + QuotedStr(name), kMasterConnection, true);
    if (found < 0) return false;
    const std::string sql =
        found == 0 ? " insert into sysOption(optName, [value]) values (" + QuotedStr(name) + "," + QuotedStr(value) + ")"
                   : " update sysOption set [value] = " + QuotedStr(value) + " where optName = " + QuotedStr(name);
    return ExecSQL(q, sql, kMasterConnection, true) == 1;
}

bool TDM::TableExists(const std::string& tableName) {
    Query q;
    return ExecSQL(q, "select * from " + tableName, kPatientConnection, false) >= 0;
}

void TDM::OpenPatientDatabase(const std::string& path) {
    PatientDBPath = path;
    ConnectDatabase(kPatientConnection);
    if (!TableExists("tColumnData")) {
        Query q;
        ExecSQL(q,
                "Create Table tColumnData(ID Counter Primary Key, sDate string(20),Code integer, CodePos integer, "
                "DataMode integer,[Values] string(255), Values1 string(255))",
                kPatientConnection, true);
    }
}

std::string TDM::NewPatientID() {
    const std::string today = DateTime(now()).format(DateTimeForm::DateText);
    const std::string day = today.substr(0, 4) + today.substr(5, 2) + today.substr(8, 2);
    if (!ConnectDatabase(kMasterConnection)) return {};
    Query q;
    const int rows = ExecSQL(q, "select * from tPatients where PatientID like " + QuotedStr(day + "%") +
                                    " order by PatientID Desc",
                             kMasterConnection, true);
    if (rows < 0) return {};
    // Text order puts "...999" after "...1000"; the largest sequence of the day is
    // found by value so that no identifier is handed out twice.
    long long last = 0;
    for (q.First(); !q.Eof(); q.Next()) {
        const std::string id = q.FieldByName("PatientID").AsString();
        if (id.size() <= 8) continue;
        const std::string rest = id.substr(8);
        char* end = nullptr;
        const long long n = std::strtoll(rest.c_str(), &end, 10);
        if (end == rest.c_str() + rest.size() && n > last) last = n;
    }
    q.First();
    if (last >= 999) return {};
    const std::string seq = std::to_string(last + 1);
    return day + std::string(3 - seq.size(), '0') + seq;
}

int TDM::ReadPatientInfo(const std::string& patientID, TPatientInfo& info) {
    if (!ConnectDatabase(kPatientConnection)) return -1;
    Query q;
    if (ExecSQL(q, "select * from tPatients where PatientID =" + QuotedStr(patientID), kPatientConnection, true) <= 0)
        return -2;
    auto text = [&](const char* column) { return q.FieldByName(column).AsString(); };
    setFixedText(info.PatientID, text("PatientID"));
    setFixedText(info.PatientName, text("PatientName"));
    setFixedText(info.E_Mail, text("E_Mail"));
    setFixedText(info.Phone, text("Phone"));
    setFixedText(info.Address, text("Address"));
    setFixedText(info.DeviceName, text("DeviceName"));
    setFixedText(info.Doctor, text("Doctor"));
    setFixedText(info.Gender, text("Gender"));
    const std::int64_t age = q.FieldByName("Age").AsInteger();
    info.Age = static_cast<std::uint8_t>(age < 0 ? 0 : (age > 255 ? 255 : age));
    info.Birthday = q.FieldByName("Birthday").AsFloat();
    setFixedText(info.Height, text("Height"));
    setFixedText(info.Weight, text("Weight"));
    setFixedText(info.BMI, text("BMI"));
    setFixedText(info.Allergic, text("Allergic"));
    setFixedText(info.Clinic, text("Clinic"));
    setFixedText(info.Readme, text("Readme"));
    return 0;
}

bool TDM::BeginTransaction(int kind, bool showError) {
    std::string error;
    if (connection(kind).begin(error)) return true;
    reportSqlError(error, "BEGIN", showError);
    return false;
}

bool TDM::CommitTransaction(int kind, bool showError) {
    std::string error;
    if (connection(kind).commit(error)) return true;
    reportSqlError(error, "COMMIT", showError);
    return false;
}

bool TDM::RollbackTransaction(int kind, bool showError) {
    std::string error;
    if (connection(kind).rollback(error)) return true;
    reportSqlError(error, "ROLLBACK", showError);
    return false;
}

}  // namespace somnexa::storage
