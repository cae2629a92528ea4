-- Master database (DBQorvel.mdb): patient index, options, recently opened
-- patients, user-interface texts and the chart, toolbar, event and column
-- definitions.
--
-- Column conventions read by the SQL dialect layer:
--   text        TEXT COLLATE NOCASE (comparisons ignore letter case)
--   date-time   DATETIME, a REAL count of days since 1899-12-30
--   yes/no      BOOLEAN, -1 true and 0 false
--   whole       INTEGER, floating REAL
--   auto-number INTEGER PRIMARY KEY AUTOINCREMENT
-- Columns stand in the order the program reads them; "select *" keeps it.

CREATE TABLE sysOption (
  optName TEXT COLLATE NOCASE NOT NULL,
  value   TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX sysOption_optName ON sysOption (optName);

CREATE TABLE tPatients (
  PatientID   TEXT COLLATE NOCASE NOT NULL,
  PatientName TEXT COLLATE NOCASE,
  Gender      TEXT COLLATE NOCASE,
  PatientPath TEXT COLLATE NOCASE,
  PatientAge  INTEGER
);
CREATE UNIQUE INDEX tPatients_PatientID ON tPatients (PatientID);

CREATE TABLE SeeLog (
  PatientID   TEXT COLLATE NOCASE,
  Patientname TEXT COLLATE NOCASE,
  Gender      TEXT COLLATE NOCASE,
  Patientage  INTEGER,
  LogDate     DATETIME
);
CREATE INDEX SeeLog_PatientID_LogDate ON SeeLog (PatientID, LogDate);
CREATE INDEX SeeLog_LogDate ON SeeLog (LogDate);

-- Translations are found by 0-based ordinal position: the column at
-- position code + 2 holds language code n. Position 3 is Simplified Chinese
-- (code 1), 5 English (code 3). Position 4 (code 2) is not offered by the
-- options window; it carries the reference text so that a hand-edited
-- language option of 2 shows the program's own texts instead of blanks.
-- No index on FormName: a window's rows then come back in insertion order,
-- which decides which of two equal keys wins.
CREATE TABLE Languages (
  ID                 INTEGER PRIMARY KEY AUTOINCREMENT,
  FormName           TEXT COLLATE NOCASE NOT NULL,
  ReferenceLanguage  TEXT COLLATE NOCASE NOT NULL,
  SimplifiedChinese  TEXT COLLATE NOCASE,
  Language2          TEXT COLLATE NOCASE,
  English            TEXT COLLATE NOCASE
);

CREATE TABLE tDiagram (
  Type         INTEGER NOT NULL,
  SortIndex    INTEGER,
  IsSYS        BOOLEAN NOT NULL DEFAULT 0,
  Name         TEXT COLLATE NOCASE,
  ChannleName  TEXT COLLATE NOCASE,
  Visible      BOOLEAN NOT NULL DEFAULT -1,
  Code         INTEGER,
  CodePos      INTEGER,
  Rows         INTEGER,
  Cols         INTEGER,
  Height       INTEGER,
  DiagramModel INTEGER,
  DataMode     INTEGER,
  LineStyle    INTEGER,
  LineColor    INTEGER,
  BorderColor  INTEGER,
  Rate         INTEGER,
  ChannleCount INTEGER,
  MoveStep     INTEGER,
  Units        TEXT COLLATE NOCASE,
  ShowX        BOOLEAN,
  ShowY        BOOLEAN,
  ShowCaption  BOOLEAN,
  ShowLineX    BOOLEAN,
  ShowLineY    BOOLEAN,
  NullX        INTEGER,
  NullY        INTEGER,
  TextX        INTEGER,
  TextY        INTEGER,
  ScaleX1      INTEGER,
  ScaleX2      INTEGER,
  ScaleY1      INTEGER,
  ScaleY2      INTEGER,
  PrecisionX   INTEGER,
  PrecisionY   INTEGER,
  TextFormatX  TEXT COLLATE NOCASE,
  TextFormatY  TEXT COLLATE NOCASE,
  TextStyleX   INTEGER,
  TextStyleY   INTEGER,
  MinY         INTEGER,
  MaxY         INTEGER,
  DigitalMin   INTEGER,
  DigitalMax   INTEGER
);
CREATE INDEX tDiagram_Type_SortIndex ON tDiagram (Type, SortIndex);

CREATE TABLE tToolBar (
  ToolBarName TEXT COLLATE NOCASE NOT NULL,
  sortindex   INTEGER,
  caption     TEXT COLLATE NOCASE,
  imageindex  INTEGER,
  itemindex   INTEGER,
  Down        BOOLEAN NOT NULL DEFAULT 0
);
CREATE INDEX tToolBar_Name_Sort ON tToolBar (ToolBarName, sortindex);

CREATE TABLE realtimeevent (
  visible       BOOLEAN NOT NULL DEFAULT -1,
  sortid        INTEGER,
  Code          INTEGER,
  CodePos       INTEGER,
  Name          TEXT COLLATE NOCASE,
  DisplayName   TEXT COLLATE NOCASE,
  Units         TEXT COLLATE NOCASE,
  DisplayFormat TEXT COLLATE NOCASE,
  Coeff         REAL
);

CREATE TABLE tEventList (
  sortindex INTEGER,
  "Index"   INTEGER,
  Name      TEXT COLLATE NOCASE
);

CREATE TABLE tColumnList (
  Mode        INTEGER,
  Code        INTEGER,
  CodePos     INTEGER,
  DiagramCode INTEGER,
  Visible     INTEGER,
  sortindex   INTEGER,
  "Index"     INTEGER,
  Color       INTEGER,
  Name        TEXT COLLATE NOCASE,
  AddIndex    INTEGER
);
