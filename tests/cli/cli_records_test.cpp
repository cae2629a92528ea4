#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include <filesystem>
#include <fstream>

#include "../records/image_builder.h"
#include "tool_runner.h"

namespace somnexa {
namespace {

using namespace packets;
using testing::ImageBuilder;
using testing::runTool;
using testing::TempDir;

std::vector<std::uint8_t> bytesOf(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ToolDecodeIndex, RegionBListsNewestFirstWithSettingsAndLeavesTheImage) {
    TempDir dir;
    ImageBuilder img(kHeaderUnitSize);
    img.erasedUnit();
    img.unit().headerB(7, 2019, 10, 30, 22, 0, 0).b(encodeSettingsB(kBSettingsMode, 4, 1, 15)).b(encodeTimedB(kBDuration, 28000, 0, 0));
    img.unit().headerB(7, 2019, 10, 30, 22, 0, 0);
    img.unit().headerB(9, 2019, 10, 31, 22, 15, 3).b(encodeSettingsB(kBSettingsWork, 100, 12, 150));
    const std::string file = img.write(dir.file("b.img"));
    const auto before = bytesOf(file);
    const auto r = runTool({"decode-index", "--region", "B", file});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const QJsonArray a = r.json().array();
    ASSERT_EQ(a.size(), 2);
    EXPECT_EQ(a[0]["id"].toInt(), 9);
    EXPECT_EQ(a[0]["time"].toString(), "2019-10-31 22:15:03");
    EXPECT_EQ(a[0]["WorkPress"].toInt(), 100);
    EXPECT_EQ(a[0]["InspTime"].toInt(), 150);
    EXPECT_EQ(a[1]["id"].toInt(), 7);
    EXPECT_EQ(a[1]["size"].toInt(), 8192);
    EXPECT_EQ(a[1]["times"].toInt(), 28000);
    EXPECT_EQ(a[1]["WorkMode"].toInt(), 4);
    EXPECT_EQ(a[1]["DelayPress"].toInt(), 15);
    EXPECT_EQ(a[1]["address"].toInt(), kRegionBStart + kSectorSize);  // its sector follows the erased one
    for (const char* key : {"AutoOnOff", "HotLevel", "ExpPress", "InspPress", "MaxPress", "MinPress", "StartPress",
                            "EPR", "ESens", "ISens", "BPM", "StartPress1", "ISlop"})
        EXPECT_TRUE(a[1].toObject().contains(key)) << key;
    EXPECT_EQ(bytesOf(file), before) << "the named image is never changed";
}

TEST(ToolDecodeIndex, RegionAInImageOrder) {
    TempDir dir;
    ImageBuilder img(kHeaderUnitSize);
    img.unit().headerA(3, 2020, 2, 29, 23, 0, 0);
    img.unit().headerA(4, 2020, 3, 1, 1, 0, 0);
    const auto r = runTool({"decode-index", "--region", "A", img.write(dir.file("a.img"))});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const QJsonArray a = r.json().array();
    ASSERT_EQ(a.size(), 2);
    EXPECT_EQ(a[0]["id"].toInt(), 3);
    EXPECT_EQ(a[0]["time"].toString(), "2020-02-29 23:00:00");
    EXPECT_EQ(a[1]["address"].toInt(), kRegionAStart + kSectorSize);
    EXPECT_FALSE(a[0].toObject().contains("times"));
}

TEST(ToolDecodeSession, LogSessionThenDump) {
    TempDir dir;
    ImageBuilder img(kSectorSize);
    img.unit().headerB(42, 2019, 10, 31, 22, 15, 3).b(encodeTimedB(9, 600, 12, 3));
    for (int i = 0; i < 11; ++i) {
        img.b(encodeSampleB(16, static_cast<std::uint32_t>(i * 20), static_cast<std::uint32_t>(900 + i)));
        img.b(encodeSampleB(17, static_cast<std::uint32_t>(i * 20), static_cast<std::uint32_t>(40 + i)));
    }
    const std::string image = img.write(dir.file("s.img"));
    const auto r = runTool({"decode-session", "--region", "B", image, "--out", dir.path().string(), "--points-per-sample", "20"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const QJsonObject o = r.json().object();
    EXPECT_EQ(o["file"].toString(), "20191031221503.hidl");
    EXPECT_EQ(o["frames"].toInt(), 10);
    EXPECT_EQ(o["times"].toInt(), 200);
    EXPECT_EQ(o["events"].toInt(), 1);
    const QJsonObject e = o["event_list"].toArray()[0].toObject();
    EXPECT_EQ(e["code"].toInt(), 9);
    EXPECT_EQ(e["offset"].toInt(), 600);
    EXPECT_EQ(e["timelen"].toInt(), 12);
    EXPECT_EQ(e["value"].toInt(), 3);
    EXPECT_TRUE(std::filesystem::exists(image)) << "the tool decodes a copy";

    const auto d = runTool({"dump", dir.file("20191031221503.hidl"), "--channel", "17/0"});
    ASSERT_EQ(d.exitCode, 0) << d.err;
    const QJsonObject j = d.json().object();
    EXPECT_EQ(j["kind"].toInt(), 2);
    EXPECT_EQ(j["start"].toString(), "2019-10-31 22:15:03");
    EXPECT_EQ(j["data_offset"].toInt(), 7168);
    EXPECT_EQ(j["data_size"].toInt(), 80);
    EXPECT_EQ(j["event_offset"].toInt(), 7248);
    EXPECT_EQ(j["event_size"].toInt(), 12);
    EXPECT_EQ(j["frames"].toInt(), 10);
    EXPECT_EQ(j["channels"].toArray()[1].toObject()["points_per_sample"].toInt(), 20);
    EXPECT_EQ(j["channels"].toArray()[1].toObject()["code"].toInt(), 17);
    EXPECT_EQ(j["events"].toArray()[0].toObject()["timelen"].toInt(), 12);
    const QJsonArray values = j["values"].toArray();
    ASSERT_EQ(values.size(), 10);
    EXPECT_EQ(values[0].toInt(), 40);
    EXPECT_EQ(values[9].toInt(), 49);
}

TEST(ToolDecodeSession, RealtimeSessionWithRate) {
    TempDir dir;
    ImageBuilder img(kSectorSize);
    img.unit().headerA(5, 2019, 10, 31, 22, 0, 0);
    for (int i = 0; i < 21; ++i) {
        if (i == 3) img.a(encodeValuesA(7, 11, 22));
        img.a(encodeValuesA(1, static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(100 + i)));
    }
    const auto r = runTool({"decode-session", "--region", "A", img.write(dir.file("r.img")), "--out",
                            dir.path().string(), "--rate-a", "10"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.json().object()["file"].toString(), "20191031220000.hidr");
    EXPECT_EQ(r.json().object()["frames"].toInt(), 2);
    EXPECT_EQ(r.json().object()["events"].toInt(), 2);
    const auto d = runTool({"dump", dir.file("20191031220000.hidr"), "--channel", "1/1"});
    ASSERT_EQ(d.exitCode, 0) << d.err;
    const QJsonObject j = d.json().object();
    EXPECT_EQ(j["values"].toArray().size(), 20);
    EXPECT_EQ(j["values"].toArray()[19].toInt(), 119);
    const QJsonObject ev = j["events"].toArray()[1].toObject();
    EXPECT_EQ(ev["code"].toInt(), 7);
    EXPECT_EQ(ev["codepos"].toInt(), 2);
    EXPECT_EQ(ev["value"].toInt(), 22);
    EXPECT_EQ(ev["time"].toString(), "2019-10-31 22:00:00");
}

TEST(ToolErrors, BadInputIsOneLineOnStderrAndNonZero) {
    TempDir dir;
    std::ofstream(dir.file("junk.hidr")) << "not a data file";
    const std::string noTime = ImageBuilder(kSectorSize).unit().a(encodeNumber24A(kASessionId, 1)).a(encodeValuesA(1, 1, 1)).write(dir.file("t.img"));
    const std::vector<std::vector<std::string>> cases = {
        {"decode-index", "--region", "A", dir.file("missing.img")},
        {"decode-index", "--region", "X", noTime},
        {"decode-index", noTime},
        {"decode-session", "--region", "A", noTime, "--out", dir.path().string()},
        {"decode-session", "--region", "A", noTime, "--out", dir.file("no-such-folder")},
        {"decode-session", "--region", "B", noTime, "--out", dir.path().string(), "--rate-log", "0"},
        {"dump", dir.file("junk.hidr")},
        {"dump", dir.file("missing.hidr")},
        {"dump"},
        {"no-such-command"},
    };
    for (const auto& args : cases) {
        const auto r = runTool(args);
        EXPECT_NE(r.exitCode, 0) << args[0];
        EXPECT_TRUE(r.out.empty()) << args[0];
        EXPECT_FALSE(r.err.empty()) << args[0];
    }
    // A corrupt data file names the problem.
    EXPECT_NE(runTool({"dump", dir.file("junk.hidr")}).err.find("corrupt"), std::string::npos);
}

}  // namespace
}  // namespace somnexa
