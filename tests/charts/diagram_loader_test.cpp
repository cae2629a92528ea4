// Loading chart definitions from the master database.

#include "charts/diagram_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdlib.h>

#include "charts/qv_diagrams.h"
#include "gui_app.h"
#include "records/fixed_text.h"
#include "storage/database_builder.h"
#include "storage/recording_presenter.h"

namespace somnexa::charts {
namespace {

class DiagramLoader : public testing::Test {
protected:
    void SetUp() override {
        test::ensureGuiApp();
        std::string pattern = (std::filesystem::temp_directory_path() / "somnexa_charts_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        std::string error;
        ASSERT_TRUE(storage::createDatabase(folder + "/DBQorvel.mdb", storage::DatabaseKind::Master, error)) << error;
        dm.MasterDBPath = folder + "/DBQorvel.mdb";
        ASSERT_TRUE(dm.ConnectDatabase(storage::kMasterConnection));
    }
    void TearDown() override {
        dm.DisconnectDatabase(storage::kMasterConnection);
        std::filesystem::remove_all(folder);
    }
    int exec(const std::string& sql) { return dm.ExecSQL(q, sql, storage::kMasterConnection, true); }

    std::string folder;
    storage::RecordingPresenter presenter;
    storage::TDM dm{&presenter};
    storage::Query q;
    FixedChartHost host{600, 100};
};

TEST_F(DiagramLoader, DefinitionFillsTheChartFromItsRow) {
    TQvDiagrams chart(host);
    ASSERT_EQ(LoadDiagramDefinition(dm, kRealtimeDiagrams, 1, 1, chart), 0);
    EXPECT_EQ(chart.Name, "Flow");
    EXPECT_EQ(chart.ChannleName, "Flow|(l/min)");
    EXPECT_EQ(chart.Rows, 4);
    EXPECT_EQ(chart.Cols, 60);
    EXPECT_EQ(chart.MinY, -100);
    EXPECT_EQ(chart.MaxY, 100);
    EXPECT_EQ(chart.DigitalMin, 0);
    EXPECT_EQ(chart.DigitalMax, 4095);
    EXPECT_EQ(chart.DiagramModel, kLineChart);
    EXPECT_EQ(chart.LineColor, 0x3C8C00u);
    EXPECT_EQ(chart.TextFormatY, "0");
    EXPECT_EQ(chart.Units, "l/min");
}

TEST_F(DiagramLoader, MissingDefinitionLeavesTheChartAsItWas) {
    TQvDiagrams chart(host);
    chart.Name = "kept";
    chart.Rows = 9;
    EXPECT_EQ(LoadDiagramDefinition(dm, kRealtimeDiagrams, 99, 0, chart), -2);
    EXPECT_EQ(chart.Name, "kept");
    EXPECT_EQ(chart.Rows, 9);
}

TEST_F(DiagramLoader, UnreachableDatabaseIsMinusOne) {
    storage::TDM missing;
    missing.MasterDBPath = folder + "/nothing/DBQorvel.mdb";
    TQvDiagrams chart(host);
    arTChannleInfo infos(3);
    EXPECT_EQ(LoadDiagramDefinition(missing, 1, 1, 0, chart), -1);
    EXPECT_EQ(LoadChannelInfos(missing, 1, false, infos), -1);
    EXPECT_TRUE(infos.empty());
}

TEST_F(DiagramLoader, ChannelRecordsInDisplayOrderWithEveryColumn) {
    ASSERT_EQ(exec("update tDiagram set SortIndex=9, PrecisionX=3, NullX=-5, ScaleY2=44, BorderColor=255, "
                   "TextFormatX='HH:NN' where [Type]=2 and Code=16"),
              1);
    arTChannleInfo infos;
    ASSERT_EQ(LoadChannelInfos(dm, kLogDiagrams, false, infos), 8);
    EXPECT_EQ(fixedText(infos.front().Name), "Leak");
    const TChannleInfo& last = infos.back();
    EXPECT_EQ(fixedText(last.Name), "Press trend");
    EXPECT_EQ(fixedText(last.ChannleName), "Pressure|(cmH2O)");
    EXPECT_EQ(fixedText(last.Units), "cmH2O");
    EXPECT_EQ(fixedText(last.TextFormatX), "HH:NN");
    EXPECT_EQ(fixedText(last.TextFormatY), "0.0");
    EXPECT_EQ(last.Visible, 1);
    EXPECT_EQ(last.Code, 16);
    EXPECT_EQ(last.CodePos, 0);
    EXPECT_EQ(last.Rows, 6);
    EXPECT_EQ(last.Cols, 60);
    EXPECT_EQ(last.Height, 120);
    EXPECT_EQ(last.DiagramModel, 1);
    EXPECT_EQ(last.DataMode, 1);
    EXPECT_EQ(last.LineColor, 0x0078E6);
    EXPECT_EQ(last.Rate, 1);
    EXPECT_EQ(last.ShowX, 1);
    EXPECT_EQ(last.NullX, -5);
    EXPECT_DOUBLE_EQ(last.PrecisionX, 3.0);
    EXPECT_EQ(last.ScaleY2, 44);
    EXPECT_EQ(last.MaxY, 30);
    EXPECT_EQ(last.DigitalMax, 3000);
    EXPECT_EQ(last.BorderColor, 255);
}

TEST_F(DiagramLoader, SystemFlagSelectsTheSystemRowsAndNamesAreCutToTwentyBytes) {
    arTChannleInfo infos;
    EXPECT_EQ(LoadChannelInfos(dm, kRealtimeDiagrams, true, infos), -2);
    ASSERT_EQ(exec("update tDiagram set IsSYS=-1 where [Type]=1 and CodePos=1"), 1);
    ASSERT_EQ(exec("update tDiagram set [Name]='A name that is much longer than twenty' where [Type]=1 and CodePos=0"), 1);
    ASSERT_EQ(LoadChannelInfos(dm, kRealtimeDiagrams, true, infos), 1);
    EXPECT_EQ(fixedText(infos[0].Name), "Flow");
    ASSERT_EQ(LoadChannelInfos(dm, kRealtimeDiagrams, false, infos), 1);
    EXPECT_EQ(fixedText(infos[0].Name), "A name that is much ");
}

}  // namespace
}  // namespace somnexa::charts
