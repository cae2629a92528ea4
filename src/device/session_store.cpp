#include "device/session_store.h"

#include <optional>

#include "records/qv_func.h"

namespace somnexa::device {

namespace {

using storage::kPatientConnection;

std::optional<DateTime> realtimeStart(const TLogData& session, const arTRealTimeData& realtimeIndex) {
    for (const auto& entry : realtimeIndex)
        if (entry.Id == session.Id) return DeviceTimeToDateTime(entry.Time);
    return std::nullopt;
}

std::string insertSessionSql(const std::string& t, const std::string& r, const TLogData& s) {
    std::string sql =
        "insert into tSession (OpenTime,RealTime,WorkMode,AutoOnOff,DelayPress,HotLevel,ExpPress,InspPress,MaxPress,"
        "MinPress,StartPress,EPR,ESens,ISens,WorkPress,BPM,InspTime,Times,StartPress1,ISlop) values (#" +
        t + "#,#" + r + "#,";
    const std::int32_t values[] = {s.WorkMode, s.AutoOnOff, s.DelayPress, s.HotLevel,  s.ExpPress, s.InspPress,
                                   s.MaxPress, s.MinPress,  s.StartPress, s.EPR,       s.ESens,    s.ISens,
                                   s.WorkPress, s.BPM,      s.InspTime,   s.Times,     s.StartPress1, s.ISlop};
    bool first = true;
    for (const std::int32_t v : values) {
        if (!first) sql += ",";
        sql += std::to_string(v);
        first = false;
    }
    return sql + ")";
}

// Runs the statements of one session inside the open transaction; false at
// the first statement that fails.
bool writeRows(storage::TDM& dm, const TLogData& s, DateTime openTime, const std::string& t, const std::string& r,
               const StoreOptions& options, StoreResult& result) {
    storage::Query q;
    const std::string where = "OpenTime=#" + t + "#";
    if (options.overwrite) {
        if (dm.ExecSQL(q, "delete from tData where SessionID in (select SessionID from tSession where " + where + ")",
                       kPatientConnection, true) < 0)
            return false;
        if (dm.ExecSQL(q, "delete from tSession where " + where, kPatientConnection, true) < 0) return false;
    }
    if (dm.ExecSQL(q, insertSessionSql(t, r, s), kPatientConnection, true) < 0) return false;
    if (dm.ExecSQL(q, "select SessionID from tSession where " + where, kPatientConnection, true) <= 0) return false;
    result.sessionId = q.FieldByName("SessionID").AsString();
    if (result.sessionId.empty()) return false;

    const std::string prefix = "insert into tData (SessionID,DataTime,DataType,DataValue,TimeLen) values (" +
                               result.sessionId + ",#";
    for (const TLogEvent& e : s.Events) {
        if (options.afterRow) options.afterRow();
        const std::string d =
            openTime.addSeconds(static_cast<double>(e.Offset) - e.TimeLen).format(DateTimeForm::DateTimeText);
        const std::string sql = prefix + d + "#," + std::to_string(e.Code) + "," + std::to_string(e.Value) + "," +
                                std::to_string(e.TimeLen) + ")";
        if (dm.ExecSQL(q, sql, kPatientConnection, true) < 0) return false;
        ++result.events;
        if (options.savedEvents) ++*options.savedEvents;
    }
    return true;
}

}  // namespace

StoreResult StoreSessionRows(storage::TDM& dm, const TLogData& session, const arTRealTimeData& realtimeIndex,
                             const StoreOptions& options) {
    StoreResult result;
    if (options.savedEvents) *options.savedEvents = 0;
    const auto open = DeviceTimeToDateTime(session.Time);
    if (!open) return result;  // a session without a valid start cannot be named
    if (!dm.ConnectDatabase(kPatientConnection)) return result;

    // The moment to the second, as the statements carry it.
    result.openTime = open->format(DateTimeForm::DateTimeText);
    const DateTime openTime = DateTime::parse(result.openTime).value_or(*open);
    const auto real = realtimeStart(session, realtimeIndex);
    result.realTime = real ? real->format(DateTimeForm::DateTimeText) : result.openTime;

    storage::Query q;
    const int found =
        dm.ExecSQL(q, "select * from tSession where OpenTime=#" + result.openTime + "#", kPatientConnection, true);
    if (found < 0) return result;
    if (found > 0 && !options.overwrite) {
        result.outcome = StoreOutcome::Kept;
        return result;
    }

    if (!dm.BeginTransaction(kPatientConnection)) return result;
    StoreOptions run = options;
    run.overwrite = found > 0;
    const bool ok = writeRows(dm, session, openTime, result.openTime, result.realTime, run, result);
    if (ok && dm.CommitTransaction(kPatientConnection)) {
        result.outcome = StoreOutcome::Stored;
    } else {
        dm.RollbackTransaction(kPatientConnection);
        result.sessionId.clear();
        result.events = 0;
    }
    if (options.savedEvents) *options.savedEvents = 0;
    return result;
}

bool StoreSession(storage::TDM& dm, const TLogData& session, const arTRealTimeData& realtimeIndex,
                  const StoreOptions& options) {
    return StoreSessionRows(dm, session, realtimeIndex, options).outcome != StoreOutcome::Failed;
}

}  // namespace somnexa::device
