#include "analysis/patient_data.h"

#include <filesystem>
#include <system_error>

#include "analysis/therapy_day.h"
#include "storage/data_module.h"

namespace somnexa::analysis {

using storage::kPatientConnection;
using storage::Query;
using storage::QuotedStr;

namespace {

std::int32_t intField(const Query& q, const char* name) {
    return static_cast<std::int32_t>(q.FieldByName(name).AsInteger());
}

TStartEvent readSession(const Query& q, bool hasStartPress1) {
    TStartEvent s;
    s.WorkMode = intField(q, "WorkMode");
    s.AutoOnOff = intField(q, "AutoOnOff");
    s.DelayPress = intField(q, "DelayPress");
    s.HotLevel = intField(q, "HotLevel");
    s.ExpPress = intField(q, "ExpPress");
    s.InspPress = intField(q, "InspPress");
    s.MaxPress = intField(q, "MaxPress");
    s.MinPress = intField(q, "MinPress");
    s.StartPress = intField(q, "StartPress");
    s.EPR = intField(q, "EPR");
    s.ESens = intField(q, "ESens");
    s.ISens = intField(q, "ISens");
    s.WorkPress = intField(q, "WorkPress");
    s.BPM = intField(q, "BPM");
    s.InspTime = intField(q, "InspTime");
    s.OpenTime = q.FieldByName("OpenTime").AsDateTime().days();
    if (hasStartPress1) {
        s.StartPress1 = intField(q, "StartPress1");
        s.ISlop = intField(q, "ISlop");
    }
    return s;
}

}  // namespace

std::string PatientFolder(const storage::TDM& dm) {
    const std::filesystem::path folder = std::filesystem::path(dm.PatientDBPath).parent_path();
    std::string text = folder.string();
    if (!text.empty() && text.back() != '/') text.push_back('/');
    return text;
}

std::string DayListText(const arTDate& dates) {
    std::string list = "(''";
    for (const DateTime& d : dates) list += "," + QuotedStr(d.format(DateTimeForm::DateText));
    return list + ")";
}

std::string DayCondition(const std::string& dayList) {
    return " format(dateadd('h', -12, opentime), 'YYYY-MM-DD') in " + dayList +
           " or format(dateadd('h', -12, dateadd('s', times, opentime)), 'YYYY-MM-DD') in " + dayList;
}

void ComputePatientData(storage::TDM& dm, const std::string& currentPatientID, TPatientData& data) {
    dm.ReadPatientInfo(currentPatientID, data.Info);

    const std::string where = DayCondition(DayListText(data.Dates));
    Query q;

    // Settings of every session starting or ending on a selected day, newest first,
    // and the use that falls on the selected days.
    data.Sessions.clear();
    data.UseSeconds = 0.0;
    const int sessions = dm.ExecSQL(q, "select * from tSession where " + where + " order by opentime desc",
                                    kPatientConnection, true);
    if (sessions > 0) {
        const bool hasStartPress1 = q.HasField("StartPress1");
        data.Sessions.reserve(static_cast<std::size_t>(sessions));
        for (q.First(); !q.Eof(); q.Next()) {
            data.Sessions.push_back(readSession(q, hasStartPress1));
            data.UseSeconds += UsageInDays(intField(q, "times"), data.Dates, q.FieldByName("opentime").AsDateTime());
        }
    }

    // When every session starts on one day, that day's column statistics stand
    // for all selected days.
    std::string statisticsDay;
    if (dm.ExecSQL(q,
                   " select datevalue(dateadd('h',-12,opentime)) as Dates from tSession where " + where +
                       " group by datevalue(dateadd('h',-12,opentime))",
                   kPatientConnection, true) == 1)
        statisticsDay = q.FieldByName("Dates").AsDateTime().format(DateTimeForm::DateText);

    data.DateCount = static_cast<std::int32_t>(data.Dates.size());

    data.Analysis.assign(data.Dates.size(), TAnalysis{});
    for (std::size_t i = 0; i < data.Dates.size(); ++i) {
        TAnalysis& day = data.Analysis[i];
        const std::string dayText = data.Dates[i].format(DateTimeForm::DateText);
        // The events whose own time falls on the therapy day, from every session:
        // from the day's noon up to, not including, the next noon, so that the
        // index on DataTime serves the search.
        const DateTime noon(static_cast<double>(data.Dates[i].dayNumber()) + 0.5);
        if (dm.ExecSQL(q,
                       "select datatype, count(ID) as countEvent from tData where DataTime >= #" +
                           noon.format(DateTimeForm::DateTimeText) + "# and DataTime < #" +
                           noon.addMilliseconds(86400 * 1000).format(DateTimeForm::DateTimeText) +
                           "# group by datatype",
                       kPatientConnection, true) > 0)
            for (q.First(); !q.Eof(); q.Next())
                day.SetEventCount(intField(q, "datatype"), intField(q, "countEvent"));

        const std::string columnDay = statisticsDay.empty() ? dayText : statisticsDay;
        if (dm.ExecSQL(q, "select * from tColumnData where code < 200 and sDate=" + QuotedStr(columnDay),
                       kPatientConnection, true) > 0)
            for (q.First(); !q.Eof(); q.Next())
                day.SetParameter(intField(q, "Code"), intField(q, "DataMode"),
                                 static_cast<double>(q.FieldByName("Values").AsInteger()));
    }
}

bool DayHasLogFile(storage::TDM& dm, const std::string& day) {
    Query q;
    if (dm.ExecSQL(q, "select opentime from tsession where datevalue(dateadd('h',-12,opentime))=#" + day + "#",
                   kPatientConnection, true) <= 0)
        return false;
    const std::string folder = PatientFolder(dm);
    std::error_code ec;
    for (q.First(); !q.Eof(); q.Next()) {
        const std::string name =
            folder + q.FieldByName("opentime").AsDateTime().format(DateTimeForm::FileStamp) + ".hidl";
        if (std::filesystem::is_regular_file(name, ec)) return true;
    }
    return false;
}

void DaySessionRange(storage::TDM& dm, DateTime currentDay, DateTime& start, DateTime& end) {
    const double day = static_cast<double>(currentDay.dayNumber());
    const std::string s = DateTime(day + 0.5).format(DateTimeForm::DateTimeText);
    const std::string e = DateTime(day + 0.5).addMilliseconds(86400 * 1000 - 1).format(DateTimeForm::DateTimeText);
    start = DateTime();
    end = DateTime();
    Query q;
    if (dm.ExecSQL(q,
                   "select min(opentime) as StartTime, max(dateadd('s', times, opentime)) as EndTime from tsession "
                   "where " +
                       ("(opentime between #" + s + "# and #" + e + "#) or ") +
                       ("(dateadd('s', times, opentime) between #" + s + "# and #" + e + "#)"),
                   kPatientConnection, true) > 0) {
        start = q.FieldByName("StartTime").AsDateTime();
        end = q.FieldByName("EndTime").AsDateTime();
    }
}

}  // namespace somnexa::analysis
