// The Jet functions and value rules, run through a real connection.

#include <gtest/gtest.h>

#include "storage/connection.h"
#include "storage/database_builder.h"
#include "temp_folder.h"

namespace somnexa::storage {
namespace {

class JetFunctions : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(createDatabase(folder.file("p.mdb"), DatabaseKind::Patient, error)) << error;
        ASSERT_TRUE(db.open(folder.file("p.mdb"), error)) << error;
        db.setClock([] { return 43769.75; });  // 2019-10-31 18:00:00
    }

    // The one value of "select <expr>" as text; "ERROR: ..." on failure.
    std::string eval(const std::string& expr) {
        Query q;
        std::string error;
        if (db.run("select " + expr + " as v", &q, error) < 0) return "ERROR: " + error;
        const Field f = q.Fields(0);
        return f.IsNull() ? "NULL" : f.AsString();
    }

    test::TempFolder folder;
    Connection db;
};

struct Expr {
    const char* jet;
    const char* expected;
};

class JetExpression : public JetFunctions, public testing::WithParamInterface<Expr> {};

TEST_P(JetExpression, HasTheJetValue) { EXPECT_EQ(eval(GetParam().jet), GetParam().expected) << GetParam().jet; }

INSTANTIATE_TEST_SUITE_P(
    Functions, JetExpression,
    testing::Values(
        Expr{"dateadd('h', -12, #2019-11-01 06:00:00#)", "43769.75"},
        Expr{"dateadd('d', 1, '2019-10-31')", "43770"},
        Expr{"DateAdd('s', 30, null)", "NULL"},
        Expr{"datevalue(dateadd('h',-12,#2019-11-01 06:00:00#))", "43769"},
        Expr{"datevalue('2019-10-31 23:00:00')", "43769"},
        Expr{"datediff('s', #2019-10-31 22:00:00#, dateadd('h', 36, #2019-10-31#))", "50400"},
        Expr{"DatePart('d', DateAdd('h', -12, #2019-11-01 06:00:00#))", "31"},
        Expr{"format(#2019-10-31 22:15:07#, 'YYYY-MM-DD')", "2019-10-31"},
        Expr{"format(dateadd('s', 3600, dateadd('h', -12, #2019-11-01 11:30:00#)), 'YYYY-MM-DD')", "2019-11-01"},
        Expr{"format('2019-10-31 22:15:07', 'hh:nn')", "22:15"},
        Expr{"format(2.5, '0.00')", "2.50"},
        Expr{"format(null, 'YYYY')", "NULL"},
        Expr{"CDate('2019-10-31') = #2019-10-31#", "1"},
        Expr{"CDate('2019-10-01') <= CDate('2019-10-31')", "1"},
        Expr{"Right('2019-10-05', 2)", "05"},
        Expr{"Right('病人資料', 2)", "資料"},
        Expr{"Left('病人資料', 1)", "病"},
        Expr{"Mid('abcdef', 2, 3)", "bcd"},
        Expr{"Len('病人')", "2"},
        Expr{"iif(1 = 2, 'a', iif(2 = 2, 'b', 'c'))", "b"},
        Expr{"now", "43769.75"},
        Expr{"now()", "43769.75"},
        Expr{"' ' + 'Ann'", " Ann"},
        Expr{"1 + 2", "3"},
        Expr{"1.5 + '2'", "3.5"},
        Expr{"'a' + null", "NULL"},
        Expr{"'a' & null & 5", "a5"},
        Expr{"int(-2.5)", "-3"},
        Expr{"fix(-2.5)", "-2"},
        Expr{"clng(2.5)", "2"},
        Expr{"nz(null, 7)", "7"},
        Expr{"ucase('abc')", "ABC"},
        Expr{"true", "-1"},
        Expr{"'ABC' like 'a%'", "1"},
        Expr{"'ABC' like 'a_c'", "1"},
        Expr{"'ABC' = 'abc'", "1"},
        Expr{"format(#2019-10-31#, 'MMM') = 'OCT'", "1"},
        Expr{"'b' > 'A'", "1"}));

struct Failing {
    const char* jet;
};

class JetExpressionError : public JetFunctions, public testing::WithParamInterface<Failing> {};

TEST_P(JetExpressionError, IsAnSqlError) { EXPECT_EQ(eval(GetParam().jet).rfind("ERROR: ", 0), 0u) << GetParam().jet; }

