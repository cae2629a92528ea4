#pragma once
// A program folder of its own for each test: a fresh master database made
// from the shipped SQL, the skin from the build, and a context with the
// recording presenter.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/app_context.h"
#include "app/init_application.h"
#include "storage/database_builder.h"
#include "storage/recording_presenter.h"

namespace somnexa::app::test {

class ProgramFolder {
public:
    ProgramFolder() { EXPECT_TRUE(dir_.isValid()); }

    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return QDir(dir_.path()).filePath(name); }

    void addMasterDatabase() {
        std::string error;
        ASSERT_TRUE(storage::createDatabase(file(QStringLiteral("DBQorvel.mdb")).toStdString(),
                                            storage::DatabaseKind::Master, error))
            << error;
    }
    void addPatientDatabase(const QString& name) {
        std::string error;
        ASSERT_TRUE(storage::createDatabase(file(name).toStdString(), storage::DatabaseKind::Patient, error)) << error;
    }
    void addBuiltFile(const char* name) {
        const QString source = QDir(QStringLiteral(SOMNEXA_PROGRAM_DIR)).filePath(QString::fromLatin1(name));
        ASSERT_TRUE(QFile::copy(source, file(QString::fromLatin1(name)))) << name;
    }
    // A master database and the skin: what a start needs.
    void addStandardFiles() {
        addMasterDatabase();
        addBuiltFile("face.rcc");
    }

private:
    QTemporaryDir dir_;
};

// A context on its own program folder with an open master database.
class ContextFixture : public ::testing::Test {
protected:
    void SetUp() override {
        folder.addStandardFiles();
        context = std::make_unique<AppContext>(folder.path(), &boxes);
        boxes.setCatalogue(&context->MessageCatalogue);
        context->openUrl = [this](const QUrl& url) {
            openedUrls.push_back(url);
            return true;
        };
        context->terminate = [this](int code) { terminations.push_back(code); };
    }
    // Runs the initialisation (master database, language, catalogue).
    void init(int language = 3) {
        ASSERT_TRUE(InitApplication(*context));
        setLanguage(language);
        ASSERT_TRUE(InitApplication(*context));
    }
    void setLanguage(int language) { ASSERT_TRUE(context->dm().SetOption("Language", std::to_string(language))); }
    int exec(const std::string& sql, int kind = storage::kMasterConnection) {
        storage::Query query;
        return context->dm().ExecSQL(query, sql, kind, false);
    }

    ProgramFolder folder;
    storage::RecordingPresenter boxes;
    std::unique_ptr<AppContext> context;
    std::vector<QUrl> openedUrls;
    std::vector<int> terminations;
};

}  // namespace somnexa::app::test
