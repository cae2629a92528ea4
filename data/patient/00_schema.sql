-- Template patient database (Patient.mdb), copied for every new patient:
-- the patient's full record, the downloaded sessions, their events and the
-- per-day cache of channel statistics.
--
-- Column conventions as in the master database: text TEXT COLLATE NOCASE,
-- date-time DATETIME (REAL days since 1899-12-30), whole numbers INTEGER,
-- auto-number INTEGER PRIMARY KEY AUTOINCREMENT.

CREATE TABLE tPatients (
  PatientID   TEXT COLLATE NOCASE NOT NULL,
  PatientName TEXT COLLATE NOCASE,
  Gender      TEXT COLLATE NOCASE,
  Birthday    DATETIME,
  Age         INTEGER,
  Height      TEXT COLLATE NOCASE,
  Weight      TEXT COLLATE NOCASE,
  BMI         TEXT COLLATE NOCASE,
  Phone       TEXT COLLATE NOCASE,
  Address     TEXT COLLATE NOCASE,
  E_Mail      TEXT COLLATE NOCASE,
  Photo       TEXT COLLATE NOCASE,
  Allergic    TEXT COLLATE NOCASE,
  Clinic      TEXT COLLATE NOCASE,
  Readme      TEXT COLLATE NOCASE,
  DeviceName  TEXT COLLATE NOCASE,
  Doctor      TEXT COLLATE NOCASE
);

-- Pressures in tenths of cmH2O, InspTime in hundredths of a second,
-- DelayPress in minutes, Times in seconds.
CREATE TABLE tSession (
  SessionID   INTEGER PRIMARY KEY AUTOINCREMENT,
  OpenTime    DATETIME,
  RealTime    DATETIME,
  WorkMode    INTEGER,
  AutoOnOff   INTEGER,
  DelayPress  INTEGER,
  HotLevel    INTEGER,
  ExpPress    INTEGER,
  InspPress   INTEGER,
  MaxPress    INTEGER,
  MinPress    INTEGER,
  StartPress  INTEGER,
  EPR         INTEGER,
  ESens       INTEGER,
  ISens       INTEGER,
  WorkPress   INTEGER,
  BPM         INTEGER,
  InspTime    INTEGER,
  StartPress1 INTEGER,
  ISlop       INTEGER,
  Times       INTEGER
);
CREATE INDEX tSession_OpenTime ON tSession (OpenTime);
CREATE INDEX tSession_RealTime ON tSession (RealTime);

CREATE TABLE tData (
  ID        INTEGER PRIMARY KEY AUTOINCREMENT,
  SessionID INTEGER,
  DataTime  DATETIME,
  DataType  INTEGER,
  DataValue INTEGER,
  TimeLen   INTEGER
);
CREATE INDEX tData_SessionID ON tData (SessionID);
CREATE INDEX tData_DataTime ON tData (DataTime);
CREATE INDEX tData_DataType_DataTime ON tData (DataType, DataTime);

-- Per-day cache of channel statistics, keyed by the therapy day
-- "YYYY-MM-DD" in sDate. Databases that arrive without it get it on first
-- opening; the template carries it with its indexes.
CREATE TABLE tColumnData (
  ID       INTEGER PRIMARY KEY AUTOINCREMENT,
  sDate    TEXT COLLATE NOCASE,
  Code     INTEGER,
  CodePos  INTEGER,
  DataMode INTEGER,
  "Values" TEXT COLLATE NOCASE,
  Values1  TEXT COLLATE NOCASE
);
CREATE INDEX tColumnData_sDate_Code ON tColumnData (sDate, Code);
CREATE INDEX tColumnData_Code_Values ON tColumnData (Code, "Values");
