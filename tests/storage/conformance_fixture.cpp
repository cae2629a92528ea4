#include "conformance_fixture.h"

#include "storage/database_builder.h"

namespace somnexa::storage::test {
namespace {

constexpr const char* kMasterRows[] = {
    "delete from sysOption",
    "delete from Languages",
    "delete from tDiagram",
    "delete from tToolBar",
    "delete from realtimeevent",
    "delete from tEventList",
    "delete from tColumnList",
    "delete from tPatients",
    "delete from SeeLog",
    "insert into sysOption (optName, [value]) values ('Language', '3')",
    "insert into tPatients (PatientID,PatientName,Gender,PatientPath,PatientAge) values "
    "('20120906001','Ann','Female','/p/ann',49)",
    "insert into tPatients (PatientID,PatientName,Gender,PatientPath,PatientAge) values "
    "('20120906002','Dan','Male','/p/dan',60)",
    "insert into tPatients (PatientID,PatientName,Gender,PatientPath,PatientAge) values "
    "('20120905001','Bob','Male','/p/bob',30)",
    "insert into SeeLog (PatientID,Patientname,Gender,Patientage,LogDate) values "
    "('20120906001','Ann','Female',49,#2019-10-30 10:00:00#)",
    "insert into SeeLog (PatientID,Patientname,Gender,Patientage,LogDate) values "
    "('20120906001','Ann','Female',49,#2019-10-31 09:00:00#)",
    "insert into SeeLog (PatientID,Patientname,Gender,Patientage,LogDate) values "
    "('20120906002','Dan','Male',60,#2019-10-29 08:00:00#)",
    "insert into SeeLog (PatientID,Patientname,Gender,Patientage,LogDate) values "
    "('20120905001','Bob','Male',30,#2019-06-01 08:00:00#)",
    "insert into Languages (FormName,ReferenceLanguage,SimplifiedChinese,English) values ('frmMain','Home Page','首页','Home Page')",
    "insert into Languages (FormName,ReferenceLanguage,SimplifiedChinese,English) values ('Users','OK','确定','OK')",
    "insert into Languages (FormName,ReferenceLanguage,SimplifiedChinese,English) values ('MessageBox','Error','错误','Error')",
    "insert into tDiagram ([Type],SortIndex,IsSYS,[Name],ChannleName,[Visible],Code,CodePos,[Height],Rate) values "
    "(1,0,-1,'Pressure','Pressure',-1,1,0,120,25)",
    "insert into tDiagram ([Type],SortIndex,IsSYS,[Name],ChannleName,[Visible],Code,CodePos,[Height],Rate) values "
    "(1,1,-1,'Flow','Flow',-1,1,1,0,25)",
    "insert into tDiagram ([Type],SortIndex,IsSYS,[Name],ChannleName,[Visible],Code,CodePos,[Height],DataMode) values "
    "(2,1,0,'Leak','Leak',-1,17,0,100,1)",
    "insert into tDiagram ([Type],SortIndex,IsSYS,[Name],ChannleName,[Visible],Code,CodePos,[Height],DataMode) values "
    "(2,0,0,'Press','Pressure',-1,16,0,100,1)",
    "insert into tDiagram ([Type],SortIndex,IsSYS,[Name],ChannleName,[Visible],Code,CodePos,[Height],DataMode) values "
    "(2,2,-1,'Apnea','Apnea',-1,9,0,40,2)",
    "insert into tDiagram ([Type],SortIndex,IsSYS,[Name],ChannleName,[Visible],Code,CodePos,[Height],DataMode) values "
    "(3,0,0,'DailyPress','Pressure',-1,160,0,150,3)",
    "insert into tToolBar (ToolBarName,sortindex,caption,imageindex,itemindex,Down) values ('frmTableDetail',1,'1 Min',1,1,0)",
    "insert into tToolBar (ToolBarName,sortindex,caption,imageindex,itemindex,Down) values ('frmTableDetail',0,'Whole Day',0,0,-1)",
    "insert into tToolBar (ToolBarName,sortindex,caption,imageindex,itemindex,Down) values ('frmTableDetail',2,'|',-1,0,0)",
    "insert into tToolBar (ToolBarName,sortindex,caption,imageindex,itemindex,Down) values ('frmAnalysis',0,'Static Table',0,1,-1)",
    "insert into realtimeevent (visible,sortid,Code,CodePos,Name,DisplayName,Units,DisplayFormat,Coeff) values "
    "(-1,2,5,0,'InspTime','Insp time','s','0.00',0.01)",
    "insert into realtimeevent (visible,sortid,Code,CodePos,Name,DisplayName,Units,DisplayFormat,Coeff) values "
    "(-1,1,6,0,'InspTV','Tidal volume','ml','0',1)",
    "insert into realtimeevent (visible,sortid,Code,CodePos,Name,DisplayName,Units,DisplayFormat,Coeff) values "
    "(0,0,7,0,'ExpTime','Exp time','s','0.00',0.01)",
    "insert into tEventList (sortindex,[Index],Name) values (1,51,'Arousal')",
    "insert into tEventList (sortindex,[Index],Name) values (0,50,'Central apnea')",
    "insert into tColumnList (Mode,Code,CodePos,DiagramCode,Visible,sortindex,[Index],Color,Name,AddIndex) values "
    "(1,16,0,0,0,1,1,0,'P95',0)",
    "insert into tColumnList (Mode,Code,CodePos,DiagramCode,Visible,sortindex,[Index],Color,Name,AddIndex) values "
    "(1,16,0,0,0,0,0,0,'Max',0)",
    "insert into tColumnList (Mode,Code,CodePos,DiagramCode,Visible,sortindex,[Index],Color,Name,AddIndex) values "
    "(1,17,0,0,0,0,0,0,'Max',0)",
    "insert into tColumnList (Mode,Code,CodePos,DiagramCode,Visible,sortindex,[Index],Color,Name,AddIndex) values "
    "(3,16,0,160,1,1,1,255,'P95 pressure',0)",
    "insert into tColumnList (Mode,Code,CodePos,DiagramCode,Visible,sortindex,[Index],Color,Name,AddIndex) values "
    "(3,16,0,160,1,0,0,65280,'Max pressure',0)",
    "insert into tColumnList (Mode,Code,CodePos,DiagramCode,Visible,sortindex,[Index],Color,Name,AddIndex) values "
    "(3,16,0,160,0,2,2,0,'Mean pressure',0)",
};

constexpr const char* kPatientRows[] = {
    "insert into tPatients (PatientID,PatientName,Gender,Birthday,Age,Height,Weight,BMI,Phone,Address,E_Mail,Photo,"
    "Allergic,Clinic,Readme) values ('20191031001','Ann O''Neil','Female','1970-05-17','49','170','65','22.49','555',"
    "'Main St 1','ann@example.org','','none','asthma','')",
    "insert into tSession (OpenTime,RealTime,WorkMode,AutoOnOff,DelayPress,HotLevel,ExpPress,InspPress,MaxPress,MinPress,"
    "StartPress,EPR,ESens,ISens,WorkPress,BPM,InspTime,Times,StartPress1,ISlop) values "
    "(#2019-10-31 22:00:00#,#2019-10-31 22:00:05#,0,0,15,2,40,80,120,40,40,1,2,3,41,10,120,28800,40,1)",
    "insert into tSession (OpenTime,RealTime,WorkMode,AutoOnOff,DelayPress,HotLevel,ExpPress,InspPress,MaxPress,MinPress,"
    "StartPress,EPR,ESens,ISens,WorkPress,BPM,InspTime,Times,StartPress1,ISlop) values "
    "(#2019-11-01 23:00:00#,#2019-11-01 23:00:05#,4,1,0,0,40,90,150,50,45,0,2,3,151,10,120,54000,45,1)",
    "insert into tSession (OpenTime,RealTime,WorkMode,AutoOnOff,DelayPress,HotLevel,ExpPress,InspPress,MaxPress,MinPress,"
    "StartPress,EPR,ESens,ISens,WorkPress,BPM,InspTime,Times,StartPress1,ISlop) values "
    "(#2019-10-01 09:00:00#,#2019-10-01 09:00:05#,1,0,0,0,50,100,150,40,40,0,2,3,101,12,110,3600,40,1)",
    "insert into tSession (OpenTime,RealTime,WorkMode,AutoOnOff,DelayPress,HotLevel,ExpPress,InspPress,MaxPress,MinPress,"
    "StartPress,EPR,ESens,ISens,WorkPress,BPM,InspTime,Times,StartPress1,ISlop) values "
    "(#2019-10-02 13:00:00#,#2019-10-02 13:00:05#,0,0,0,0,40,40,40,40,40,0,2,3,0,10,120,0,40,1)",
    "insert into tData (SessionID,DataTime,DataType,DataValue,TimeLen) values (1,#2019-10-31 23:00:00#,9,0,10)",
    "insert into tData (SessionID,DataTime,DataType,DataValue,TimeLen) values (1,#2019-11-01 01:00:00#,9,0,12)",
    "insert into tData (SessionID,DataTime,DataType,DataValue,TimeLen) values (1,#2019-11-01 02:00:00#,19,0,15)",
    "insert into tData (SessionID,DataTime,DataType,DataValue,TimeLen) values (1,#2019-11-01 05:00:00#,6,0,20)",
    "insert into tData (SessionID,DataTime,DataType,DataValue,TimeLen) values (2,#2019-11-02 01:00:00#,9,0,10)",
    "insert into tData (SessionID,DataTime,DataType,DataValue,TimeLen) values (2,#2019-11-02 13:00:00#,9,0,11)",
    "Insert into tColumnData (sDate, Code, CodePos, DataMode, [Values]) values ('2019-10-31',16,0,0,'1200')",
    "Insert into tColumnData (sDate, Code, CodePos, DataMode, [Values]) values ('2019-10-31',16,0,1,'1100')",
    "Insert into tColumnData (sDate, Code, CodePos, DataMode, [Values]) values ('2019-10-31',17,0,0,'300')",
    "Insert into tColumnData (sDate, Code, CodePos, DataMode, [Values]) values ('2019-10-31',200,0,0,'20191031220000.hidl')",
    "Insert into tColumnData (sDate, Code, CodePos, DataMode, [Values], Values1) values "
    "('2019-10-31',201,0,0,'2019-10-31 22:00:00', '2019-11-01 06:00:00')",
    "Insert into tColumnData (sDate, Code, CodePos, DataMode, [Values]) values ('2019-11-01',16,0,0,'1300')",
    "Insert into tColumnData (sDate, Code, CodePos, DataMode, [Values], Values1) values "
    "('2019-11-01',201,0,0,'2019-11-01 23:00:00', '2019-11-02 14:00:00')",
    "Insert into tColumnData (sDate, Code, CodePos, DataMode, [Values], Values1) values "
    "('2019-09-30',201,0,0,'2019-10-01 09:00:00', '2019-10-01 10:00:00')",
};

template <std::size_t N>
bool fill(const std::string& path, DatabaseKind kind, const char* const (&rows)[N], std::string& error) {
    if (!createDatabase(path, kind, error)) return false;
    Connection c;
    if (!c.open(path, error) || !c.begin(error)) return false;
    for (const char* sql : rows) {
        if (c.run(sql, nullptr, error) < 0) {
            error += " in: " + std::string(sql);
            return false;
        }
    }
    return c.commit(error);
}

}  // namespace

bool writeConformanceDatabases(const std::string& folder, std::string& error) {
    return fill(folder + "/master.mdb", DatabaseKind::Master, kMasterRows, error) &&
           fill(folder + "/patient.mdb", DatabaseKind::Patient, kPatientRows, error);
}

}  // namespace somnexa::storage::test
