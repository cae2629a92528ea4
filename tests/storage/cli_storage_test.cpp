// The command-line contract of "somnexa-tool sql" and "somnexa-tool initdb".

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "temp_folder.h"

namespace somnexa::storage {
namespace {

struct ToolRun {
    int exitCode;
    std::string out;
    std::string err;
};

class ToolContract : public testing::Test {
protected:
    std::string quote(const std::string& s) {
        std::string q = "'";
        for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return q + "'";
    }
    std::string read(const std::string& path) {
        std::ifstream f(path);
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
    }
    ToolRun tool(const std::vector<std::string>& args) {
        std::string cmd = quote(SOMNEXA_TOOL);
        for (const auto& a : args) cmd += " " + quote(a);
        cmd += " >" + quote(folder.file("out")) + " 2>" + quote(folder.file("err"));
        const int status = std::system(cmd.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read(folder.file("out")), read(folder.file("err"))};
    }
    test::TempFolder folder;
};

TEST_F(ToolContract, InitDbCreatesOnceAndRefusesToOverwrite) {
    const std::string db = folder.file("p.mdb");
    EXPECT_EQ(tool({"initdb", "--patient", db}).exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(db));
    const auto size = std::filesystem::file_size(db);
    const ToolRun again = tool({"initdb", "--patient", db});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.err.find("already exists"), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(db), size);
    EXPECT_EQ(tool({"initdb", "--master", folder.file("m.mdb")}).exitCode, 0);
    EXPECT_EQ(tool({"initdb"}).exitCode, 2);
    EXPECT_EQ(tool({"initdb", "--master", "a", "--patient", "b"}).exitCode, 2);
}

TEST_F(ToolContract, SqlPrintsRowsAndCommandCounts) {
    const std::string db = folder.file("p.mdb");
    ASSERT_EQ(tool({"initdb", "--patient", db}).exitCode, 0);
    const ToolRun insert = tool({"sql", db,
                             "insert into tSession (OpenTime, RealTime, WorkMode, Times) values "
                             "(#2019-10-31 22:00:00#, #2019-10-31 22:00:00#, 0, 28800)"});
    EXPECT_EQ(insert.exitCode, 0);
    EXPECT_EQ(insert.out, "rows affected: 1\n");
    const ToolRun select = tool({"sql", db,
                             "select SessionID, OpenTime, WorkMode, StartPress, format(opentime,'YYYY-MM-DD') as d, "
                             "Times / 7 as t from tSession"});
    EXPECT_EQ(select.exitCode, 0);
    EXPECT_EQ(select.out, "SessionID\tOpenTime\tWorkMode\tStartPress\td\tt\n1\t43769.916666666664\t0\t\t2019-10-31\t4114\n");
    const ToolRun none = tool({"sql", db, "select * from tData"});
    EXPECT_EQ(none.out.find('\n'), none.out.size() - 1);  // the header alone
}

TEST_F(ToolContract, SqlErrorsGoToStderrWithNonZeroExit) {
    const std::string db = folder.file("p.mdb");
    ASSERT_EQ(tool({"initdb", "--patient", db}).exitCode, 0);
    const ToolRun bad = tool({"sql", db, "select * from tNothing"});
    EXPECT_NE(bad.exitCode, 0);
    EXPECT_TRUE(bad.out.empty());
    EXPECT_NE(bad.err.find("tNothing"), std::string::npos);
    std::ofstream(folder.file("text.mdb")) << std::string(2048, 'x');
    EXPECT_NE(tool({"sql", folder.file("text.mdb"), "select 1"}).exitCode, 0);
    EXPECT_NE(tool({"sql", folder.file("absent.mdb"), "select 1"}).exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(folder.file("absent.mdb")));
    EXPECT_EQ(tool({"sql", db}).exitCode, 2);
}

}  // namespace
}  // namespace somnexa::storage
