// The run-time translation of windows: keys without regard to letter case,
// the first row winning, empty translations, the kinds of controls that are
// translated, and the language fixed at creation.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

#include "app/option_system_page.h"
#include "app/qv_form.h"
#include "app/window_message.h"
#include "app_fixture.h"

namespace somnexa::app::test {
namespace {

class TranslationTest : public ContextFixture {
protected:
    void SetUp() override {
        ContextFixture::SetUp();
        init(3);
        // Rows in the order they are returned: by their insertion.
        addRow("frmProbe", "Window Caption", "窗口", "Probe window");
        addRow("frmProbe", "PATIENT NAME", "病人姓名", "Name of patient");
        addRow("frmProbe", "Shared Key", "本窗口", "From the window");
        addRow("Users", "Shared Key", "共享", "From users");
        addRow("frmProbe", "Blank Me", "空", "");
        addRow("frmProbe", "Label", "标签", "Label text");
        addRow("frmProbe", "Tick", "勾选", "Tick box");
        addRow("frmProbe", "First", "一", "One");
        addRow("frmProbe", "Second", "二", "Two");
        addRow("frmProbe", "Push", "按", "Push it");
        addRow("frmProbe", "Picture hint", "图", "Picture tip");
        addRow("frmProbe", "Button hint", "钮", "Button tip");
        addRow("frmProbe", "Group", "组", "Group box");
        addRow("frmProbe", "Tab", "页", "Tab page");
        addRow("frmProbe", "Column", "列", "Column title");
        addRow("frmProbe", "Action", "菜单", "Menu action");
        addRow("frmProbe", "Typed", "输入", "Typed text");
        addRow("frmInner", "Label", "内", "Inner label");
    }
    void addRow(const char* form, const char* key, const char* chinese, const char* english) {
        const std::string sql = std::string("insert into Languages (FormName, ReferenceLanguage, SimplifiedChinese, "
                                            "English) values ('") +
                                form + "','" + key + "','" + chinese + "','" + english + "')";
        ASSERT_EQ(exec(sql), 1) << sql;
    }
};

TEST_F(TranslationTest, TranslateMatchesKeysWithoutLetterCaseAndTheFirstRowWins) {
    TQvForm form(*context, QStringLiteral("frmProbe"));
    const std::pair<const char*, const char*> cases[] = {
        {"Patient Name", "Name of patient"},  // key differs only in letter case
        {"patient name", "Name of patient"},
        {"Shared Key", "From the window"},    // window row before the Users row
        {"Blank Me", ""},                     // an empty translation blanks the text
        {"Home Page", "Home"},                // a shared Users row of the shipped table
        {"No such text", "No such text"},     // no row: unchanged
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(form.Translate(QString::fromUtf8(text)), QString::fromUtf8(expected)) << text;
    }
}

TEST_F(TranslationTest, ShowingTranslatesEveryKindOfControlButEditsAndNestedWindows) {
    TQvForm form(*context, QStringLiteral("frmProbe"));
    form.setWindowTitle(QStringLiteral("Window Caption"));
    auto* label = new QLabel(QStringLiteral("label"), &form);
    auto* blank = new QLabel(QStringLiteral("Blank Me"), &form);
    auto* check = new QCheckBox(QStringLiteral("Tick"), &form);
    auto* combo = new QComboBox(&form);
    combo->addItems({QStringLiteral("First"), QStringLiteral("Second"), QStringLiteral("Third")});
    auto* push = new QPushButton(QStringLiteral("Push"), &form);
    auto* picture = new QLabel(&form);
    picture->setPixmap(QPixmap(8, 8));
    picture->setToolTip(QStringLiteral("Picture hint"));
    auto* bitmapButton = new QToolButton(&form);
    bitmapButton->setIcon(QIcon(QPixmap(8, 8)));
    bitmapButton->setToolTip(QStringLiteral("Button hint"));
    auto* group = new QGroupBox(QStringLiteral("Group"), &form);
    auto* groupLabel = new QLabel(QStringLiteral("Label"), group);
    auto* tabs = new QTabWidget(&form);
    tabs->addTab(new QWidget, QStringLiteral("Tab"));
    auto* table = new QTableWidget(1, 2, &form);
    table->setHorizontalHeaderLabels({QStringLiteral("Column"), QStringLiteral("Other")});
    auto* action = new QAction(QStringLiteral("Action"), &form);
    auto* edit = new QLineEdit(QStringLiteral("Typed"), &form);
    auto* inner = new TQvForm(*context, QStringLiteral("frmInner"), &form);
    auto* innerLabel = new QLabel(QStringLiteral("Label"), inner);
    inner->hide();

    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Probe window"));
    EXPECT_EQ(label->text(), QStringLiteral("Label text"));
    EXPECT_EQ(blank->text(), QString());
    EXPECT_EQ(check->text(), QStringLiteral("Tick box"));
    EXPECT_GE(check->width(), check->sizeHint().width());  // sized to the new text
    EXPECT_EQ(combo->itemText(0), QStringLiteral("One"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("Two"));
    EXPECT_EQ(combo->itemText(2), QStringLiteral("Third"));
    EXPECT_EQ(push->text(), QStringLiteral("Push it"));
    EXPECT_EQ(picture->toolTip(), QStringLiteral("Picture tip"));
    EXPECT_EQ(bitmapButton->toolTip(), QStringLiteral("Button tip"));
    EXPECT_EQ(group->title(), QStringLiteral("Group box"));
    EXPECT_EQ(groupLabel->text(), QStringLiteral("Label text"));
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Tab page"));
    EXPECT_EQ(table->horizontalHeaderItem(0)->text(), QStringLiteral("Column title"));
    EXPECT_EQ(table->horizontalHeaderItem(1)->text(), QStringLiteral("Other"));
    EXPECT_EQ(action->text(), QStringLiteral("Menu action"));
    EXPECT_EQ(edit->text(), QStringLiteral("Typed"));    // edits keep their text
    EXPECT_EQ(innerLabel->text(), QStringLiteral("Label"));  // the nested window translates itself
    inner->show();
    EXPECT_EQ(innerLabel->text(), QStringLiteral("Inner label"));

    // Showing again finds no key for a translated text and keeps it.
    form.hide();
    form.show();
    EXPECT_EQ(label->text(), QStringLiteral("Label text"));
}

TEST_F(TranslationTest, AWindowKeepsTheLanguageOfItsCreationUntilTheNextStart) {
    TQvForm english(*context, QStringLiteral("frmProbe"));
    {
        TfrmOptSystem page(*context);
        page.languageList()->setCurrentIndex(0);  // Simplified Chinese
        EXPECT_EQ(SendMessage(&page, msg::WM_OPTION_SAVE, 1, 0), 0);
    }
    EXPECT_EQ(context->dm().GetOption("Language", ""), "1");
    EXPECT_EQ(context->LanguageCode, 3);  // the running language stays
    auto* label = new QLabel(QStringLiteral("Label"), &english);
    english.show();
    english.hide();
    english.show();
    EXPECT_EQ(label->text(), QStringLiteral("Label text"));
    TQvForm reopened(*context, QStringLiteral("frmProbe"));
    EXPECT_EQ(reopened.Translate(QStringLiteral("Label")), QStringLiteral("Label text"));
    // The next start reads the stored language.
    ASSERT_TRUE(InitApplication(*context));
    TQvForm restarted(*context, QStringLiteral("frmProbe"));
    EXPECT_EQ(restarted.Translate(QStringLiteral("Label")), QString::fromUtf8("标签"));
}

TEST_F(TranslationTest, AFailingLanguageQueryLeavesTheWindowUntranslated) {
    ASSERT_GE(exec("drop table Languages"), 0);
    TQvForm form(*context, QStringLiteral("frmProbe"));
    EXPECT_TRUE(form.translations().references.empty());
    EXPECT_EQ(form.Translate(QStringLiteral("Label")), QStringLiteral("Label"));
    ASSERT_FALSE(boxes.boxes.empty());
    EXPECT_EQ(boxes.boxes.back().kind, storage::BoxKind::Info);
    EXPECT_NE(boxes.boxes.back().text.find("select * from Languages"), std::string::npos);
}

}  // namespace
}  // namespace somnexa::app::test
