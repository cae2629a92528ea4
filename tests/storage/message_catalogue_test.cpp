#include "storage/message_catalogue.h"

#include <gtest/gtest.h>

#include "storage/data_module.h"
#include "storage/database_builder.h"
#include "storage/recording_presenter.h"
#include "temp_folder.h"

namespace somnexa::storage {
namespace {

class Catalogue : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(createDatabase(folder.file("m.mdb"), DatabaseKind::Master, error)) << error;
        dm.MasterDBPath = folder.file("m.mdb");
        ASSERT_TRUE(dm.ConnectDatabase(kMasterConnection));
        dm.ExecSQL(q, "delete from Languages", kMasterConnection, true);
    }
    void row(const std::string& form, const std::string& ref, const std::string& zh, const std::string& en) {
        ASSERT_EQ(dm.ExecSQL(q,
                             "insert into Languages (FormName, ReferenceLanguage, SimplifiedChinese, English) values (" +
                                 QuotedStr(form) + "," + QuotedStr(ref) + "," + QuotedStr(zh) + "," + QuotedStr(en) + ")",
                             kMasterConnection, true),
                  1);
    }
    test::TempFolder folder;
    RecordingPresenter presenter;
    TDM dm{&presenter};
    Query q;
};

TEST_F(Catalogue, LanguageCodeSelectsTheColumnByPosition) {
    row("MessageBox", "Error executing SQL!", "执行SQL出错!", "Error executing SQL!");
    row("frmMain", "Home Page", "首页", "Home");
    row("Users", "Questions", "询问", "Question");
    TranslationTable zh, en;
    LoadLanguageTable(dm, "MessageBox", 1, zh);
    LoadLanguageTable(dm, "MessageBox", 3, en);
    ASSERT_EQ(zh.references.size(), 2u);  // MessageBox and Users rows, not frmMain
    EXPECT_EQ(zh.translate("error executing sql!"), "执行SQL出错!");
    EXPECT_EQ(en.translate("QUESTIONS"), "Question");
    EXPECT_EQ(en.translate("Home Page"), "Home Page");  // not in this table
}

TEST_F(Catalogue, FirstEqualKeyWinsAndAnEmptyTranslationBlanks) {
    row("frmMain", "Exit", "退出", "");
    row("Users", "Exit", "离开", "Leave");
    TranslationTable en;
    LoadLanguageTable(dm, "frmMain", 3, en);
    EXPECT_EQ(en.translate("exit"), "");
    TranslationTable zh;
    LoadLanguageTable(dm, "frmMain", 1, zh);
    EXPECT_EQ(zh.translate("Exit"), "退出");
}

TEST_F(Catalogue, FailingQueryLeavesTheTableEmpty) {
    dm.ExecSQL(q, "drop table Languages", kMasterConnection, true);
    TranslationTable t;
    t.add("stale", "x");
    LoadLanguageTable(dm, "frmMain", 3, t);
    EXPECT_TRUE(t.references.empty());
    ASSERT_EQ(presenter.boxes.size(), 1u);  // the data layer's SQL error box
}

TEST(CataloguePresenterTest, QuestionsAnswerFromTheScript) {
    RecordingPresenter p;
    p.answers = {true, false};
    EXPECT_TRUE(p.AskQuestion("Are you sure you want to delete this patient information?"));
    EXPECT_FALSE(p.AskQuestion("again"));
    EXPECT_FALSE(p.AskQuestion("no answer left"));
    ASSERT_EQ(p.boxes.size(), 3u);
    EXPECT_EQ(p.boxes[0].caption, "Questions");
    p.ShowWarning("w");
    p.ShowError("e");
    EXPECT_EQ(p.boxes[3].caption, "Warning");
    EXPECT_EQ(p.boxes[4].caption, "Error");
}

}  // namespace
}  // namespace somnexa::storage
