#include "analysis/column_cache.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "analysis/column_statistics.h"
#include "analysis/patient_data.h"
#include "analysis/therapy_day.h"
#include "records/data_file.h"
#include "storage/data_module.h"

namespace somnexa::analysis {

using storage::kMasterConnection;
using storage::kPatientConnection;
using storage::Query;
using storage::QuotedStr;

namespace {

constexpr std::int64_t kMsPerDay = 86400 * 1000;

// The statistics configured for one channel, in sortindex order.
struct ChannelGroup {
    int Code = 0;
    int CodePos = 0;
    std::vector<int> Kinds;  // tColumnList Index of each row
};

std::vector<ChannelGroup> loadGroups(storage::TDM& dm) {
    std::vector<ChannelGroup> groups;
    Query q;
    if (dm.ExecSQL(q, "select code, codepos from tColumnList where Mode=1 group by code, codepos", kMasterConnection,
                   true) <= 0)
        return groups;
    for (q.First(); !q.Eof(); q.Next())
        groups.push_back({static_cast<int>(q.FieldByName("code").AsInteger()),
                          static_cast<int>(q.FieldByName("codepos").AsInteger()),
                          {}});
    for (ChannelGroup& g : groups) {
        if (dm.ExecSQL(q,
                       "select * from tColumnList where Mode=1 and code = " + std::to_string(g.Code) +
                           " and codepos = " + std::to_string(g.CodePos) + " order by sortindex",
                       kMasterConnection, true) <= 0)
            continue;
        for (q.First(); !q.Eof(); q.Next()) g.Kinds.push_back(static_cast<int>(q.FieldByName("Index").AsInteger()));
    }
    return groups;
}

std::string fileName(DateTime openTime) { return openTime.format(DateTimeForm::FileStamp) + ".hidl"; }

// Span of a file: its header's start and length, or, for a file that is
// missing or unreadable, the session's own times (the file rows still show
// where the session lay in the day).
struct FileSpan {
    bool Readable = false;
    DateTime Start;
    double Seconds = 0.0;
};

FileSpan fileSpan(TDataFile& file, const std::string& path, const DayLogFile& f) {
    // A file is named after its session's start; a header whose start lies
    // elsewhere is damaged.
    if (file.ReadHeader(path) == 0 && !file.Channels().empty() && std::isfinite(file.Header.StartTime) &&
        std::fabs(file.Header.StartTime - f.OpenTime.days()) <= 1.0)
        return {true, DateTime(file.Header.StartTime), static_cast<double>(file.TotalPoints())};
    return {false, f.OpenTime, static_cast<double>(std::max(0, f.Times))};
}

void computeDay(storage::TDM& dm, const std::string& day, const std::vector<DayLogFile>& files,
                const std::vector<ChannelGroup>& groups, const std::string& folder) {
    const auto dayDate = DateTime::parse(day);
    if (!dayDate) return;
    const DateTime dayStart(dayDate->datePart().days() + 0.5);
    const std::string quotedDay = QuotedStr(day);
    TDataFile file;
    Query q;
    std::vector<std::int32_t> samples;
    arInteger values;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const ChannelGroup& group = groups[g];
        samples.clear();
        for (const DayLogFile& f : files) {
            const std::string path = folder + f.Name;
            const FileSpan span = fileSpan(file, path, f);
            int pointsPerSample = 1;
            const int channel = span.Readable ? file.FindChannel(group.Code, group.CodePos) : -1;
            if (channel >= 0) pointsPerSample = std::max<int>(1, file.Channels()[channel].PointsPerSample);
            const FileWindow w = ComputeFileWindow(span.Start, span.Seconds, dayStart, pointsPerSample);
            if (g == 0) {
                dm.ExecSQL(q,
                           "Insert into tColumnData (sDate, Code, CodePos, DataMode, [Values]) values (" + quotedDay +
                               ",200,0,0," + QuotedStr(f.Name) + ")",
                           kPatientConnection, true);
                dm.ExecSQL(q,
                           "Insert into tColumnData (sDate, Code, CodePos, DataMode, [Values], Values1) values (" +
                               quotedDay + ",201,0,0," + QuotedStr(w.Start.format(DateTimeForm::DateTimeText)) +
                               ", " + QuotedStr(w.End.format(DateTimeForm::DateTimeText)) + ")",
                           kPatientConnection, true);
            }
            if (channel < 0 || w.MaxFrames <= 0) continue;
            if (file.ReadChannelValues(values, path, group.Code, group.CodePos, 0, w.StartFrame, w.MaxFrames) > 0)
                samples.insert(samples.end(), values.begin(), values.end());
        }
        if (samples.empty()) continue;
        const ColumnStatistics stats = ComputeColumnStatistics(samples);
        for (const int kind : group.Kinds)
            dm.ExecSQL(q,
                       "Insert into tColumnData (sDate, Code, CodePos, DataMode, [Values]) values (" + quotedDay +
                           "," + std::to_string(group.Code) + "," + std::to_string(group.CodePos) + "," +
                           std::to_string(kind) + "," + QuotedStr(std::to_string(stats.ByKind(kind))) + ")",
                       kPatientConnection, true);
    }
}

struct SessionSpan {
    std::int64_t OpenMs = 0;
    std::int64_t EndMs = 0;
    DayLogFile File;
};

}  // namespace

