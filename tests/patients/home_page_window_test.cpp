#include "patients/home_page_window.h"

#include <QLabel>
#include <QListWidget>

#include "patients/patient_files.h"
#include "patients/patient_index.h"
#include "patients/patient_registry.h"
#include "window_fixture.h"

namespace somnexa::patients {
namespace {

class HomePage : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        page = std::make_unique<TfrmHomePage>(*context);
        page->setMainWindow(&mainWindow);
        page->showOptions = [this] { ++optionsShown; };
        page->resize(1200, 700);
    }
    void log(const std::string& id, const std::string& name, double daysAgo) {
        ASSERT_EQ(exec(SeeLogInsertStatement({id, name, "Male", "40", ""}, DateTime(now - daysAgo))), 1);
    }
    std::vector<std::string> items() {
        std::vector<std::string> out;
        for (int i = 0; i < page->historyList()->count(); ++i)
            out.push_back(page->historyList()->item(i)->text().toStdString());
        return out;
    }
    std::unique_ptr<TfrmHomePage> page;
    int optionsShown = 0;
};

TEST_F(HomePage, HistoryShowsEachPatientOnceAndTenAtMost) {
    log("20120901001", "Li", 3);
    log("20120901001", "Li Na", 2);
    for (int i = 0; i < 11; ++i) log("201209020" + std::to_string(10 + i), "P" + std::to_string(i), 20 - i);
    page->show();
    const auto list = items();
    ASSERT_EQ(list.size(), 10u);
    EXPECT_EQ(list[0], " 20120901001, Li Na, Male, 40");
    EXPECT_EQ(list[1], " 20120902020, P10, Male, 40");
    EXPECT_EQ(page->historyList()->item(0)->data(Qt::UserRole).toString(), QStringLiteral("20120901001"));
}

TEST_F(HomePage, ClickingAPatientThatLeftTheIndexSaysSo) {
    log("20120901001", "Li", 1);
    page->show();
    page->HistoryItemClick(0);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"The current patient information does not exist!"});
    EXPECT_TRUE(context->CurrentPatientID.empty());
    EXPECT_TRUE(posted().empty());
}

TEST_F(HomePage, ClickingAPatientReopensIt) {
    PatientRecord r;
    r.patientID = context->dm().NewPatientID();
    r.name = "Li";
    r.gender = "Male";
    r.age = "40";
    ASSERT_TRUE(PatientRegistry(context->dm(), boxes, programDir())
                    .Save(SaveMode::New, r, DefaultSavePath(programDir(), "Li"), ""));
    boxes.boxes.clear();
    log(r.patientID, "Li", 1);
    page->show();
    page->HistoryItemClick(0);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(context->CurrentPatientCaption, "20120906001, Li, Male, 40");
    EXPECT_EQ(exec("select * from SeeLog"), 2);
    EXPECT_EQ(posted(), (std::vector<std::pair<int, std::intptr_t>>{{msg::WM_USER_INFO, 0}, {msg::WM_CHANGE_PAGE, 2}}));
}

TEST_F(HomePage, TilesLeadToThePagesAndTheSettings) {
    page->show();
    for (int tag = 1; tag <= 4; ++tag) page->TileClick(tag);
    page->TileClick(5);
    EXPECT_EQ(optionsShown, 1);
    EXPECT_EQ(posted(), (std::vector<std::pair<int, std::intptr_t>>{
                            {msg::WM_CHANGE_PAGE, 1}, {msg::WM_CHANGE_PAGE, 2}, {msg::WM_CHANGE_PAGE, 3},
                            {msg::WM_CHANGE_PAGE, 4}}));
}

TEST_F(HomePage, TilesFollowTheLayoutAndTheHoverFrame) {
    page->show();
    QApplication::processEvents();
    const int PW = page->tileArea()->width();
    const int PH = page->tileArea()->height();
    EXPECT_EQ(PW, 1200 - kHistoryWidth);
    const int W = page->tile(1)->width();
    const int H = page->tile(1)->height();
    const int top1 = (PH - 3 * H) / 3;
    const int left1 = static_cast<int>((PW - 2 * W) / 2.5);
    EXPECT_EQ(page->tile(1)->pos(), QPoint(left1, top1));
    EXPECT_EQ(page->tile(2)->pos(), QPoint(PW - left1 - W, top1));
    EXPECT_EQ(page->tile(3)->pos(), QPoint(left1, static_cast<int>(top1 * 1.5) + H));
    EXPECT_EQ(page->tile(4)->pos(), QPoint(PW - left1 - W, static_cast<int>(top1 * 1.5) + H));
    EXPECT_EQ(page->tile(5)->pos(), QPoint(left1, PH - top1 - H));
    page->HoverTile(3);
    EXPECT_TRUE(page->hoverFrame()->isVisible());
    EXPECT_EQ(page->hoverFrame()->pos(), page->tile(3)->pos());
    page->HoverTile(0);
    EXPECT_FALSE(page->hoverFrame()->isVisible());
    page->HoverTile(2);
    page->TileClick(2);
    EXPECT_FALSE(page->hoverFrame()->isVisible());
}

}  // namespace
}  // namespace somnexa::patients
