// The shipped schema: every table with its columns in the order the program
// reads them, and the column conventions the SQL dialect layer relies on.

#include "shipped_databases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace somnexa::testing {
namespace {

struct TableShape {
    const char* database;  // "master" or "patient"
    const char* table;
    std::vector<std::string> columns;
};

const ShippedDatabase& databaseNamed(const std::string& name)
{
    return name == "master" ? masterDatabase() : patientDatabase();
}

const std::vector<TableShape>& tableShapes()
{
    static const std::vector<TableShape> shapes = {
        {"master", "sysOption", {"optName", "value"}},
        {"master", "tPatients", {"PatientID", "PatientName", "Gender", "PatientPath", "PatientAge"}},
        {"master", "SeeLog", {"PatientID", "Patientname", "Gender", "Patientage", "LogDate"}},
        {"master", "Languages",
         {"ID", "FormName", "ReferenceLanguage", "SimplifiedChinese", "Language2", "English"}},
        {"master", "tDiagram",
         {"Type", "SortIndex", "IsSYS", "Name", "ChannleName", "Visible", "Code", "CodePos", "Rows",
          "Cols", "Height", "DiagramModel", "DataMode", "LineStyle", "LineColor", "BorderColor", "Rate",
          "ChannleCount", "MoveStep", "Units", "ShowX", "ShowY", "ShowCaption", "ShowLineX",
          "ShowLineY", "NullX", "NullY", "TextX", "TextY", "ScaleX1", "ScaleX2", "ScaleY1", "ScaleY2",
          "PrecisionX", "PrecisionY", "TextFormatX", "TextFormatY", "TextStyleX", "TextStyleY", "MinY",
          "MaxY", "DigitalMin", "DigitalMax"}},
        {"master", "tToolBar", {"ToolBarName", "sortindex", "caption", "imageindex", "itemindex", "Down"}},
        {"master", "realtimeevent",
         {"visible", "sortid", "Code", "CodePos", "Name", "DisplayName", "Units", "DisplayFormat", "Coeff"}},
        {"master", "tEventList", {"sortindex", "Index", "Name"}},
        {"master", "tColumnList",
         {"Mode", "Code", "CodePos", "DiagramCode", "Visible", "sortindex", "Index", "Color", "Name",
          "AddIndex"}},
        {"patient", "tPatients",
         {"PatientID", "PatientName", "Gender", "Birthday", "Age", "Height", "Weight", "BMI", "Phone",
          "Address", "E_Mail", "Photo", "Allergic", "Clinic", "Readme", "DeviceName", "Doctor"}},
        {"patient", "tSession",
         {"SessionID", "OpenTime", "RealTime", "WorkMode", "AutoOnOff", "DelayPress", "HotLevel",
          "ExpPress", "InspPress", "MaxPress", "MinPress", "StartPress", "EPR", "ESens", "ISens",
          "WorkPress", "BPM", "InspTime", "StartPress1", "ISlop", "Times"}},
        {"patient", "tData", {"ID", "SessionID", "DataTime", "DataType", "DataValue", "TimeLen"}},
        {"patient", "tColumnData", {"ID", "sDate", "Code", "CodePos", "DataMode", "Values", "Values1"}},
    };
    return shapes;
}

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

TEST(ShippedSchema, EveryFileLoadsInOrder)
{
    EXPECT_EQ(masterDatabase().loadError(), "");
    EXPECT_EQ(patientDatabase().loadError(), "");
    ASSERT_FALSE(masterDatabase().files().empty());
    EXPECT_EQ(masterDatabase().files().front(), "00_schema.sql");
    EXPECT_EQ(patientDatabase().files().front(), "00_schema.sql");
}

TEST(ShippedSchema, EachDatabaseHoldsExactlyItsTables)
{
    for (const std::string name : {"master", "patient"}) {
        std::vector<std::string> expected;
        for (const auto& shape : tableShapes())
            if (shape.database == name)
                expected.push_back(shape.table);
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(databaseNamed(name).tableNames(), expected) << name;
    }
}

TEST(ShippedSchema, ColumnsStandInTheOrderTheProgramReadsThem)
{
    for (const auto& shape : tableShapes())
        EXPECT_EQ(databaseNamed(shape.database).columnNames(shape.table), shape.columns)
            << shape.database << "." << shape.table;
}

// Declared types are the dialect layer's vocabulary; text compares without
// regard to case; auto-numbers are AUTOINCREMENT keys.
TEST(ShippedSchema, ColumnsFollowTheTypeConventions)
{
    const std::vector<std::string> known = {"TEXT", "INTEGER", "REAL", "DATETIME", "BOOLEAN"};
    for (const auto& shape : tableShapes()) {
        sqlite3* db = databaseNamed(shape.database).handle();
        for (const auto& column : shape.columns) {
            const char* type = nullptr;
            const char* collation = nullptr;
            int notNull = 0, primaryKey = 0, autoIncrement = 0;
            ASSERT_EQ(sqlite3_table_column_metadata(db, "main", shape.table, column.c_str(), &type,
                                                    &collation, &notNull, &primaryKey, &autoIncrement),
                      SQLITE_OK)
                << shape.table << "." << column;
            const std::string declared = upper(type ? type : "");
            const std::string where = std::string(shape.database) + "." + shape.table + "." + column;
            EXPECT_NE(std::find(known.begin(), known.end(), declared), known.end()) << where;
            if (declared == "TEXT") {
                EXPECT_EQ(upper(collation ? collation : ""), "NOCASE") << where;
            }
            if (primaryKey) {
                EXPECT_TRUE(autoIncrement && declared == "INTEGER") << where;
            }
        }
    }
}

TEST(ShippedSchema, DateTimesAndAutoNumbersAreDeclaredAsTheDialectExpects)
{
    struct Expect { const char* database; const char* table; const char* column; const char* type; };
    const Expect cases[] = {
        {"master", "SeeLog", "LogDate", "DATETIME"},
        {"patient", "tPatients", "Birthday", "DATETIME"},
        {"patient", "tSession", "OpenTime", "DATETIME"},
        {"patient", "tSession", "RealTime", "DATETIME"},
        {"patient", "tData", "DataTime", "DATETIME"},
        {"master", "tDiagram", "IsSYS", "BOOLEAN"},
        {"master", "tDiagram", "Visible", "BOOLEAN"},
        {"master", "tToolBar", "Down", "BOOLEAN"},
        {"master", "realtimeevent", "visible", "BOOLEAN"},
        {"master", "realtimeevent", "Coeff", "REAL"},
        {"master", "tColumnList", "Visible", "INTEGER"},
    };
    for (const auto& c : cases) {
        const char* type = nullptr;
        ASSERT_EQ(sqlite3_table_column_metadata(databaseNamed(c.database).handle(), "main", c.table,
                                                c.column, &type, nullptr, nullptr, nullptr, nullptr),
                  SQLITE_OK);
        EXPECT_EQ(upper(type), c.type) << c.table << "." << c.column;
    }
    for (const auto& [table, key] : {std::pair{"tSession", "SessionID"}, {"tData", "ID"}, {"tColumnData", "ID"}}) {
        int primaryKey = 0, autoIncrement = 0;
        ASSERT_EQ(sqlite3_table_column_metadata(patientDatabase().handle(), "main", table, key, nullptr,
                                                nullptr, nullptr, &primaryKey, &autoIncrement),
                  SQLITE_OK);
        EXPECT_TRUE(primaryKey && autoIncrement) << table;
    }
}

TEST(ShippedSchema, TemplatePatientDatabaseIsEmpty)
{
    for (const auto& table : patientDatabase().tableNames())
        EXPECT_EQ(patientDatabase().count("select count(*) from \"" + table + "\""), 0) << table;
}

// The queries of the views and statistics go by these keys; without an
// index each of them scans the whole table.
TEST(ShippedSchema, LookupKeysAreIndexed)
{
    struct Expect { const char* table; const char* column; };
    const Expect patientCases[] = {{"tData", "SessionID"}, {"tData", "DataTime"},
                                   {"tSession", "OpenTime"}, {"tSession", "RealTime"},
                                   {"tColumnData", "sDate"}};
    for (const auto& c : patientCases) {
        const auto hits = patientDatabase().count(
            std::string("select count(*) from pragma_index_list('") + c.table +
            "') l join pragma_index_info(l.name) i where i.seqno = 0 and i.name = '" + c.column + "'");
        EXPECT_GE(hits, 1) << c.table << "." << c.column;
    }
    EXPECT_EQ(masterDatabase().count("select count(*) from pragma_index_list('tPatients') where \"unique\" = 1"), 1);
    EXPECT_EQ(masterDatabase().count("select count(*) from pragma_index_list('sysOption') where \"unique\" = 1"), 1);
}

}  // namespace
}  // namespace somnexa::testing
