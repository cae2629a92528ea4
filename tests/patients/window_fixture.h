#pragma once
// The widget tests' program folder: master and template databases, a
// context with the recording presenter on a fixed clock, in English, and a
// stand-in main window that records the messages the pages post to it.

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "app/app_context.h"
#include "app/init_application.h"
#include "app/window_message.h"
#include "storage/database_builder.h"
#include "storage/recording_presenter.h"

namespace somnexa::patients::test {

class MessageRecorder : public QObject {
public:
    std::vector<std::pair<int, std::intptr_t>> messages;

protected:
    bool event(QEvent* event) override {
        if (app::isWindowMessage(static_cast<int>(event->type()))) {
            auto* m = static_cast<MessageEvent*>(event);
            messages.emplace_back(m->message(), m->wParam());
            return true;
        }
        return QObject::event(event);
    }
};

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        std::string error;
        ASSERT_TRUE(storage::createDatabase(file("DBQorvel.mdb"), storage::DatabaseKind::Master, error)) << error;
        ASSERT_TRUE(storage::createDatabase(file("Patient.mdb"), storage::DatabaseKind::Patient, error)) << error;
        context = std::make_unique<app::AppContext>(dir.path(), &boxes);
        boxes.setCatalogue(&context->MessageCatalogue);
        context->dm().setClock([this] { return now; });
        ASSERT_TRUE(app::InitApplication(*context));
        ASSERT_TRUE(context->dm().SetOption("Language", "3"));
        ASSERT_TRUE(app::InitApplication(*context));
    }

    std::string file(const std::string& name) const { return QDir(dir.path()).filePath(QString::fromStdString(name)).toStdString(); }
    std::string programDir() const { return dir.path().toStdString() + "/"; }

    int exec(const std::string& sql, int kind = storage::kMasterConnection) {
        storage::Query q;
        return context->dm().ExecSQL(q, sql, kind, true);
    }

    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : boxes.boxes) texts.push_back(box.text);
        return texts;
    }

    std::vector<std::pair<int, std::intptr_t>> posted() {
        QApplication::processEvents();
        return mainWindow.messages;
    }

    QTemporaryDir dir;
    storage::RecordingPresenter boxes;
    std::unique_ptr<app::AppContext> context;
    MessageRecorder mainWindow;
    double now = DateTime::fromCalendar(2012, 9, 6, 10, 30)->days();
};

}  // namespace somnexa::patients::test
