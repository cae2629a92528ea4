// The chart settings page: list, editors, check and save.

#include "charts/opt_diagram.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <filesystem>
#include <memory>
#include <stdlib.h>

#include "app/window_message.h"
#include "gui_app.h"
#include "storage/database_builder.h"
#include "storage/recording_presenter.h"

namespace somnexa::charts {
namespace {

[[maybe_unused]] testing::Environment* const kQtApp =
    testing::AddGlobalTestEnvironment(new test::QtAppEnvironment<QApplication>);

class OptDiagram : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "somnexa_optdiagram_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        std::string error;
        ASSERT_TRUE(storage::createDatabase(folder + "/DBQorvel.mdb", storage::DatabaseKind::Master, error)) << error;
        context = std::make_unique<app::AppContext>(QString::fromStdString(folder), &presenter);
        context->LanguageCode = 3;
        context->dm().MasterDBPath = folder + "/DBQorvel.mdb";
        ASSERT_TRUE(context->dm().ConnectDatabase(storage::kMasterConnection));
    }
    void TearDown() override {
        page.reset();
        context.reset();
        std::filesystem::remove_all(folder);
    }

    TfrmOptDiagram& open() {
        page = std::make_unique<TfrmOptDiagram>(*context);
        page->show();
        return *page;
    }
    int exec(const std::string& sql) { return context->dm().ExecSQL(q, sql, storage::kMasterConnection, true); }
    std::string rowText(const std::string& where) {
        exec("select * from tDiagram where " + where);
        std::string text;
        for (int i = 0; i < q.FieldCount(); ++i) text += q.FieldName(i) + "=" + q.Fields(i).AsString() + ";";
        return q.RecordCount() == 1 ? text : "rows: " + std::to_string(q.RecordCount());
    }
    std::intptr_t save(int wParam, int lParam) {
        return app::SendMessage(page.get(), msg::WM_OPTION_SAVE, wParam, lParam);
    }
    std::vector<std::string> items() const {
        std::vector<std::string> out;
        for (int i = 0; i < page->cobList->count(); ++i) out.push_back(page->cobList->itemText(i).toStdString());
        return out;
    }

    std::string folder;
    storage::RecordingPresenter presenter;
    std::unique_ptr<app::AppContext> context;
    std::unique_ptr<TfrmOptDiagram> page;
    storage::Query q;
};

TEST_F(OptDiagram, ListsRealtimeThenLogChartsAndShowsTheFirst) {
    ASSERT_EQ(exec("update tDiagram set IsSYS=-1 where [Type]=2 and Code=11"), 1);
    TfrmOptDiagram& p = open();
    EXPECT_EQ(items(), (std::vector<std::string>{"Realtime data - Pressure", "Realtime data - Flow",
                                                 "Log data - Press trend", "Log data - Leak", "Log data - Apnea",
                                                 "Log data - Hypopnea", "Log data - Snore", "Log data - Flow limit",
                                                 "Log data - RERA"}));
    EXPECT_EQ(p.cobList->currentIndex(), 0);
    EXPECT_EQ(p.edtName->text(), "Pressure");
    EXPECT_EQ(p.edtChannleName->text(), "Pressure|(cmH2O)");
    EXPECT_EQ(p.edtUnits->text(), "cmH2O");
    EXPECT_EQ(p.edtTextFormat->text(), "0.0");
    EXPECT_TRUE(p.chkVisible->isChecked());
    EXPECT_EQ(p.cobLineColor->color(), 0xB44600u);
    EXPECT_EQ(p.edtRows->value(), 4);
    EXPECT_EQ(p.edtHeight->value(), 160);
    EXPECT_EQ(p.edtCols->value(), 60);
    EXPECT_EQ(p.cobDiagramModel->currentIndex(), 0);
    EXPECT_EQ(p.edtRate->value(), 25);
    EXPECT_EQ(p.edtMaxY->value(), 40);
    EXPECT_EQ(p.edtDigitalMax->value(), 4095);
    EXPECT_EQ(p.cobDataMode->currentIndex(), 0);
    EXPECT_EQ(p.edtCode->value(), 1);
    EXPECT_FALSE(p.edtCols->isVisible());
    EXPECT_EQ(p.height(), 370);
    p.cobList->setCurrentIndex(4);
    p.cobListChange();
    EXPECT_EQ(p.edtName->text(), "Apnea");
    EXPECT_EQ(p.cobDiagramModel->currentIndex(), 2);
    EXPECT_EQ(p.cobDataMode->currentIndex(), 1);
    EXPECT_EQ(p.edtCode->value(), 9);
}

