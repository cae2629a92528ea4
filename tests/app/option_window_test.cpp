// The options window: the check-then-save protocol over its pages, the
// success message and the notice to registered windows, the refusals, the
// language page and the navigator.

#include <QCoreApplication>

#include "app/option_save.h"
#include "app/option_system_page.h"
#include "app/option_window.h"
#include "app/window_helpers.h"
#include "app/window_message.h"
#include "app_fixture.h"

namespace somnexa::app::test {
namespace {

// A settings page with scripted answers (the chart page's place).
class ScriptedPage : public TQvForm {
public:
    ScriptedPage(AppContext& context, QWidget* owner) : TQvForm(context, QStringLiteral("frmOptDiagram"), owner) {}
    std::intptr_t checkAnswer = 0;
    std::intptr_t saveAnswer = 0;
    std::vector<std::pair<std::intptr_t, std::intptr_t>> asked;

protected:
    bool WindowMessage(int message, std::intptr_t wParam, std::intptr_t lParam, std::intptr_t& result) override {
        if (message != msg::WM_OPTION_SAVE) return false;
        asked.emplace_back(wParam, lParam);
        result = wParam == kOptionSave ? saveAnswer : checkAnswer;
        return true;
    }
};

// A window that counts settings-saved notices.
class Listener : public QObject {
public:
    int refreshes = 0;
    bool event(QEvent* event) override {
        if (static_cast<int>(event->type()) == msg::WM_REFRESH) {
            ++refreshes;
            return true;
        }
        return QObject::event(event);
    }
};

class OptionWindowTest : public ContextFixture {
protected:
    void SetUp() override {
        ContextFixture::SetUp();
        init(1);
        context->optionPages[kDiagramPageTag] = [this](AppContext& c, QWidget* owner) {
            scripted = new ScriptedPage(c, owner);
            return scripted;
        };
        RegisterSettingsListener(*context, &listener);
    }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& b : boxes.boxes) texts.push_back(b.text);
        return texts;
    }
    TfrmOptSystem* systemPage(TfrmOption& window) {
        return static_cast<TfrmOptSystem*>(window.pageWindow(kSystemPageTag));
    }

    ScriptedPage* scripted = nullptr;
    Listener listener;
};

TEST_F(OptionWindowTest, SavingAnUnchangedLanguageStoresItAndReportsSuccessOnly) {
    ASSERT_GE(exec("delete from sysOption"), 0);
    TfrmOption window(*context, kSystemPageTag);
    window.btnSaveClick();
    EXPECT_EQ(boxTexts(), std::vector<std::string>{"System settings saved successfully!"});
    EXPECT_EQ(context->dm().GetOption("Language", ""), "1");
    // Check with messages, then save quietly, chart page first.
    const std::vector<std::pair<std::intptr_t, std::intptr_t>> asked = {{0, 1}, {1, 0}};
    EXPECT_EQ(scripted->asked, asked);
    EXPECT_EQ(listener.refreshes, 0);  // posted
    QCoreApplication::processEvents();
    EXPECT_EQ(listener.refreshes, 1);
}

TEST_F(OptionWindowTest, SwitchingToEnglishGivesTheNoticeThenSuccessAndKeepsTheRunningLanguage) {
    TfrmOption window(*context, kSystemPageTag);
    systemPage(window)->languageList()->setCurrentIndex(1);
    window.btnSaveClick();
    const std::vector<std::string> expected = {
        "The type of language has been modified, the next time you open the program effect!",
        "System settings saved successfully!"};
    EXPECT_EQ(boxTexts(), expected);
    EXPECT_EQ(context->dm().GetOption("Language", ""), "3");
    EXPECT_EQ(context->LanguageCode, 1);
    EXPECT_EQ(boxes.boxes[1].translatedText, "系统设置保存成功!");
}

TEST_F(OptionWindowTest, ARefusalInTheCheckShowsThatPageAndSavesNothing) {
    TfrmOption window(*context, kSystemPageTag);
    systemPage(window)->languageList()->setCurrentIndex(1);
    scripted->checkAnswer = -1;
    window.btnSaveClick();
    EXPECT_EQ(window.currentTag(), kDiagramPageTag);
    EXPECT_TRUE(window.pageBox(kDiagramPageTag)->isVisibleTo(&window));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(context->dm().GetOption("Language", ""), "1");
    EXPECT_EQ(scripted->asked.size(), 1u);
    QCoreApplication::processEvents();
    EXPECT_EQ(listener.refreshes, 0);
}

TEST_F(OptionWindowTest, ARefusalInTheSaveLeavesTheOtherPagesSavedWithoutSuccess) {
    TfrmOption window(*context, kSystemPageTag);
    systemPage(window)->languageList()->setCurrentIndex(1);
    scripted->saveAnswer = -2;
    window.btnSaveClick();
    EXPECT_EQ(window.currentTag(), kDiagramPageTag);
    EXPECT_EQ(context->dm().GetOption("Language", ""), "3");
    EXPECT_EQ(boxTexts(), std::vector<std::string>{
                              "The type of language has been modified, the next time you open the program effect!"});
    QCoreApplication::processEvents();
    EXPECT_EQ(listener.refreshes, 0);
}