FileWindow ComputeFileWindow(DateTime fileStart, double totalSeconds, DateTime dayStart, int pointsPerSample) {
    const DateTime dayEnd = dayStart.addMilliseconds(kMsPerDay);
    const DateTime fileEnd = fileStart.addSeconds(totalSeconds);
    FileWindow w;
    w.Start = std::max(fileStart, dayStart);
    w.End = std::max(w.Start, std::min(fileEnd, dayEnd));  // a file ending before the day has an empty window
    const int p = std::max(1, pointsPerSample);
    const std::int32_t offset = SecondsBetween(fileStart, w.Start);
    const std::int32_t length = SecondsBetween(w.Start, w.End);
    w.StartFrame = offset / p + 1;
    w.MaxFrames = length > 10 ? (length - 10) / p : 0;
    return w;
}

void ComputeColumnDay(storage::TDM& dm, const std::string& day, const std::vector<DayLogFile>& files) {
    computeDay(dm, day, files, loadGroups(dm), PatientFolder(dm));
}

CacheRefreshResult RefreshColumnCache(storage::TDM& dm) {
    CacheRefreshResult result;
    dm.ConnectDatabase(kMasterConnection);
    Query q;

    // Every start day and every end day of a session.
    std::vector<std::string> days;
    if (dm.ExecSQL(q,
                   "select format(" + std::string("dateadd('h', -12, opentime)") +
                       ", 'YYYY-MM-DD') as sDate from tsession " + "union " +
                       "select format(dateadd('s', times, " + "dateadd('h', -12, opentime)" +
                       "), 'YYYY-MM-DD') from tsession",
                   kPatientConnection, true) > 0)
        for (q.First(); !q.Eof(); q.Next()) days.push_back(q.Fields(0).AsString());
    result.Days = static_cast<int>(days.size());
    if (days.empty()) return result;

    // The sessions, oldest first, to find each day's log files: those starting
    // or ending within D 12:00:00 .. D+1 11:59:59.
    std::vector<SessionSpan> sessions;
    if (dm.ExecSQL(q, "select OpenTime, Times from tSession order by opentime", kPatientConnection, true) > 0)
        for (q.First(); !q.Eof(); q.Next()) {
            SessionSpan s;
            s.File.OpenTime = q.FieldByName("OpenTime").AsDateTime();
            s.File.Times = static_cast<std::int32_t>(q.FieldByName("Times").AsInteger());
            s.File.Name = fileName(s.File.OpenTime);
            s.OpenMs = toMilliseconds(s.File.OpenTime);
            s.EndMs = toMilliseconds(s.File.OpenTime.addSeconds(s.File.Times));
            sessions.push_back(std::move(s));
        }

    // The file rows already in the cache.
    std::set<std::pair<std::string, std::string>> fileRows;
    if (dm.ExecSQL(q, "select sDate, [Values] from tColumnData where Code = 200", kPatientConnection, true) > 0)
        for (q.First(); !q.Eof(); q.Next()) fileRows.emplace(q.Fields(0).AsString(), q.Fields(1).AsString());

    const std::vector<ChannelGroup> groups = loadGroups(dm);
    const std::string folder = PatientFolder(dm);
    const bool transaction = dm.BeginTransaction(kPatientConnection, false);
    std::vector<DayLogFile> files;
    for (const std::string& day : days) {
        const auto date = DateTime::parse(day);
        if (!date) continue;
        const std::int64_t s = toMilliseconds(DateTime(date->datePart().days() + 0.5));
        const std::int64_t e = s + kMsPerDay - 1000;
        files.clear();
        bool upToDate = true;
        for (const SessionSpan& session : sessions) {
            if (session.OpenMs > e) break;
            const bool touches = (session.OpenMs >= s && session.OpenMs <= e) || (session.EndMs >= s && session.EndMs <= e);
            if (!touches) continue;
            files.push_back(session.File);
            if (!fileRows.contains({day, session.File.Name})) upToDate = false;
        }
        if (upToDate && !files.empty()) continue;
        dm.ExecSQL(q, "delete from tColumnData where sDate =" + QuotedStr(day), kPatientConnection, true);
        computeDay(dm, day, files, groups, folder);
        ++result.Computed;
    }
    if (transaction) dm.CommitTransaction(kPatientConnection, true);
    return result;
}

}  // namespace somnexa::analysis
