// somnexa-tool stats and pieces, run as a separate program on a patient made by the test.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include "../cli/tool_runner.h"
#include "patient_fixture.h"

namespace somnexa::analysis {
namespace {

using somnexa::testing::runTool;

class AnalysisCommands : public test::PatientFixture {
protected:
    void SetUp() override {
        PatientFixture::SetUp();
        addSession({"2024-12-31 22:00:00", 28800, 0, 80});
        addSession({"2025-01-02 10:00:00", 10800, 4, 150});
        writeLogFile("2024-12-31 22:00:00", 28800, 1, [](int f, int code) { return code == 16 ? 800 + f % 5 : 30; });
        addEvent("2024-12-31 23:00:00", 9);
        addEvent("2025-01-01 03:00:00", 19);
        addEvent("2025-01-01 04:00:00", 19);
        dm.DisconnectDatabase(storage::kPatientConnection);
        patientDb = folder.file(std::string(kPatientID) + ".mdb");
    }
    std::string patientDb;
};

TEST_F(AnalysisCommands, StatsOfOneDay) {
    const auto r = runTool({"stats", "--patient-db", patientDb, "--master", folder.file("DBQorvel.mdb"), "--days",
                            "2024-12-31"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const QJsonObject o = r.json().object();
    EXPECT_EQ(o["dates"].toArray().size(), 1);
    EXPECT_EQ(o["sessions"].toInt(), 1);
    EXPECT_EQ(o["use_seconds"].toDouble(), 28800.0);
    EXPECT_EQ(o["CountAI"].toString(), "1");
    EXPECT_EQ(o["HI"].toString(), "0.25");
    EXPECT_EQ(o["AHI"].toString(), "0.38");
    EXPECT_EQ(o["MaxP"].toString(), "8.0");
    EXPECT_EQ(o["Total"].toString(), "08:00:00");
    EXPECT_EQ(o["Date"].toString(), "2024-12-31");
    const QJsonObject day = o["days"].toArray()[0].toObject();
    EXPECT_EQ(day["date"].toString(), "2024-12-31");
    EXPECT_EQ(day["events"].toObject()["19"].toInt(), 2);
    EXPECT_EQ(day["channels"].toObject()["16"].toObject()["0"].toDouble(), 804.0);
    EXPECT_EQ(day["channels"].toObject()["17"].toObject()["2"].toDouble(), 30.0);
}

TEST_F(AnalysisCommands, StatsOfARange) {
    const auto r = runTool({"stats", "--patient-db", patientDb, "--master", folder.file("DBQorvel.mdb"), "--from",
                            "2024-12-30", "--to", "2025-01-05"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const QJsonObject o = r.json().object();
    const QJsonArray dates = o["dates"].toArray();
    ASSERT_EQ(dates.size(), 3);
    EXPECT_EQ(dates[0].toString(), "2025-01-02");
    EXPECT_EQ(dates[2].toString(), "2024-12-31");
    EXPECT_EQ(o["sessions"].toInt(), 2);
    EXPECT_EQ(o["use_seconds"].toDouble(), 39600.0);
    EXPECT_EQ(o["Date"].toString(), "2024-12-31 - 2025-01-02");
    EXPECT_EQ(o["95thP"].toString(), "7.6");  // 95 % of the period's maximum 8.04
}

TEST_F(AnalysisCommands, StatsErrors) {
    const std::string master = folder.file("DBQorvel.mdb");
    EXPECT_EQ(runTool({"stats", "--patient-db", patientDb, "--master", master}).exitCode, 2);
    EXPECT_EQ(runTool({"stats", "--patient-db", patientDb, "--master", master, "--from", "2025-01-01"}).exitCode, 2);
    auto r = runTool({"stats", "--patient-db", patientDb, "--master", master, "--days", "2025-13-01"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("2025-13-01"), std::string::npos);
    r = runTool({"stats", "--patient-db", patientDb, "--master", master, "--from", "2020-01-01", "--to", "2020-02-01"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("The current user data!"), std::string::npos);
    r = runTool({"stats", "--patient-db", folder.file("missing.mdb"), "--master", master, "--days", "2025-01-01"});
    EXPECT_EQ(r.exitCode, 1);
}

TEST_F(AnalysisCommands, Pieces) {
    const auto r = runTool({"pieces", "--patient-db", patientDb});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "2025-01-02\t2025-01-02 10:00:00\t2025-01-02 13:00:00\t150\t3600\n"
              "2025-01-01\t2025-01-02 10:00:00\t2025-01-02 13:00:00\t150\t7200\n"
              "2024-12-31\t2024-12-31 22:00:00\t2025-01-01 06:00:00\t80\t28800\n");
}

}  // namespace
}  // namespace somnexa::analysis
