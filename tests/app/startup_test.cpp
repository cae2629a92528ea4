// Start-up: the order of creation, one instance per session, the failures
// that end the start, and the initialisation's values.

#include <QFile>

#include "app_fixture.h"
#include "app/main_window.h"
#include "app/program.h"

namespace somnexa::app::test {
namespace {

struct StartRun {
    ProgramFolder& folder;
    storage::RecordingPresenter boxes;
    std::vector<QString> plainBoxes;
    std::unique_ptr<Program> program;

    explicit StartRun(ProgramFolder& f) : folder(f) {}
    Program::Start start() {
        ProgramOptions options;
        options.programDir = folder.path();
        options.lockFolder = folder.path();
        options.presenter = &boxes;
        options.plainBox = [this](const QString& text) { plainBoxes.push_back(text); };
        program = std::make_unique<Program>(options);
        return program->start();
    }
};

TEST(Startup, CreatesTheDataModuleTheMainWindowAndThePagesInOrder) {
    ProgramFolder folder;
    folder.addStandardFiles();
    StartRun run(folder);
    ASSERT_EQ(run.start(), Program::Start::Running);
    const std::vector<std::string> expected = {"TDM",         "frmMain",        "InitApplication", "InitApplication",
                                               "frmHomePage", "frmOpenPatient", "frmNewPatient",
                                               "frmDownData"};
    EXPECT_EQ(run.program->context()->startupSteps, expected);
    TfrmMain* main = run.program->mainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->currentItem(), 0);  // the home page is shown first
    EXPECT_EQ(main->page(0), run.program->window(QStringLiteral("frmHomePage")));
    EXPECT_EQ(run.program->context()->ProductTitle, "Qorvel Somnexa Management System");
    EXPECT_TRUE(run.boxes.boxes.empty());
}

TEST(Startup, ASecondStartShowsThePlainBoxAndCreatesNoWindow) {
    ProgramFolder folder;
    folder.addStandardFiles();
    StartRun first(folder);
    ASSERT_EQ(first.start(), Program::Start::Running);

    StartRun second(folder);
    EXPECT_EQ(second.start(), Program::Start::AlreadyRunning);
    ASSERT_EQ(second.plainBoxes.size(), 1u);
    EXPECT_EQ(second.plainBoxes[0], QString::fromUtf8("程序已经启动，请检查任务栏!"));
    EXPECT_EQ(second.program->context(), nullptr);
    EXPECT_EQ(second.program->mainWindow(), nullptr);
    EXPECT_TRUE(second.boxes.boxes.empty());
    // The running program is untouched and still holds the session.
    EXPECT_TRUE(first.program->mainWindow()->isVisible());

    // Once the first program has ended, a new start runs.
    first.program.reset();
    second.program.reset();
    StartRun third(folder);
    EXPECT_EQ(third.start(), Program::Start::Running);
}

TEST(Startup, AMissingMasterDatabaseEndsAfterTheConnectionError) {
    ProgramFolder folder;
    folder.addBuiltFile("face.rcc");
    StartRun run(folder);
    EXPECT_EQ(run.start(), Program::Start::Failed);
    ASSERT_EQ(run.boxes.boxes.size(), 1u);
    EXPECT_EQ(run.boxes.boxes[0].kind, storage::BoxKind::Error);
    EXPECT_EQ(run.boxes.boxes[0].text.rfind("Database connection failed!", 0), 0u) << run.boxes.boxes[0].text;
    const auto& steps = run.program->context()->startupSteps;
    EXPECT_EQ(steps.back(), "InitApplication");  // no page was created
    EXPECT_FALSE(run.program->mainWindow()->isVisible());
}

TEST(Startup, AMissingSkinEndsAfterResourceLoadingFailed) {
    ProgramFolder folder;
    folder.addMasterDatabase();
    StartRun run(folder);
    EXPECT_EQ(run.start(), Program::Start::Failed);
    ASSERT_EQ(run.boxes.boxes.size(), 1u);
    EXPECT_EQ(run.boxes.boxes[0].kind, storage::BoxKind::Info);
    EXPECT_EQ(run.boxes.boxes[0].text, "Resource loading failed!");
    EXPECT_NE(run.boxes.boxes[0].translatedText, "Resource loading failed!");  // the catalogue was loaded
}

TEST(Startup, ADamagedSkinFileEndsTheStartToo) {
    ProgramFolder folder;
    folder.addMasterDatabase();
    QFile skin(folder.file(QStringLiteral("face.rcc")));
    ASSERT_TRUE(skin.open(QIODevice::WriteOnly));
    skin.write("not a resource file");
    skin.close();
    StartRun run(folder);
    EXPECT_EQ(run.start(), Program::Start::Failed);
    ASSERT_EQ(run.boxes.boxes.size(), 1u);
    EXPECT_EQ(run.boxes.boxes[0].text, "Resource loading failed!");
}

class InitApplicationTest : public ContextFixture {};

TEST_F(InitApplicationTest, AnEmptyOptionTableGivesLanguageOne) {
    ASSERT_TRUE(InitApplication(*context));
    ASSERT_GE(exec("delete from sysOption"), 0);
    context->LanguageCode = 3;
    ASSERT_TRUE(InitApplication(*context));
    EXPECT_EQ(context->LanguageCode, 1);
    EXPECT_EQ(context->CatalogueText("Error"), "错误");
}

TEST_F(InitApplicationTest, ReadsTheLanguageAndItsCatalogueAndCanRunTwice) {
    init(3);
    EXPECT_EQ(context->LanguageCode, 3);
    EXPECT_EQ(context->CatalogueText("Questions"), "Question");
    const auto catalogueSize = context->MessageCatalogue.table.references.size();
    ASSERT_TRUE(InitApplication(*context));
    EXPECT_EQ(context->LanguageCode, 3);
    EXPECT_EQ(context->MessageCatalogue.table.references.size(), catalogueSize);  // replaced, not appended
    EXPECT_EQ(context->dm().MasterDBPath, folder.file(QStringLiteral("DBQorvel.mdb")).toStdString());
}

TEST_F(InitApplicationTest, RemovesTemporaryDownloadFilesOfTheProgramFolder) {
    const QString guid = folder.file(QStringLiteral("0f8fad5b-d9cb-469f-a165-70867728950e"));
    const QString other = folder.file(QStringLiteral("keep-this-file.txt"));
    for (const QString& name : {guid, other}) {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(InitApplication(*context));
    EXPECT_FALSE(QFile::exists(guid));
    EXPECT_TRUE(QFile::exists(other));
}

TEST(LanguageOption, ReadsTheCodesThatHaveTranslations) {
    const std::pair<const char*, int> cases[] = {
        {"1", 1}, {"3", 3}, {" 3 ", 3}, {"2", 2}, {"", 1}, {"English", 1}, {"4", 1}, {"-3", 1}, {"33", 1},
    };
    for (const auto& [text, code] : cases) EXPECT_EQ(languageFromOption(text), code) << "'" << text << "'";
}

}  // namespace
}  // namespace somnexa::app::test