INSTANTIATE_TEST_SUITE_P(Functions, JetExpressionError,
                         testing::Values(Failing{"dateadd('x', 1, now)"}, Failing{"dateadd('d', 1, 'not a date')"},
                                         Failing{"datediff('s', 'abc', now)"}, Failing{"'abc' + 1"},
                                         Failing{"dateadd('yyyy', 20000, now)"}, Failing{"Right('abc', -1)"}));

TEST_F(JetFunctions, TextComparisonOfColumnsIgnoresCase) {
    std::string error;
    ASSERT_EQ(db.run("insert into tPatients (PatientID, PatientName) values ('20191031001', 'Ann Lee')", nullptr, error),
              1)
        << error;
    Query q;
    EXPECT_EQ(db.run("select * from TPATIENTS where patientname = 'ANN LEE'", &q, error), 1);
    EXPECT_EQ(db.run("select * from tPatients where PatientName like '%lee'", &q, error), 1);
    EXPECT_EQ(db.run("select * from tPatients where PatientName like 'ann_lee'", &q, error), 1);
    // Column names of the result match without regard to case.
    EXPECT_EQ(q.FieldByName("PATIENTID").AsString(), "20191031001");
}

TEST_F(JetFunctions, QuotedDateTextIntoADateColumnStoresTheDate) {
    std::string error;
    ASSERT_EQ(db.run("insert into tPatients (PatientID, Birthday) values ('1', '1970-05-17')", nullptr, error), 1)
        << error;
    ASSERT_EQ(db.run("update tPatients set Birthday='1970-05-18' where PatientID='1'", nullptr, error), 1) << error;
    Query q;
    ASSERT_EQ(db.run("select Birthday, typeof(Birthday) as t from tPatients", &q, error), 1) << error;
    EXPECT_EQ(q.FieldByName("Birthday").AsFloat(), DateTime::parse("1970-05-18")->days());
    EXPECT_EQ(q.FieldByName("t").AsString(), "integer");  // a whole day count
    EXPECT_EQ(q.FieldByName("Birthday").AsString(), "1970-05-18");
}

TEST_F(JetFunctions, TextThatIsNoDateIsRefusedAndNothingIsWritten) {
    std::string error;
    EXPECT_EQ(db.run("insert into tPatients (PatientID, Birthday) values ('1', 'soon')", nullptr, error), -1);
    EXPECT_NE(error.find("Data type mismatch"), std::string::npos) << error;
    Query q;
    EXPECT_EQ(db.run("select * from tPatients", &q, error), 0);
}

TEST_F(JetFunctions, DateTimeColumnsReadAsMoments) {
    std::string error;
    ASSERT_EQ(db.run("insert into tSession (OpenTime, Times) values (#2019-10-31 22:15:07#, 60)", nullptr, error), 1);
    Query q;
    ASSERT_EQ(db.run("select OpenTime, min(OpenTime) as m from tSession", &q, error), 1);
    EXPECT_EQ(q.FieldByName("OpenTime").AsString(), "2019-10-31 22:15:07");
    EXPECT_EQ(q.FieldByName("OpenTime").AsDateTime().format(DateTimeForm::DateTimeText), "2019-10-31 22:15:07");
}

TEST_F(JetFunctions, MinOverNoRowsReadsAsZero) {
    Query q;
    std::string error;
    ASSERT_EQ(db.run("select min(opentime) as StartTime, max(dateadd('s', times, opentime)) as EndTime from tsession",
                     &q, error),
              1)
        << error;
    EXPECT_TRUE(q.FieldByName("StartTime").IsNull());
    EXPECT_EQ(q.FieldByName("StartTime").AsFloat(), 0.0);
    EXPECT_EQ(q.FieldByName("EndTime").AsInteger(), 0);
    EXPECT_FALSE(q.FieldByName("NoSuchColumn").exists());
}

TEST_F(JetFunctions, CreatedTableGetsDateConversionToo) {
    std::string error;
    ASSERT_GE(db.run("create table tNotes (ID counter primary key, At datetime, Note string(50))", nullptr, error), 0)
        << error;
    ASSERT_EQ(db.run("insert into tNotes (At, Note) values ('2019-10-31 08:00:00', 'x')", nullptr, error), 1) << error;
    Query q;
    ASSERT_EQ(db.run("select * from tNotes where At = #2019-10-31 08:00:00# and Note = 'X'", &q, error), 1) << error;
    EXPECT_EQ(q.FieldByName("ID").AsInteger(), 1);
}

}  // namespace
}  // namespace somnexa::storage
