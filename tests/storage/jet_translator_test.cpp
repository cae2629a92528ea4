#include "storage/jet_translator.h"

#include <gtest/gtest.h>

#include "storage/sql_tokenizer.h"

namespace somnexa::storage {
namespace {

struct Case {
    const char* jet;
    const char* sqlite;
};

// The cases below are written without the collation every text literal gets
// (see TextLiteralsCompareWithoutCase).
std::string withoutLiteralCollation(std::string sql) {
    const std::string mark = " COLLATE NOCASE";
    for (std::size_t at = sql.find("' COLLATE NOCASE"); at != std::string::npos; at = sql.find("' COLLATE NOCASE", at))
        sql.erase(at + 1, mark.size());
    return sql;
}

class TranslatesTo : public testing::TestWithParam<Case> {};

TEST_P(TranslatesTo, GivesTheExpectedSqlite) {
    const Translation t = translateJet(GetParam().jet);
    ASSERT_TRUE(t.ok()) << t.error;
    EXPECT_EQ(withoutLiteralCollation(t.sql), GetParam().sqlite);
}

TEST(JetTranslator, TextLiteralsCompareWithoutCase) {
    EXPECT_EQ(translateJet("select * from t where format(d, 'MMM') = \"oct\"").sql,
              "select * from t where format ( d , 'MMM' ) = 'oct' COLLATE NOCASE");
    EXPECT_EQ(translateJet("select * from t where a between 'A' and 'b' or b in ('x')").sql,
              "select * from t where a between 'A' COLLATE NOCASE and 'b' COLLATE NOCASE or b in ( 'x' )");
    // DEFAULT of a schema statement takes a plain literal.
    EXPECT_EQ(translateJet("create table t (a string(5) default 'x')").sql,
              "create table t ( \"a\" TEXT COLLATE NOCASE default 'x' )");
}

INSTANTIATE_TEST_SUITE_P(
    Dialect, TranslatesTo,
    testing::Values(
        // Date literals become day counts; 2019-10-31 is day 43769.
        Case{"select * from t where d = #2019-10-31#", "select * from t where d = 43769"},
        Case{"select * from t where d <#2019-10-31 12:00:00#", "select * from t where d < 43769.5"},
        Case{"select * from t where d = #10/31/2019 06:00:00#", "select * from t where d = 43769.25"},
        // Bracketed names, double-quoted texts, texts glued to keywords.
        Case{"update sysOption set [value] = 'x' where optName = 'Language'",
             "update sysOption set \"value\" = 'x' where optName = 'Language'"},
        Case{"select \"it's\" as a", "select 'it''s' as a"},
        Case{"select 1 from t where d = '2019-10-31'group by x)order by y",
             "select 1 from t where d = '2019-10-31' group by x ) order by y"},
        Case{"select 'a;b' from t;", "select 'a;b' from t"},
        // TOP n goes to the end of its own select.
        Case{"select top 10 * from SeeLog a where not exists(select 1 from SeeLog where PatientID = a.PatientID) "
             "order by logdate desc",
             "select * from SeeLog a where not exists ( select 1 from SeeLog where PatientID = a . PatientID ) "
             "order by logdate desc limit 10"},
        Case{"select * from (select top 2 x from t order by x) order by x desc",
             "select * from ( select x from t order by x limit 2 ) order by x desc"},
        Case{"select distinct top 3 x from t", "select distinct x from t limit 3"},
        // now with or without parentheses; TRUE and FALSE.
        Case{"delete from SeeLog where LogDate < dateadd('d', -100, now)",
             "delete from SeeLog where LogDate < dateadd ( 'd' , - 100 , now ( ) )"},
        Case{"select now() from t", "select now ( ) from t"},
        Case{"select * from t where a = true or b = False", "select * from t where a = -1 or b = 0"},
        // values as a column name, as a keyword of INSERT.
        Case{"select * from tColumnData where sDate = '2019-10-31' and values = 'a.hidl'",
             "select * from tColumnData where sDate = '2019-10-31' and \"values\" = 'a.hidl'"},
        Case{"insert into t (a,[Values]) values ('x', 'y')",
             "insert into t ( a , \"Values\" ) values ( 'x' , 'y' )"},
        Case{"select Index from tEventList", "select \"Index\" from tEventList"},
        // "+" joining texts and adding numbers is decided at run time; "&" always joins.
        Case{"select (' ' + PatientName) as n from t", "select ( jet_add ( ' ' , PatientName ) ) as n from t"},
        Case{"select a + b * 2 + c from t", "select jet_add ( jet_add ( a , b * 2 ) , c ) from t"},
        Case{"select a - b + c from t", "select jet_add ( a - b , c ) from t"},
        Case{"select f(x) + t.y from t", "select jet_add ( f ( x ) , t . y ) from t"},
        Case{"select a & 'x' from t", "select jet_concat ( a , 'x' ) from t"},
        Case{"select -a, +5 from t", "select - a , 5 from t"},
        Case{"select a mod 3 from t", "select a % 3 from t"},
        // Jet-only words.
        Case{"delete * from t where a = 1", "delete from t where a = 1"},
        Case{"select distinctrow a from t", "select distinct a from t"},
        Case{"select a, b into t2 from t", "create table \"t2\" as select a , b from t"},
        // An INSERT whose target lies in another file.
        Case{"insert into tPatients (Patientid,Patientname) in '/x/DBQorvel.mdb' select '1',Patientname from tPatients",
             "insert into jet_ext1.tPatients ( Patientid , Patientname ) select '1' , Patientname from tPatients"},
        // Column types of CREATE TABLE.
        Case{"Create Table tColumnData(ID Counter Primary Key, sDate string(20),Code integer, CodePos integer, "
             "DataMode integer,[Values] string(255), Values1 string(255))",
             "Create Table tColumnData ( \"ID\" INTEGER PRIMARY KEY AUTOINCREMENT , \"sDate\" TEXT COLLATE NOCASE , "
             "\"Code\" INTEGER , \"CodePos\" INTEGER , \"DataMode\" INTEGER , \"Values\" TEXT COLLATE NOCASE , "
             "\"Values1\" TEXT COLLATE NOCASE )"},
        Case{"create table x (d datetime, f double, b bit, m memo, primary key (d))",
             "create table x ( \"d\" DATETIME , \"f\" REAL , \"b\" BOOLEAN , \"m\" TEXT COLLATE NOCASE , primary key ( d ) )"},
        Case{"select Right(sDate, 2) as Days, * from t left join u on t.a = u.a",
             "select jet_right ( sDate , 2 ) as Days , * from t left join u on t . a = u . a"},
        // The therapy-day form runs as one function; other nestings stay as written.
        Case{"select datevalue(dateadd('h',-12,opentime)) as d from t",
             "select jet_datevalue_dateadd ( 'h' , - 12 , opentime ) as d from t"},
        Case{"select datevalue(dateadd('h',-12,opentime) + 1) from t",
             "select datevalue ( jet_add ( dateadd ( 'h' , - 12 , opentime ) , 1 ) ) from t"},
        // Multi-byte texts and names pass unchanged.
        Case{"select '病人' as 名字 from t", "select '病人' as 名字 from t"}));

TEST(JetTranslator, ExternalTableIsReportedWithItsPath) {
    const Translation t =
        translateJet("insert into tPatients (a) in 'C:\\data\\DB''s.mdb' select a from tPatients where a='x'");
    ASSERT_TRUE(t.ok()) << t.error;
    ASSERT_EQ(t.externals.size(), 1u);
    EXPECT_EQ(t.externals[0].alias, "jet_ext1");
    EXPECT_EQ(t.externals[0].path, "C:\\data\\DB's.mdb");
    EXPECT_FALSE(t.changesSchema);
}

TEST(JetTranslator, ExternalTableInsideTheAliasIsNotOneName) {
    // The alias and the table must stay two names for SQLite: jet_ext1."tPatients".
    const Translation t = translateJet("insert into [tPatients] (a) in 'f.mdb' select 1");
    ASSERT_TRUE(t.ok()) << t.error;
    EXPECT_EQ(t.sql, "insert into jet_ext1.\"tPatients\" ( a ) select 1");
}

TEST(JetTranslator, SchemaStatementsAreMarked) {
    EXPECT_TRUE(translateJet("create table t (a integer)").changesSchema);
    EXPECT_TRUE(translateJet("select a into t2 from t").changesSchema);
    EXPECT_FALSE(translateJet("select * from t").changesSchema);
}

struct Bad {
    const char* jet;
    const char* messagePart;
};

class Refuses : public testing::TestWithParam<Bad> {};

TEST_P(Refuses, WithAClearMessage) {
    const Translation t = translateJet(GetParam().jet);
    EXPECT_FALSE(t.ok());
    EXPECT_TRUE(t.sql.empty());
    EXPECT_NE(t.error.find(GetParam().messagePart), std::string::npos) << t.error;
}

INSTANTIATE_TEST_SUITE_P(Dialect, Refuses,
                         testing::Values(Bad{"select 'abc from t", "Unterminated text"},
                                         Bad{"select [abc from t", "Unterminated bracketed"},
                                         Bad{"select * from t where d = #2019-10-31", "Unterminated date"},
                                         Bad{"select * from t where d = #2019-02-30#", "Syntax error in date"},
                                         Bad{"select * from t where d = #noon#", "Syntax error in date"},
                                         Bad{"select 1; drop table t", "after end of SQL statement"},
                                         Bad{"select top 5 percent * from t", "PERCENT"},
                                         Bad{"", "Invalid SQL statement"},
                                         Bad{"insert into (a) in 'f' select 1", "IN clause"}));

TEST(JetTranslator, ArbitraryTokenSoupNeverBreaksTheTranslator) {
    // Pieces of the dialect in random order: each text is either translated or
    // refused with a message, never anything worse.
    const char* pieces[] = {"select", "top", "5", "*", "(", ")", "+", "&", "-", ",", "'a'", "\"b\"", "[c]", "#2019-10-31#",
                            "in", "'f.mdb'", "values", "into", "now", "true", "left", "right", "datevalue", "dateadd",
                            "case", "end", ";", ".", "create", "table", "counter", "string", "primary", "key", "#",
                            "'", "[", "mod", "delete", "insert", "x", "1.5e3", "病"};
    unsigned seed = 12345;
    for (int round = 0; round < 3000; ++round) {
        std::string sql;
        const int length = 1 + static_cast<int>(seed % 14);
        for (int i = 0; i < length; ++i) {
            seed = seed * 1103515245u + 12345u;
            sql += pieces[(seed >> 8) % (sizeof pieces / sizeof pieces[0])];
            sql += (seed & 1) ? " " : "";
        }
        const Translation t = translateJet(sql);
        if (t.ok()) {
            EXPECT_FALSE(t.sql.empty()) << sql;
        } else {
            EXPECT_TRUE(t.sql.empty()) << sql;
        }
    }
}

TEST(SqlTokenizer, CommentMarkersInsideTheStatementStayOperators) {
    // "--" and "/*" are not comments in the dialect; the translation keeps them apart.
    const Translation t = translateJet("select 5 --3, 4 /*x*/ 2 from t");
    ASSERT_TRUE(t.ok());
    EXPECT_EQ(t.sql.find("--"), std::string::npos);
    EXPECT_EQ(t.sql.find("/*"), std::string::npos);
}

TEST(SqlTokenizer, KeepsQuotesDoubledInsideTexts) {
    const TokenizeResult r = tokenize("select 'O''Neil', [a b] from t");
    ASSERT_TRUE(r.error.empty());
    ASSERT_GE(r.tokens.size(), 2u);
    EXPECT_EQ(r.tokens[1].kind, TokenKind::Text);
    EXPECT_EQ(unquoteText(r.tokens[1].text.substr(1, r.tokens[1].text.size() - 2), '\''), "O'Neil");
}

}  // namespace
}  // namespace somnexa::storage