TEST_F(OptDiagram, RefusesRangesThatDoNotGrow) {
    TfrmOptDiagram& p = open();
    const std::string before = rowText("[Type]=1 and Code=1 and CodePos=0");
    struct Case {
        int minY, maxY, dmin, dmax;
    };
    for (const Case& c : {Case{10, 10, 0, 4095}, Case{20, 10, 0, 4095}, Case{0, 40, 7, 7}, Case{0, 40, 9, 8}}) {
        p.edtMinY->setValue(c.minY);
        p.edtMaxY->setValue(c.maxY);
        p.edtDigitalMin->setValue(c.dmin);
        p.edtDigitalMax->setValue(c.dmax);
        presenter.boxes.clear();
        EXPECT_EQ(save(0, 1), -1);
        ASSERT_EQ(presenter.boxes.size(), 1u);
        EXPECT_EQ(presenter.boxes[0].text, "Ranges of parameters in the latter must be greater than the former!");
        EXPECT_EQ(save(1, 0), -1);  // quietly
        EXPECT_EQ(presenter.boxes.size(), 1u);
    }
    EXPECT_EQ(rowText("[Type]=1 and Code=1 and CodePos=0"), before);
}

TEST_F(OptDiagram, SaveChangesExactlyTheShownRowAndKeepsTheHiddenValues) {
    TfrmOptDiagram& p = open();
    const std::string flowBefore = rowText("[Type]=1 and CodePos=1");
    EXPECT_EQ(save(0, 1), 0);  // check only: nothing written
    EXPECT_EQ(rowText("[Type]=1 and CodePos=0").find("Rows=4;") != std::string::npos, true);
    p.edtChannleName->setText("Mask pressure|(cmH2O)");
    p.edtUnits->setText("hPa");
    p.edtTextFormat->setText("0.00");
    p.chkVisible->setChecked(false);
    p.edtRows->setValue(0);  // 0 rows may be saved
    p.edtHeight->setValue(200);
    p.cobLineColor->setColor(0x123456);
    EXPECT_EQ(save(1, 1), 0);
    ASSERT_EQ(presenter.boxes.size(), 1u);
    EXPECT_EQ(presenter.boxes[0].text, "System settings saved successfully!");
    exec("select * from tDiagram where [Type]=1 and CodePos=0");
    EXPECT_EQ(q.FieldByName("ChannleName").AsString(), "Mask pressure|(cmH2O)");
    EXPECT_EQ(q.FieldByName("Units").AsString(), "hPa");
    EXPECT_EQ(q.FieldByName("TextFormatY").AsString(), "0.00");
    EXPECT_EQ(q.FieldByName("Visible").AsInteger(), 0);
    EXPECT_EQ(q.FieldByName("Rows").AsInteger(), 0);
    EXPECT_EQ(q.FieldByName("Height").AsInteger(), 200);
    EXPECT_EQ(q.FieldByName("LineColor").AsInteger(), 0x123456);
    // The hidden editors wrote back what they loaded.
    EXPECT_EQ(q.FieldByName("Cols").AsInteger(), 60);
    EXPECT_EQ(q.FieldByName("DiagramModel").AsInteger(), 1);
    EXPECT_EQ(q.FieldByName("Rate").AsInteger(), 25);
    EXPECT_EQ(q.FieldByName("MinY").AsInteger(), 0);
    EXPECT_EQ(q.FieldByName("MaxY").AsInteger(), 40);
    EXPECT_EQ(q.FieldByName("DigitalMax").AsInteger(), 4095);
    EXPECT_EQ(q.FieldByName("DataMode").AsInteger(), 1);
    EXPECT_EQ(q.FieldByName("Code").AsInteger(), 1);
    EXPECT_EQ(q.FieldByName("CodePos").AsInteger(), 0);
    EXPECT_EQ(rowText("[Type]=1 and CodePos=1"), flowBefore);
}

