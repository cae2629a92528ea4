// The four message boxes: captions, translation through the catalogue, icons
// and buttons, and long texts kept whole.

#include <QAbstractButton>
#include <QMessageBox>

#include "app/qt_presenter.h"
#include "app/qv_form.h"
#include "app_fixture.h"

namespace somnexa::app::test {
namespace {

class MessageBoxTest : public ContextFixture {};

TEST_F(MessageBoxTest, TheFourBoxesCarryTheirCaptionsTranslatedThroughTheCatalogue) {
    init(3);
    TQvForm form(*context, QStringLiteral("frmProbe"));
    form.ShowInfo("System settings saved successfully!");
    form.ShowWarning("Unknown");
    form.ShowError("Help file does not exist, please contact the supplier!");
    boxes.answers = {true, false};
    EXPECT_TRUE(form.AskQuestion("Sure you want to exit the system?"));
    EXPECT_FALSE(form.AskQuestion("Sure you want to exit the system?"));
    EXPECT_FALSE(form.AskQuestion("Sure you want to exit the system?"));  // no scripted answer: No

    ASSERT_EQ(boxes.boxes.size(), 6u);
    const struct {
        storage::BoxKind kind;
        const char* caption;
        const char* translatedCaption;
        const char* translatedText;
    } expected[] = {
        {storage::BoxKind::Info, "Information", "Information", "Settings saved."},
        {storage::BoxKind::Warning, "Warning", "Warning", "Unknown"},
        {storage::BoxKind::Error, "Error", "Error", "The help file is missing. Please contact your supplier."},
        {storage::BoxKind::Question, "Questions", "Question", "Are you sure you want to exit the program?"},
    };
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(boxes.boxes[i].kind, expected[i].kind) << i;
        EXPECT_EQ(boxes.boxes[i].caption, expected[i].caption) << i;
        EXPECT_EQ(boxes.boxes[i].translatedCaption, expected[i].translatedCaption) << i;
        EXPECT_EQ(boxes.boxes[i].translatedText, expected[i].translatedText) << i;
    }
}

TEST_F(MessageBoxTest, CatalogueTextUsesTheMessageRowsInTheRunningLanguage) {
    init(1);
    TQvForm form(*context, QStringLiteral("frmProbe"));
    EXPECT_EQ(form.CatalogueText(QStringLiteral("Resource loading failed!")), QString::fromUtf8("资源加载失败!"));
    EXPECT_EQ(form.CatalogueText(QStringLiteral("resource LOADING failed!")), QString::fromUtf8("资源加载失败!"));
    EXPECT_EQ(form.CatalogueText(QStringLiteral("Not in the catalogue")), QStringLiteral("Not in the catalogue"));
}

TEST(MessageBoxWidgets, KindsGiveTheirIconsAndButtons) {
    const struct {
        storage::BoxKind kind;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    } cases[] = {
        {storage::BoxKind::Info, QMessageBox::Information, QMessageBox::Ok},
        {storage::BoxKind::Warning, QMessageBox::Warning, QMessageBox::Ok},
        {storage::BoxKind::Error, QMessageBox::Critical, QMessageBox::Ok},
        {storage::BoxKind::Question, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No},
    };
    for (const auto& c : cases) {
        auto box = makeMessageBox(c.kind, QStringLiteral("Caption"), QStringLiteral("Text"), nullptr);
        EXPECT_EQ(box->icon(), c.icon);
        EXPECT_EQ(box->standardButtons(), c.buttons);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Caption"));
        EXPECT_EQ(box->text(), QStringLiteral("Text"));
        EXPECT_TRUE(box->detailedText().isEmpty());
    }
}

TEST(MessageBoxWidgets, ALongSqlErrorKeepsItsWholeTextInTheDetails) {
    QString statement = QStringLiteral("select * from tPatients where PatientID in (");
    for (int i = 0; i < 400; ++i) statement += QStringLiteral("'20261211%1',").arg(i, 3, 10, QLatin1Char('0'));
    statement += QStringLiteral("'x')");
    const QString text = QStringLiteral("Error executing SQL!\n\rno such table: tPatient\n\r") + statement;
    auto box = makeMessageBox(storage::BoxKind::Info, QStringLiteral("Information"), text, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("Error executing SQL!"));
    EXPECT_TRUE(box->detailedText().contains(statement));  // not cut
    EXPECT_TRUE(box->detailedText().contains(QStringLiteral("no such table: tPatient")));
    EXPECT_FALSE(box->detailedText().contains(QLatin1Char('\r')));
}

TEST(MessageBoxWidgets, ShortAndManyLineTextsAreSplitByTheirLength) {
    EXPECT_TRUE(splitLongMessage(QStringLiteral("Short\nmessage")).details.isEmpty());
    const QString exactly = QString(kLongMessageChars, QLatin1Char('a'));
    EXPECT_TRUE(splitLongMessage(exactly).details.isEmpty());
    EXPECT_EQ(splitLongMessage(exactly + QLatin1Char('b')).details, exactly + QLatin1Char('b'));
    QString manyLines;
    for (int i = 0; i < kLongMessageLines + 1; ++i) manyLines += QStringLiteral("line %1\n").arg(i);
    const BoxText split = splitLongMessage(manyLines.trimmed());
    EXPECT_EQ(split.summary, QStringLiteral("line 0"));
    EXPECT_EQ(split.details, manyLines.trimmed());
}

TEST(MessageBoxWidgets, FileFiltersBecomeQtFilters) {
    EXPECT_EQ(qtFileFilter(QStringLiteral("Access files (*.mdb)|*.mdb")), QStringLiteral("Access files (*.mdb)"));
    EXPECT_EQ(qtFileFilter(QStringLiteral("Pictures|*.jpg;*.bmp|All|*.*")),
              QStringLiteral("Pictures (*.jpg *.bmp);;All (*.*)"));
}

}  // namespace
}  // namespace somnexa::app::test
