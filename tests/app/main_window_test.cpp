// The main window: menu selection and its refusals, the sliding marker, the
// window messages, the footer, the window buttons and the minimum size.

#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>

#include "app/main_window.h"
#include "app/window_message.h"
#include "app_fixture.h"

namespace somnexa::app::test {
namespace {

// A page that counts the lay-out requests and the shows it gets.
class ProbePage : public TQvForm {
public:
    ProbePage(AppContext& context, QWidget* owner) : TQvForm(context, QStringLiteral("frmProbe"), owner) {}
    int layouts = 0;
    int shows = 0;

protected:
    bool WindowMessage(int message, std::intptr_t, std::intptr_t, std::intptr_t&) override {
        if (message != msg::WM_USER_RESIZE) return false;
        ++layouts;
        return true;
    }
    void FormShow() override { ++shows; }
};

class MainWindowTest : public ContextFixture {
protected:
    void SetUp() override {
        ContextFixture::SetUp();
        init(3);
        main = std::make_unique<TfrmMain>(*context);
        ASSERT_TRUE(main->created());
        for (int i = 0; i < 4; ++i) {
            pages[i] = new ProbePage(*context, main.get());
            pages[i]->hide();  // as start-up leaves them until they are chosen
            main->setPage(i, pages[i]);
        }
        main->show();
        main->setWindowState(Qt::WindowNoState);  // sizes of its own, not the offscreen screen's
        QCoreApplication::processEvents();
    }
    void TearDown() override { main.reset(); }

    void finishSlide() {
        for (int i = 0; i < 1000 && main->sliding(); ++i) main->tmrSlideTimer();
    }
    void openPatientWithSessions(const std::vector<int>& durations) {
        folder.addPatientDatabase(QStringLiteral("20261211001.mdb"));
        context->CurrentPatientID = "20261211001";
        context->dm().PatientDBPath = folder.file(QStringLiteral("20261211001.mdb")).toStdString();
        ASSERT_TRUE(context->dm().ConnectDatabase(storage::kPatientConnection));
        for (int times : durations) {
            ASSERT_EQ(exec("insert into tSession (OpenTime, Times, WorkPress) values (#2026-12-10 22:30:00#, " +
                               std::to_string(times) + ", 80)",
                           storage::kPatientConnection),
                      1);
        }
    }

