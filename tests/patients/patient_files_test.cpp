#include "patients/patient_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "patients_fixture.h"

namespace somnexa::patients {
namespace {

struct NameCase {
    std::string typed;
    std::string folder;
};

class SafeFolderNames : public testing::TestWithParam<NameCase> {};

TEST_P(SafeFolderNames, StayOneComponent) {
    EXPECT_EQ(SafeFolderName(GetParam().typed), GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(Names, SafeFolderNames,
                         testing::Values(NameCase{"Li", "Li"}, NameCase{"  Li Wei  ", "Li Wei"},
                                         NameCase{"张伟", "张伟"}, NameCase{"Ünal-Şahin_2", "Ünal-Şahin_2"},
                                         NameCase{"../../etc", "______etc"}, NameCase{"a/b\\c", "a_b_c"},
                                         NameCase{"..", "__"}, NameCase{"x\ty\n", "x_y_"},
                                         NameCase{"a:b*c?\"<>|", "a_b_c_____"}, NameCase{"O'Brien", "O_Brien"},
                                         NameCase{"Dr. Li", "Dr_ Li"}, NameCase{"😀", "_"}));

TEST(PatientFiles, DefaultSavePathStaysInsidePatients) {
    EXPECT_EQ(DefaultSavePath("/prog/", "../../x"), "/prog/Patients/______x");
    EXPECT_EQ(DefaultSavePath("/prog", "Li"), "/prog/Patients/Li");
}

TEST(PatientFiles, NextFreeFolderCountsUp) {
    test::TempFolder folder;
    const std::string li = folder.file("Li");
    EXPECT_EQ(NextFreeFolder(li), li);
    std::filesystem::create_directory(li);
    EXPECT_EQ(NextFreeFolder(li), li + "1");
    std::filesystem::create_directory(li + "1");
    EXPECT_EQ(NextFreeFolder(li), li + "2");
}

TEST(PatientFiles, DatabaseFileAndFileName) {
    EXPECT_EQ(PatientDatabaseFile("/p/Li", "20120906007"), "/p/Li/20120906007.mdb");
    EXPECT_EQ(FileNameOf("/a/b/photo.jpg"), "photo.jpg");
    EXPECT_EQ(FileNameOf(""), "");
}

}  // namespace
}  // namespace somnexa::patients