TEST_F(OptDiagram, RenameKeepsTheListPosition) {
    TfrmOptDiagram& p = open();
    p.cobList->setCurrentIndex(3);
    p.cobListChange();
    ASSERT_EQ(p.edtName->text(), "Leak");
    p.edtName->setText("Mask leak");
    EXPECT_EQ(save(1, 0), 0);
    EXPECT_TRUE(presenter.boxes.empty());
    EXPECT_EQ(p.cobList->currentIndex(), 3);
    EXPECT_EQ(p.cobList->currentText(), "Log data - Mask leak");
    EXPECT_EQ(p.edtName->text(), "Mask leak");
    EXPECT_EQ(p.edtCode->value(), 17);
}

TEST_F(OptDiagram, NameLongerThanTwentyCharactersIsListedCutAndCannotBeSaved) {
    ASSERT_EQ(exec("update tDiagram set [Name]='Pressure at the mask side' where [Type]=1 and CodePos=0"), 1);
    TfrmOptDiagram& p = open();
    EXPECT_EQ(p.cobList->itemText(0), "Realtime data - Pressure at the mask");
    EXPECT_EQ(p.edtName->text(), "Pressure at the mask");
    const std::string before = rowText("[Type]=1 and CodePos=0");
    EXPECT_EQ(save(0, 1), 0);
    EXPECT_EQ(save(1, 0), -2);
    EXPECT_EQ(rowText("[Type]=1 and CodePos=0"), before);
}

TEST_F(OptDiagram, TwoChartsOfOneNameAreRefusedAndLeftAsTheyWere) {
    ASSERT_EQ(exec("update tDiagram set [Name]='Flow' where [Type]=1 and CodePos=0"), 1);
    TfrmOptDiagram& p = open();
    EXPECT_EQ(p.edtChannleName->text(), "Pressure|(cmH2O)");  // the first of the two
    p.edtRows->setValue(9);
    const std::string first = rowText("[Type]=1 and CodePos=0");
    const std::string second = rowText("[Type]=1 and CodePos=1");
    EXPECT_EQ(save(1, 0), -2);
    EXPECT_EQ(rowText("[Type]=1 and CodePos=0"), first);
    EXPECT_EQ(rowText("[Type]=1 and CodePos=1"), second);
}

TEST_F(OptDiagram, WithoutChartsThereIsNothingToRefuse) {
    ASSERT_GT(exec("delete from tDiagram where [Type] in (1, 2)"), 0);
    TfrmOptDiagram& p = open();
    EXPECT_EQ(p.cobList->count(), 0);
    EXPECT_EQ(save(0, 1), 0);
    EXPECT_EQ(save(1, 0), 0);
    EXPECT_TRUE(presenter.boxes.empty());
}

TEST_F(OptDiagram, WheelScrollsTheHostingBoxOneLine) {
    QScrollArea box;
    box.resize(560, 200);
    page = std::make_unique<TfrmOptDiagram>(*context);
    box.setWidget(page.release());
    auto* p = static_cast<TfrmOptDiagram*>(box.widget());
    box.show();
    QScrollBar* bar = box.verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    bar->setSingleStep(20);
    const QPointF at(10, 10);
    QWheelEvent towards(at, at, QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(p, &towards);
    EXPECT_EQ(bar->value(), 20);
    QWheelEvent away(at, at, QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(p, &away);
    EXPECT_EQ(bar->value(), 0);
}

}  // namespace
}  // namespace somnexa::charts