    std::unique_ptr<TfrmMain> main;
    ProbePage* pages[4] = {};
};

TEST_F(MainWindowTest, ShowingBuildsTheMenuAndSelectsTheHomePage) {
    EXPECT_EQ(main->currentItem(), 0);
    EXPECT_TRUE(pages[0]->isVisible());
    EXPECT_EQ(pages[0]->parentWidget(), main->pageArea());
    const char* captions[] = {"Home", "Open Patient", "Patient Info", "Download", "Data Analysis"};
    for (int i = 0; i < kMenuItemCount; ++i) EXPECT_EQ(main->menuLabel(i)->text(), QString::fromUtf8(captions[i]));
    EXPECT_EQ(main->titleLabel()->text(), QStringLiteral("Qorvel Somnexa Management System"));
    EXPECT_EQ(main->windowFlags() & Qt::FramelessWindowHint, Qt::FramelessWindowHint);
    EXPECT_EQ(main->patientLabel()->text(), QStringLiteral("Selected patient: none"));
}

TEST_F(MainWindowTest, SelectingAnItemShowsItsPageAndAsksItToLayOutOnce) {
    main->SelectItem(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(main->currentItem(), 1);
    EXPECT_TRUE(pages[1]->isVisible());
    EXPECT_FALSE(pages[0]->isVisible());  // behind the front page
    EXPECT_EQ(pages[1]->layouts, 1);
    EXPECT_EQ(pages[1]->shows, 1);

    main->SelectItem(1);  // the current item again: nothing happens
    QCoreApplication::processEvents();
    EXPECT_EQ(pages[1]->layouts, 1);
    EXPECT_EQ(pages[1]->shows, 1);

    main->SelectItem(0);  // the home page gets no lay-out request
    QCoreApplication::processEvents();
    EXPECT_EQ(pages[0]->layouts, 0);
}

TEST_F(MainWindowTest, AClickOnAMenuItemSelectsIt) {
    QLabel* label = main->menuLabel(2);
    const QPoint centre = label->mapTo(main.get(), label->rect().center());
    QWidget* area = main->childAt(centre);
    ASSERT_NE(area, nullptr);
    const QPoint local = area->mapFrom(main.get(), centre);
    QMouseEvent press(QEvent::MouseButtonPress, local, area->mapToGlobal(local), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(area, &press);
    EXPECT_EQ(main->currentItem(), 2);
    EXPECT_TRUE(pages[2]->isVisible());
}

TEST_F(MainWindowTest, TheMarkerSlidesThirtyPixelsATickUnderTheChosenItem) {
    finishSlide();
    main->SelectItem(3);
    const int target = main->markerTarget();
    QLabel* label = main->menuLabel(3);
    EXPECT_LT(target, label->x());  // centred under the label, wider than it
    EXPECT_GT(target + 40, label->x());
    ASSERT_TRUE(main->sliding());
    int previous = main->markerLeft();
    int ticks = 0;
    while (main->sliding()) {
        main->tmrSlideTimer();
        const int step = main->markerLeft() - previous;
        EXPECT_TRUE(step == 30 || (step < 30 && main->markerLeft() == target)) << step;
        previous = main->markerLeft();
        ++ticks;
    }
    EXPECT_EQ(main->markerLeft(), target);
    EXPECT_GT(ticks, 2);
    main->SelectItem(0);  // and back to the left
    finishSlide();
    EXPECT_EQ(main->markerLeft(), main->markerTarget());
    EXPECT_LT(main->markerLeft(), main->menuLabel(0)->x());
}

TEST_F(MainWindowTest, AnalysisIsRefusedWithoutAPatient) {
    finishSlide();
    main->SelectItem(4);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "View data analysis prior to select the current required to operate a patient!");
    EXPECT_EQ(main->currentItem(), 0);
    EXPECT_FALSE(main->sliding());
}

TEST_F(MainWindowTest, AnalysisIsRefusedWhenNoSessionHasAnyUse) {
    openPatientWithSessions({0, 0});
    finishSlide();
    const int marker = main->markerLeft();
    main->SelectItem(4);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "The current user data!");
    EXPECT_EQ(boxes.boxes[0].translatedText, "The current patient has no therapy data.");
    EXPECT_EQ(main->currentItem(), 0);
    EXPECT_EQ(main->markerLeft(), marker);
    EXPECT_FALSE(main->sliding());
}

TEST_F(MainWindowTest, AnalysisWithUseShowsItsPageWhenThereIsOne) {
    openPatientWithSessions({0, 3600});
    main->SelectItem(4);  // no analysis page in this window: nothing is selected
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(main->currentItem(), 0);
    auto* analysis = new ProbePage(*context, main.get());
    main->setPage(4, analysis);
    main->SelectItem(4);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(main->currentItem(), 4);
    EXPECT_TRUE(analysis->isVisible());
}

TEST_F(MainWindowTest, ChangePageMessagesSelectItemsAndIgnoreOtherNumbers) {
    PostMessage(main.get(), msg::WM_CHANGE_PAGE, 2);
    EXPECT_EQ(main->currentItem(), 0);  // posted: handled by the event loop
    QCoreApplication::processEvents();
    EXPECT_EQ(main->currentItem(), 2);
    for (std::intptr_t item : {-1, 5, 99}) {
        SendMessage(main.get(), msg::WM_CHANGE_PAGE, item);
        EXPECT_EQ(main->currentItem(), 2) << item;
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(MainWindowTest, TheFooterShowsTheSelectedPatient) {
    context->CurrentPatientCaption = "20261211001, Li Na, F, 47";
    SendMessage(main.get(), msg::WM_USER_INFO);
    EXPECT_EQ(main->patientLabel()->text(), QStringLiteral("Selected patient: 20261211001, Li Na, F, 47"));
    context->CurrentPatientCaption.clear();  // the patient was deleted
    SendMessage(main.get(), msg::WM_USER_INFO);
    EXPECT_EQ(main->patientLabel()->text(), QStringLiteral("Selected patient: None"));
}

TEST_F(MainWindowTest, TheWindowSnapsBackToItsMinimumSize) {
    main->resize(800, 600);
    EXPECT_GE(main->width(), kMinimumWidth);
    EXPECT_GE(main->height(), kMinimumHeight);
    main->resize(1300, 900);
    EXPECT_EQ(main->size(), QSize(1300, 900));
}

TEST_F(MainWindowTest, CloseAsksFirstAndEndsOnlyOnYes) {
    boxes.answers = {false};
    main->btnCloseClick();
    EXPECT_TRUE(terminations.empty());
    boxes.answers = {true};
    main->btnCloseClick();
    EXPECT_EQ(terminations, std::vector<int>{0});
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].text, "Sure you want to exit the system?");
    EXPECT_EQ(boxes.boxes[0].kind, storage::BoxKind::Question);
}

TEST_F(MainWindowTest, HelpOpensTheHelpFileOrReportsThatItIsMissing) {
    main->btnHelpClick();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].kind, storage::BoxKind::Error);
    EXPECT_EQ(boxes.boxes[0].text, "Help file does not exist, please contact the supplier!");
    EXPECT_TRUE(openedUrls.empty());

    folder.addBuiltFile("help.html");
    main->btnHelpClick();
    ASSERT_EQ(openedUrls.size(), 1u);
    EXPECT_EQ(openedUrls[0].toLocalFile(), folder.file(QStringLiteral("help.html")));
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

}  // namespace
}  // namespace somnexa::app::test