TEST_F(OptionWindowTest, AFailedLanguageWriteIsNotReportedAsSaved) {
    ASSERT_GE(exec("drop table sysOption"), 0);
    TfrmOption window(*context, kSystemPageTag);
    window.btnSaveClick();
    for (const auto& text : boxTexts()) EXPECT_NE(text, "System settings saved successfully!");
    EXPECT_FALSE(boxes.boxes.empty());  // the database error
    EXPECT_EQ(window.currentTag(), kSystemPageTag);
}

TEST_F(OptionWindowTest, TheFirstPageAndThePageMessageChooseTheFrontPage) {
    TfrmOption fromView(*context, kDiagramPageTag);
    EXPECT_EQ(fromView.currentTag(), kDiagramPageTag);
    TfrmOption fromHome(*context, kSystemPageTag);
    EXPECT_EQ(fromHome.currentTag(), kSystemPageTag);
    SendMessage(&fromHome, msg::WM_OPTION_PAGE, kDiagramPageTag);
    EXPECT_EQ(fromHome.currentTag(), kDiagramPageTag);
    for (std::intptr_t tag : {0, 11, -1}) {
        SendMessage(&fromHome, msg::WM_OPTION_PAGE, tag);
        EXPECT_EQ(fromHome.currentTag(), kDiagramPageTag) << tag;
    }
    EXPECT_FALSE(fromHome.navigatorItem(kDevicePageTag)->isVisibleTo(&fromHome));
    EXPECT_FALSE(fromHome.navigatorItem(kDevicePageTag)->isEnabled());
}

TEST_F(OptionWindowTest, HoverMarksFollowTheMouseAndChoosingHidesThem) {
    TfrmOption window(*context, kSystemPageTag);
    window.show();
    window.hoverOver(kDiagramPageTag);
    EXPECT_TRUE(window.hoverMark()->isVisible());
    EXPECT_EQ(window.hoverMark()->parentWidget(), window.navigatorItem(kDiagramPageTag));
    window.hoverOver(0);
    EXPECT_FALSE(window.hoverMark()->isVisible());
    window.hoverOver(kDiagramPageTag);
    window.ChoosePage(kDiagramPageTag);
    EXPECT_FALSE(window.hoverMark()->isVisible());
}

TEST_F(OptionWindowTest, TheSystemPageOffersBothLanguagesTranslatedAndSelectsTheRunningOne) {
    TfrmOptSystem page(*context);
    ASSERT_EQ(page.languageList()->count(), 2);
    EXPECT_EQ(page.languageList()->itemText(0), QString::fromUtf8("简体中文"));
    EXPECT_EQ(page.languageList()->itemText(1), QStringLiteral("English"));
    EXPECT_EQ(page.languageList()->currentIndex(), 0);
    EXPECT_EQ(SendMessage(&page, msg::WM_OPTION_SAVE, kOptionCheck, 1), 0);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST(OptionSave, AsksEveryPageInOrderAndStopsAfterARoundWithARefusal) {
    struct Case {
        std::vector<std::pair<int, int>> answers;  // per page: check, save
        bool saved;
        bool failedInCheck;
        std::vector<int> refused;
        int saveCalls;
    };
    const Case cases[] = {
        {{{0, 0}, {0, 0}}, true, false, {}, 2},
        {{{-1, 0}, {0, 0}}, false, true, {2}, 0},
        {{{-1, 0}, {-1, 0}}, false, true, {2, 1}, 0},
        {{{0, -2}, {0, 0}}, false, false, {2}, 2},
        {{{5, 3}, {0, 0}}, true, false, {}, 2},  // zero or more accepts
    };
    for (const Case& c : cases) {
        int saveCalls = 0;
        std::vector<OptionPageLink> links;
        const int tags[] = {2, 1};
        for (std::size_t i = 0; i < c.answers.size(); ++i) {
            const auto answer = c.answers[i];
            links.push_back({tags[i], [answer, &saveCalls](std::intptr_t w, std::intptr_t l) -> std::intptr_t {
                                 if (w == kOptionSave) {
                                     ++saveCalls;
                                     EXPECT_EQ(l, 0);
                                     return answer.second;
                                 }
                                 EXPECT_EQ(l, 1);
                                 return answer.first;
                             }});
        }
        const OptionSaveResult result = runOptionSave(links);
        EXPECT_EQ(result.saved, c.saved);
        EXPECT_EQ(result.failedInCheck, c.failedInCheck);
        EXPECT_EQ(result.refusedTags, c.refused);
        EXPECT_EQ(saveCalls, c.saveCalls);
    }
}

}  // namespace
}  // namespace somnexa::app::test
