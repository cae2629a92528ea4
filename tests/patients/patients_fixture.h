#pragma once
// A program folder of its own for each test: the master database, the
// template patient database and a data module on a fixed clock.

#include <stdlib.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "storage/data_module.h"
#include "storage/database_builder.h"
#include "storage/recording_presenter.h"
#include "../storage/temp_folder.h"

namespace somnexa::patients::test {

using storage::test::TempFolder;

class ProgramFolder : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(storage::createDatabase(folder.file("DBQorvel.mdb"), storage::DatabaseKind::Master, error))
            << error;
        ASSERT_TRUE(storage::createDatabase(folder.file("Patient.mdb"), storage::DatabaseKind::Patient, error))
            << error;
        dm.MasterDBPath = folder.file("DBQorvel.mdb");
        dm.setClock([this] { return now; });
        ASSERT_TRUE(dm.ConnectDatabase(storage::kMasterConnection));
    }

    std::string programDir() const { return folder.path() + "/"; }

    int count(const std::string& sql, int kind = storage::kMasterConnection) {
        storage::Query q;
        return dm.ExecSQL(q, sql, kind, true);
    }

    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : presenter.boxes) texts.push_back(box.text);
        return texts;
    }

    TempFolder folder;
    storage::RecordingPresenter presenter;
    storage::TDM dm{&presenter};
    double now = DateTime::fromCalendar(2012, 9, 6, 10, 30)->days();
};

}  // namespace somnexa::patients::test
