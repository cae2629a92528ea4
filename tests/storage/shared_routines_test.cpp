#include "storage/shared_routines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "temp_folder.h"

namespace somnexa::storage {
namespace {

struct Split {
    const char* text;
    const char* separator;
    std::vector<std::string> parts;
};

class SplitTextCase : public testing::TestWithParam<Split> {};

TEST_P(SplitTextCase, GivesTheParts) {
    std::vector<std::string> parts{"stale"};
    SplitText(GetParam().text, GetParam().separator, parts);
    EXPECT_EQ(parts, GetParam().parts);
}

INSTANTIATE_TEST_SUITE_P(Shared, SplitTextCase,
                         testing::Values(Split{"", ",", {}}, Split{"a", ",", {"a"}}, Split{"a,b", ",", {"a", "b"}},
                                         Split{"a,b,", ",", {"a", "b"}}, Split{"a,,b", ",", {"a", "", "b"}},
                                         Split{",a", ",", {"", "a"}}, Split{"a--b--", "--", {"a", "b"}}));

TEST(DeleteTempFiles, RemovesOnlyFilesNamedLikeAGuid) {
    test::TempFolder folder;
    const char* guid = "0f8fad5b-d9cb-469f-a165-70867728950e";
    const char* keep[] = {"0f8fad5bd9cb-469f-a165-70867728950e-x",  // five parts, 37 characters
                          "0f8fad5b-d9cb-469f-a16570867728950e1",   // 36 characters, four parts
                          "0f8f-ad5b-d9cb-469f-a165-70867728950",   // 36 characters, six parts
                          "DBQorvel.mdb"};
    std::ofstream(folder.file(guid)) << "x";
    for (const char* k : keep) std::ofstream(folder.file(k)) << "x";
    std::filesystem::create_directory(folder.file("1f8fad5b-d9cb-469f-a165-70867728950e"));
    EXPECT_EQ(DeleteTempFiles(folder.path() + "/"), 1);
    EXPECT_FALSE(std::filesystem::exists(folder.file(guid)));
    for (const char* k : keep) EXPECT_TRUE(std::filesystem::exists(folder.file(k))) << k;
    EXPECT_EQ(DeleteTempFiles(folder.file("no-such-folder/")), 0);
}

TEST(VersionText, FormatsThePartsPaddedOrPlain) {
    EXPECT_EQ(VersionText(0, 0, 0, 3, true), "V0.0.00.003");
    EXPECT_EQ(VersionText(1, 2, 3, 4, false), "V1.2.3.4");
    EXPECT_EQ(VersionText("/no/such/program", true), "V0.0.0.0");
    test::TempFolder folder;
    std::ofstream(folder.file("prog")) << "x";
    EXPECT_EQ(VersionText(folder.file("prog"), false).rfind("V", 0), 0u);
    EXPECT_NE(VersionText(folder.file("prog"), false), "V0.0.0.0");
}

}  // namespace
}  // namespace somnexa::storage
