// Every SQL text the system runs, as the windows and routines compose it,
// against the fixture of conformance_fixture.h, with the rows Jet gives.
// Fields of an expected row are separated by ";"; a NULL is empty; columns
// marked ":d" are shown as moments ("YYYY-MM-DD", or with the time when not midnight).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "conformance_fixture.h"
#include "storage/data_module.h"
#include "storage/recording_presenter.h"
#include "storage/shared_routines.h"
#include "temp_folder.h"

namespace somnexa::storage {
namespace {

struct SqlCase {
    const char* name;
    int kind;
    std::string sql;
    int expected;                   // ExecSQL's result
    const char* columns = nullptr;  // rows to compare: nullptr for none
    std::vector<std::string> rows = {};
    const char* check = nullptr;  // the rows come from this select instead of sql
    int checkKind = 0;            // 0: the same connection
    bool ordered = true;
    const char* prelude = nullptr;
};

// Pieces of the day-piece query.
const std::string S =
    " (SELECT datevalue(dateadd('h', -12, opentime)) AS Dates1, opentime, dateadd('s', times, opentime) AS endtime, "
    "times as times1, iif(WorkMode=0, StartPress, iif(WorkMode=4, MaxPress, inspPress)) as WorkPress FROM tsession) ";
const std::string pieces =
    "(SELECT dates1 as dates, openTime, endtime, WorkPress, (IIf(datevalue(dateadd('h', -12, endtime)) = dates1, "
    "times1, datediff('s',opentime,dateadd('h', 36, dates1)))) AS times FROM " +
    S + " " + "UNION ALL " + "SELECT dateadd('d', 1, dates1) as dates, opentime, endtime, WorkPress, " +
    "datediff('s', dateadd('h', 36, dates1), endtime) as times " + "FROM " + S +
    " WHERE datevalue(dateadd('h', -12, endtime)) <> dates1";
const std::string allDays = "SELECT * from " + pieces + ") where times > 0 ORDER BY dates DESC";
std::string monthTail(const char* first, const char* next) {
    return "SELECT * from " + pieces + ") where dateadd('h',-12,opentime) between #" + first + "# and #" + next +
           "# " + "and times > 0 ORDER BY dates DESC";
}
const std::string rangeDays = "SELECT distinct dates from " + pieces +
                              ") where times > 0 and  CDate(dates) >=CDate('2019-10-31')  and  dates "
                              "<=CDate('2019-11-01')  ORDER BY dates DESC";
std::string dayCondition(const std::string& list) {
    return " format(dateadd('h', -12, opentime), 'YYYY-MM-DD') in " + list +
           " or format(dateadd('h', -12, dateadd('s', times, opentime)), 'YYYY-MM-DD') in " + list;
}
const std::string W = dayCondition("('','2019-10-31','2019-11-01')");
const std::string W1 = dayCondition("('','2019-10-31')");
const std::string sessionWindow(const char* s, const char* e, const char* column) {
    const std::string c = column;
    return "select * from tSession where " + c + " between #" + s + "# and #" + e + "# or (" + c + " < #" + s +
           "# and dateadd('s', times, " + c + ") > #" + s + "#)";
}
std::string sessionRange(const char* s, const char* e) {
    return std::string("select min(opentime) as StartTime, max(dateadd('s', times, opentime)) as EndTime from tsession "
                       "where ") +
           "(opentime between #" + s + "# and #" + e + "#) or " + "(dateadd('s', times, opentime) between #" + s +
           "# and #" + e + "#)";
}
std::string sessionBars(const char* s, const char* e) {
    return std::string("select * from tColumnData") + " where Code=201 and " + "(([Values] between '" + s + "' and '" +
           e + "') " + "or (Values1 between '" + s + "' and '" + e + "')) " + " order by [values]";
}
const char* kSessionInsert =
    "insert into tSession (OpenTime,RealTime,WorkMode,AutoOnOff,DelayPress,HotLevel,ExpPress,InspPress,MaxPress,"
    "MinPress,StartPress,EPR,ESens,ISens,WorkPress,BPM,InspTime,Times,StartPress1,ISlop) values "
    "(#2019-11-03 22:30:00#,#2019-11-03 22:30:04#,2,0,5,1,40,100,150,40,40,0,2,3,100,14,110,25200,40,2)";

const SqlCase kCases[] = {
    // Options, table test, patient identifiers and the patient block.
    {"GetOption", 1, "select * from sysOption where optName = 'Language'", 1, "optName,value", {"Language;3"}},
    {"SetOptionInsert", 1, " insert into sysOption(optName, [value]) values ('Skin','Blue')", 1, "value", {"Blue"},
     "select * from sysOption where optName = 'skin'"},
    {"SetOptionUpdate", 1, " update sysOption set [value] = '1' where optName = 'Language'", 1, "value", {"1"},
     "select * from sysOption where optName = 'Language'"},
    {"TableExists", 2, "select * from tColumnData", 8},
    {"CreateColumnData", 2,
     "Create Table tColumnData(ID Counter Primary Key, sDate string(20),Code integer, CodePos integer, DataMode "
     "integer,[Values] string(255), Values1 string(255))",
     0, "ID,sDate,Code,CodePos,DataMode,Values,Values1", {}, "select * from tColumnData", 0, true,
     "drop table tColumnData"},
    {"NewPatientID", 1, "select * from tPatients where PatientID like '20120906%' order by PatientID Desc", 2,
     "PatientID", {"20120906002", "20120906001"}},
    {"ReadPatientInfo", 2, "select * from tPatients where PatientID ='20191031001'", 1, "PatientName,Birthday:d,Age",
     {"Ann O'Neil;1970-05-17;49"}},
    {"LoadLanguageTable", 1, "select * from Languages where FormName='frmMain' or FormName='Users'", 2,
     "ReferenceLanguage,SimplifiedChinese", {"Home Page;首页", "OK;确定"}},
    // Main window: the analysis page's day test.
    {"AnalysisDays", 2,
     "select datevalue(dateadd('h',-12,opentime)) as Dates, times, WorkPress from tsession where times > 0 order by "
     "datevalue(dateadd('h',-12,opentime)) desc, opentime",
     3, "Dates:d,times,WorkPress", {"2019-11-01;54000;151", "2019-10-31;28800;41", "2019-09-30;3600;101"}},
    // Patient registry.
    {"RegistryRow", 1, "select * from tPatients where PatientID='20120906001'", 1, "PatientPath", {"/p/ann"}},
    {"RegistryInsertMaster", 1,
     "insert into tPatients (PatientID,PatientName,Gender,PatientPath,PatientAge) values "
     "('20191031001','Eve','Female','/p/eve','33')",
     1, "PatientName,PatientAge", {"Eve;33"}, "select * from tPatients where PatientID='20191031001'"},
    {"RegistryUpdateMaster", 1,
     "update tPatients set PatientName='Ann B',Gender='Female',PatientPath='/q/ann',PatientAge='50' where "
     "PatientID='20120906001'",
     1, "PatientName,PatientPath,PatientAge", {"Ann B;/q/ann;50"},
     "select * from tPatients where PatientID='20120906001'"},
    {"RegistryInsertPatient", 2,
     "insert into tPatients (PatientID,PatientName,Gender,Birthday,Age,Height,Weight,BMI,Phone,Address,E_Mail,Photo,"
     "Allergic,Clinic,Readme) values ('20191031002','Li','Male','1980-02-29','39','175','70','22.86','1','Road 2',"
     "'li@example.org','/p/li/photo.jpg','','','')",
     1, "PatientID,Birthday:d,Age,BMI,Photo", {"20191031002;1980-02-29;39;22.86;/p/li/photo.jpg"},
     "select * from tPatients", 0, true, "delete from tPatients"},
    {"RegistryUpdatePatient", 2,
     "update tPatients set PatientName='Ann',Gender='Female',Birthday='1971-01-02',Age='48',Height='171',Weight='66',"
     "BMI='22.57',Phone='556',Address='Main St 2',E_Mail='a@example.org',Photo='',Allergic='pollen',Clinic='',"
     "Readme='x' where PatientID='20191031001'",
     1, "PatientName,Birthday:d,Age,Allergic", {"Ann;1971-01-02;48;pollen"}, "select * from tPatients"},
    // Patient list: search, open, import.
    {"SearchByName", 1,
     "select *,(' ' + PatientName) as PatientName1, (' ' + PatientPath) as PatientPath1 from tPatients where 1=1 "
     " and (Patientid like '%AN%' or Patientname like '%AN%') order by PatientID desc",
     2, "PatientID,PatientName1,PatientPath1", {"20120906002; Dan; /p/dan", "20120906001; Ann; /p/ann"}},
    {"SearchById", 1,
     "select *,(' ' + PatientName) as PatientName1, (' ' + PatientPath) as PatientPath1 from tPatients where 1=1 "
     " and (Patientid like '%0905%' or Patientname like '%0905%') order by PatientID desc",
     1, "PatientName", {"Bob"}},
    {"OpenLogsTheVisit", 1,
     "insert into SeeLog(PatientID,Patientname,Gender,Patientage,LogDate) values "
     "('20120905001','Bob','Male',30,#2019-10-31 17:59:59#)",
     1, "LogDate:d,Patientage", {"2019-10-31 17:59:59;30", "2019-06-01 08:00:00;30"},
     "select * from SeeLog where PatientID='20120905001' order by LogDate desc"},
    {"ImportFindsTheRecord", 2, "select * from tPatients where Patientid='20191031001'", 1, "Gender", {"Female"}},
    {"ImportCopiesIntoTheMaster", 2,
     "insert into tPatients (Patientid,Patientname,Gender,PatientAge,Patientpath) in '{MASTER}' select "
     "'20191031005',Patientname,Gender,Age,'{FOLDER}' from tPatients where Patientid='20191031001'",
     1, "PatientName,Gender,PatientAge,PatientPath", {"Ann O'Neil;Female;49;{FOLDER}"},
     "select * from tPatients where PatientID='20191031005'", 1},
    {"ImportRenumbers", 2, "update tPatients set Patientid='20191031005' where Patientid='20191031001'", 1,
     "PatientID", {"20191031005"}, "select PatientID from tPatients"},
    // Home page history.
    {"HistoryAgesOut", 1, "delete from SeeLog where LogDate < dateadd('d', -100, now)", 1, "PatientID",
     {"20120906002", "20120906001", "20120906001"}, "select PatientID from SeeLog order by LogDate"},
    {"HistoryNewestPerPatient", 1,
     "select top 10 * from SeeLog a where not exists(select 1 from SeeLog where PatientID = a.PatientID and LogDate > "
     "a.LogDate) order by logdate desc",
     3, "PatientID,LogDate:d",
     {"20120906001;2019-10-31 09:00:00", "20120906002;2019-10-29 08:00:00", "20120905001;2019-06-01 08:00:00"}},
    {"HistoryPatientRow", 1, "select * from  tPatients where PatientID='20120906002'", 1, "Patientname", {"Dan"}},
    {"HistoryDropsMissingPatient", 1, "delete from  tPatients where PatientID='20120906002'", 1, "PatientID",
     {"20120905001", "20120906001"}, "select * from tPatients order by PatientID"},
    // Storing a downloaded session.
    {"StoreFindsSession", 2, "select * from tSession where OpenTime=#2019-10-31 22:00:00#", 1, "SessionID,Times",
     {"1;28800"}},
    {"StoreDeletesEvents", 2,
     "delete from tData where SessionID in (select SessionID from tSession where OpenTime=#2019-10-31 22:00:00#)", 4,
     "SessionID", {"2", "2"}, "select SessionID from tData"},
    {"StoreDeletesSession", 2, "delete from tSession where OpenTime=#2019-10-31 22:00:00#", 1, "SessionID",
     {"2", "3", "4"}, "select SessionID from tSession order by SessionID"},
    {"StoreInsertsSession", 2, kSessionInsert, 1, "SessionID,RealTime:d,Times,ISlop", {"5;2019-11-03 22:30:04;25200;2"},
     "select * from tSession where OpenTime=#2019-11-03 22:30:00#"},
    {"StoreReadsSessionID", 2, "select SessionID from tSession where OpenTime=#2019-11-01 23:00:00#", 1, "SessionID",
     {"2"}},
    {"StoreInsertsEvent", 2,
     "insert into tData (SessionID,DataTime,DataType,DataValue,TimeLen) values (2,#2019-11-02 03:04:05#,19,0,14)", 1,
     "SessionID,DataType,TimeLen", {"2;19;14"}, "select * from tData where DataTime=#2019-11-02 03:04:05#"},
    // Chart definitions.
    {"DiagramByCode", 1, "select * from tDiagram where [Type]=2 and Code=17 and CodePos=0", 1, "Name,Height",
     {"Leak;100"}},
    {"ChannelsUser", 1, "select * from tDiagram where [Type]=2 and IsSYS = 0 order by SortIndex", 2, "Name",
     {"Press", "Leak"}},
    {"ChannelsSystem", 1, "select * from tDiagram where [Type]=2 and IsSYS = -1 order by SortIndex", 1, "Name",
     {"Apnea"}},
    {"DiagramSave", 1,
     "update tDiagram set [Name]='Mask leak',ChannleName='Leak',Units='l/min',TextFormatY='0',[Visible]=0,"
     "[Height]=80,[Rows]=4,[Cols]=10,LineColor=255,DiagramModel=0,Rate=1,MinY=0,MaxY=100,DigitalMin=0,"
     "DigitalMax=1000,DataMode=1,Code=17,CodePos=0 where [Name]='LEAK' and [Type]=2",
     1, "Name,Visible,Rows,Units", {"Mask leak;0;4;l/min"},
     "select * from tDiagram where [Type]=2 and Code=17 and CodePos=0"},
    // Realtime view.
    {"RealtimeCharts", 1, "select * from tDiagram where [type]=1 order by sortindex", 2, "Name", {"Pressure", "Flow"}},
    {"RealtimeEvents", 1, "select * from realtimeevent where visible=-1 order by sortid", 2, "Name,Coeff",
     {"InspTV;1", "InspTime;0.01"}},
    {"ToolbarRows", 1, " select * from tToolBar where ToolBarName='frmTableDetail' order by sortindex", 3,
     "caption,itemindex,Down", {"Whole Day;0;-1", "1 Min;1;0", "|;0;0"}},
    {"RealtimeSessionsInside", 2,
     sessionWindow("2019-10-31 22:00:00", "2019-10-31 23:00:00", "realtime"), 1, "SessionID", {"1"}},
    {"RealtimeSessionsLastingInto", 2,
     sessionWindow("2019-11-02 10:00:00", "2019-11-02 11:00:00", "realtime"), 1, "SessionID", {"2"}},
    {"MarkFindsSession", 2,
     "select * from tSession where opentime <=#2019-10-31 23:30:00# and dateadd('s', times, opentime) >=#2019-10-31 "
     "23:31:00#",
     1, "SessionID", {"1"}},
    {"MarkStoresEvent", 2,
     "insert into tdata(sessionID, DataTime, DataType, TimeLen) values ('1',#2019-10-31 23:30:00#,50,60)", 1,
     "SessionID,t,DataValue,DataTime:d",
     {"1;integer;;2019-10-31 23:30:00"},
     "select SessionID, typeof(SessionID) as t, DataValue, DataTime from tData where DataType=50"},
    // Log view.
    {"LogCharts", 1, "select * from tDiagram where ([type] = 1) or ([type] = 2) order by [type], sortindex", 5, "Name",
     {"Pressure", "Flow", "Press", "Leak", "Apnea"}},
    {"LogSessions", 2, sessionWindow("2019-11-02 10:00:00", "2019-11-02 11:00:00", "opentime"), 1, "SessionID",
     {"2"}},
    {"LogEvents", 2,
     "select * from tData where DataType=9 and DataTime Between #2019-10-31 12:00:00# and #2019-11-01 11:59:59# "
     "order by SessionID, DataTime",
     2, "DataTime:d,TimeLen", {"2019-10-31 23:00:00;10", "2019-11-01 01:00:00;12"}},
    {"MarkableEvents", 1, "select * from tEventList order by sortindex", 2, "Index,Name",
     {"50;Central apnea", "51;Arousal"}},
    // Therapy days.
    {"DayPiecesAllDays", 2, allDays, 4, "dates:d,WorkPress,times",
     {"2019-11-02;150;7200", "2019-11-01;150;46800", "2019-10-31;40;28800", "2019-09-30;100;3600"}},
    {"DayPiecesOctober", 2, monthTail("2019-10-01", "2019-11-01"), 1, "dates:d,openTime:d,times",
     {"2019-10-31;2019-10-31 22:00:00;28800"}},
    {"DayPiecesNovember", 2, monthTail("2019-11-01", "2019-12-01"), 2, "dates:d,endtime:d,times",
     {"2019-11-02;2019-11-02 14:00:00;7200", "2019-11-01;2019-11-02 14:00:00;46800"}},
    {"DayPiecesRange", 2, rangeDays, 2, "dates:d", {"2019-11-01", "2019-10-31"}},
    {"SelectedSessions", 2, "select * from tSession where " + W + " order by opentime desc", 2, "SessionID",
     {"2", "1"}},
    {"StartDays", 2,
     " select datevalue(dateadd('h',-12,opentime)) as Dates from tSession where " + W +
         " group by datevalue(dateadd('h',-12,opentime))",
     2, "Dates:d", {"2019-10-31", "2019-11-01"}, nullptr, 0, false},
    {"SingleStartDay", 2,
     " select datevalue(dateadd('h',-12,opentime)) as Dates from tSession where " + W1 +
         " group by datevalue(dateadd('h',-12,opentime))",
     1, "Dates:d", {"2019-10-31"}},
    {"NoSelectedDay", 2, "select * from tSession where " + dayCondition("('')"), 0},
    {"UseSeconds", 2, "select * from tSession where " + W, 2, "SessionID", {"1", "2"}, nullptr, 0, false},
    {"EventCounts", 2,
     "select datatype, count(ID) as countEvent from tData where format(dateadd('h', -12, DataTime), 'YYYY-MM-DD') = "
     "'2019-10-31'group by datatype",
     3, "datatype,countEvent", {"6;1", "9;2", "19;1"}, nullptr, 0, false},
    {"DayParameters", 2, "select * from tColumnData where code < 200 and sDate='2019-10-31'", 3,
     "Code,DataMode,Values", {"16;0;1200", "16;1;1100", "17;0;300"}, nullptr, 0, false},
    {"DaySessionRange", 2, sessionRange("2019-10-31 12:00:00", "2019-11-01 11:59:59"), 1, "StartTime:d,EndTime:d",
     {"2019-10-31 22:00:00;2019-11-01 06:00:00"}},
    {"DaySessionRangeEmpty", 2, sessionRange("2019-12-01 12:00:00", "2019-12-02 11:59:59"), 1,
     "StartTime:d,EndTime:d", {";"}},
    {"DayHasLogFile", 2, "select opentime from tsession where datevalue(dateadd('h',-12,opentime))=#2019-10-31#", 1,
     "opentime:d", {"2019-10-31 22:00:00"}},
    // Column data cache.
    {"CacheDays", 2,
     "select format(dateadd('h', -12, opentime), 'YYYY-MM-DD') as sDate from tsession union select "
     "format(dateadd('s', times, dateadd('h', -12, opentime)), 'YYYY-MM-DD') from tsession",
     5, "sDate", {"2019-09-30", "2019-10-02", "2019-10-31", "2019-11-01", "2019-11-02"}, nullptr, 0, false},
    {"CacheDropsDay", 2, "delete from tColumnData where sDate ='2019-10-31'", 5, "sDate",
     {"2019-11-01", "2019-11-01", "2019-09-30"}, "select sDate from tColumnData", 0, false},
    {"CacheDayFiles", 2,
     "select * from tSession where 1=1  and ((opentime between #2019-10-31 12:00:00# and #2019-11-01 11:59:59#) or "
     "(dateadd('s', times, opentime) between #2019-10-31 12:00:00# and #2019-11-01 11:59:59#))order by opentime",
     1, "SessionID", {"1"}},
    {"CacheCheck", 2, "select * from tColumnData where sDate = '2019-10-31' and values = '20191031220000.hidl'", 1,
     "Code", {"200"}},
    {"CacheChannels", 1, "select code, codepos from tColumnList where Mode=1 group by code, codepos", 2,
     "code,codepos", {"16;0", "17;0"}, nullptr, 0, false},
    {"CacheFileRow", 2,
     "Insert into tColumnData (sDate, Code, CodePos, DataMode, [Values]) values "
     "('2019-11-02',200,0,0,'20191101230000.hidl')",
     1, "Code,Values,Values1", {"200;20191101230000.hidl;"}, "select * from tColumnData where sDate = '2019-11-02'"},
    {"CacheWindowRow", 2,
     "Insert into tColumnData (sDate, Code, CodePos, DataMode, [Values], Values1) values ('2019-11-02',201,0,0,"
     "'2019-11-02 12:00:00', '2019-11-02 14:00:00')",
     1, "Values,Values1", {"2019-11-02 12:00:00;2019-11-02 14:00:00"},
     "select * from tColumnData where sDate = '2019-11-02'"},
    {"CacheStatistics", 1, "select * from tColumnList where Mode=1 and code = 16 and codepos = 0 order by sortindex",
     2, "Index,Name", {"0;Max", "1;P95"}},
    {"ColumnCharts", 1, "select * from tDiagram where [type]=3 order by sortindex", 1, "Name", {"DailyPress"}},
    {"ColumnSeries", 1, "select * from tColumnList where Visible=1 and DiagramCode=160 order by sortindex", 2,
     "Name,Color", {"Max pressure;65280", "P95 pressure;255"}},
    {"ColumnDailyValues", 2,
     "select Right(sDate, 2) as Days, * from tColumnData where Code=16 and DataMode=0 and sDate >='2019-10-01' and "
     "sDate <='2019-10-31'",
     1, "Days,Values,sDate", {"31;1200;2019-10-31"}},
    {"ColumnEventCounts", 2,
     "select DatePart('d', DateAdd('h', -12, DataTime)) as Days, Count(id) as Counts from tData where DataType=9 and "
     "DataTime Between #2019-10-01 12:00:00# and #2019-11-01 11:59:59# group by DatePart('d', DateAdd('h', -12, "
     "DataTime))",
     1, "Days,Counts", {"31;2"}},
    {"SessionBarsOctober", 2, sessionBars("2019-10-01 12:00:00", "2019-11-01 11:59:59"), 1, "sDate,Values,Values1",
     {"2019-10-31;2019-10-31 22:00:00;2019-11-01 06:00:00"}},
    {"SessionBarsNovember", 2, sessionBars("2019-11-01 12:00:00", "2019-12-01 11:59:59"), 1, "sDate",
     {"2019-11-01"}},
    // Analysis window toolbar.
    {"AnalysisToolbar", 1, " select * from tToolBar where ToolBarName='frmAnalysis' order by sortindex", 1,
     "caption,itemindex,Down", {"Static Table;1;-1"}},
};

std::string replaceAll(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    return s;
}

std::string render(const Query& q, const std::string& columns) {
    std::vector<std::string> names;
    SplitText(columns, ",", names);
    std::string row;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i) row += ";";
        std::string name = names[i];
        const bool moment = name.size() > 2 && name.compare(name.size() - 2, 2, ":d") == 0;
        if (moment) name.resize(name.size() - 2);
        const Field f = q.FieldByName(name);
        if (!f.exists()) return "missing column " + name;
        if (f.IsNull()) continue;
        if (moment) {
            const DateTime t(f.AsFloat());
            row += t.format(toMilliseconds(t) % 86'400'000 == 0 ? DateTimeForm::DateText : DateTimeForm::DateTimeText);
        } else {
            row += f.AsString();
        }
    }
    return row;
}

class SqlConformance : public testing::TestWithParam<SqlCase> {
protected:
    static void SetUpTestSuite() {
        templates_ = std::make_unique<test::TempFolder>();
        ASSERT_TRUE(test::writeConformanceDatabases(templates_->path(), templateError_)) << templateError_;
    }
    static void TearDownTestSuite() { templates_.reset(); }

    void SetUp() override {
        ASSERT_TRUE(templateError_.empty()) << templateError_;
        namespace fs = std::filesystem;
        fs::copy_file(templates_->file("master.mdb"), folder.file("master.mdb"));
        fs::copy_file(templates_->file("patient.mdb"), folder.file("patient.mdb"));
        dm.MasterDBPath = folder.file("master.mdb");
        dm.PatientDBPath = folder.file("patient.mdb");
        dm.setClock([] { return test::kFixtureNow; });
        ASSERT_TRUE(dm.ConnectDatabase(kMasterConnection));
        ASSERT_TRUE(dm.ConnectDatabase(kPatientConnection));
    }

    std::string expand(const std::string& text) const {
        return replaceAll(replaceAll(text, "{MASTER}", folder.file("master.mdb")), "{FOLDER}", folder.path());
    }

    static inline std::unique_ptr<test::TempFolder> templates_;
    static inline std::string templateError_;
    test::TempFolder folder;
    RecordingPresenter presenter;
    TDM dm{&presenter};
    Query q;
};

TEST_P(SqlConformance, GivesTheJetResult) {
    const SqlCase& c = GetParam();
    if (c.prelude) {
        ASSERT_GE(dm.ExecSQL(q, c.prelude, c.kind, true), 0);
    }
    EXPECT_EQ(dm.ExecSQL(q, expand(c.sql), c.kind, true), c.expected);
    for (const RecordedBox& b : presenter.boxes) ADD_FAILURE() << b.text;
    if (!c.columns) return;
    if (c.check) {
        ASSERT_GE(dm.ExecSQL(q, c.check, c.checkKind ? c.checkKind : c.kind, true), 0);
    }
    std::vector<std::string> rows;
    for (q.First(); !q.Eof(); q.Next()) rows.push_back(render(q, c.columns));
    std::vector<std::string> expected;
    for (const std::string& r : c.rows) expected.push_back(expand(r));
    if (!c.ordered) {
        std::sort(rows.begin(), rows.end());
        std::sort(expected.begin(), expected.end());
    }
    EXPECT_EQ(rows, expected);
}

INSTANTIATE_TEST_SUITE_P(Statements, SqlConformance, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<SqlCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace somnexa::storage
