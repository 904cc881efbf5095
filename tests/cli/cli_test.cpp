#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli_run.h"
#include "history/lotteries.h"
#include "runtime/temp_folder.h"

namespace sanxing {
namespace {

class TempFile {
public:
    explicit TempFile(const std::string& content) {
        path_ = std::filesystem::temp_directory_path() /
                ("sanxing_cli_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter_++));
        std::ofstream(path_, std::ios::binary) << content;
    }
    ~TempFile() { std::filesystem::remove(path_); }
    std::string path() const { return path_.string(); }

private:
    std::filesystem::path path_;
    static inline int counter_ = 0;
};

TEST(Cli, SampleShrinkWithoutGroupsKeepsTheBase) {
    const CliRun o = RunArgs(
        {"--set", "编辑框_大底=123 456 789", "--click", "按钮_缩水", "--get", "编辑框_结果", "--get", "标签_缩水结果"});
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(o.out.substr(o.out.find('\n') + 1), "3注\n");
}

TEST(Cli, GetsCheckBoxesCombosAndReportLists) {
    const CliRun o = RunArgs({"--get", "选择框_百位7", "--set", "选择框_百位7=false", "--get", "选择框_百位7",
                              "--select", "组合框_容错=6", "--get", "组合框_容错", "--get", "列表框_开奖"});
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.out, "1\n0\n1-1\n\n");
}

TEST(Cli, ToleranceGoesBackToTheLastGoodRangeOnLeaving) {
    const CliRun o =
        RunArgs({"--select", "组合框_容错=6",    "--set",       "组合框_容错=3-7", "--set", "组合框_容错=abc",
                 "--get",    "组合框_容错",      "--focus-out", "组合框_容错",     "--get", "组合框_容错",
                 "--set",    "组合框_容错=0-65", "--focus-out", "组合框_容错",     "--get", "组合框_容错",
                 "--set",    "组合框_容错=2-40", "--focus-out", "组合框_容错",     "--get", "组合框_容错"});
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.out, "abc\n3-7\n3-7\n2-40\n");
}

TEST(Cli, StepsRunInOrder) {
    const CliRun o = RunArgs({"--get", "编辑框_A", "--set", "编辑框_A=x", "--get", "编辑框_A"});
    EXPECT_EQ(o.out, "\nx\n");
}

TEST(Cli, MultiLineBoxesGetCrLf) {
    const CliRun o = RunArgs({"--set", "杀百位=1\n2\r3", "--set", "编辑框_兑奖号码=a\nb", "--json", "--get", "杀百位",
                              "--get", "编辑框_兑奖号码"});
    ASSERT_EQ(o.code, 0) << o.err;
    const auto j = nlohmann::json::parse(o.out);
    EXPECT_EQ(j["values"]["杀百位"], "1\r\n2\r\n3");
    EXPECT_EQ(j["values"]["编辑框_兑奖号码"], "a\nb");  // single-line box: kept as given
}

TEST(Cli, JsonTranscript) {
    const CliRun o = RunArgs({"--json", "--get", "选择框_开奖报号", "--click", "按钮_缩水", "--get", "列表框_容错",
                              "--get", "标签_缩水结果"});
    ASSERT_EQ(o.code, 0) << o.err;
    const auto j = nlohmann::json::parse(o.out);
    EXPECT_EQ(j["values"]["选择框_开奖报号"], true);
    EXPECT_EQ(j["values"]["列表框_容错"], nlohmann::json::array());
    EXPECT_EQ(j["values"]["标签_缩水结果"], "1000注");
    EXPECT_EQ(j["messages"], nlohmann::json::array());
    EXPECT_EQ(j["clipboard"], nlohmann::json::array());
}

TEST(Cli, SchemeSetsControlsWithoutEvents) {
    TempFile scheme(R"({"选择框_百位7": false, "组合框_容错": "0-2", "组合框_杀百容错": 3, "编辑框_大底": "1\n2"})");
    const CliRun o = RunArgs({"--scheme", scheme.path(), "--json", "--get", "选择框_百位7", "--get", "组合框_容错",
                              "--get", "组合框_杀百容错", "--get", "编辑框_大底"});
    ASSERT_EQ(o.code, 0) << o.err;
    const auto j = nlohmann::json::parse(o.out);
    EXPECT_EQ(j["values"]["选择框_百位7"], false);
    EXPECT_EQ(j["values"]["组合框_容错"], "0-2");
    EXPECT_EQ(j["values"]["组合框_杀百容错"], "0-3");
    EXPECT_EQ(j["values"]["编辑框_大底"], "1\r\n2");
}

TEST(Cli, SetFileReadsTheFileText) {
    TempFile base("123 456\n");
    const CliRun o =
        RunArgs({"--set-file", "编辑框_大底=" + base.path(), "--click", "按钮_缩水", "--get", "标签_缩水结果"});
    EXPECT_EQ(o.out, "2注\n");  // tokens "123" and "456\r\n"
}

TEST(Cli, ControlsListsTheTable) {
    const CliRun o = RunArgs({"--controls"});
    ASSERT_EQ(o.code, 0);
    const auto table = nlohmann::json::parse(o.out);
    ASSERT_TRUE(table.is_array());
    EXPECT_GT(table.size(), 540u);
    bool found = false;
    for (const auto& row : table) {
        if (row["name"] == "组合框_容错") {
            found = true;
            EXPECT_EQ(row["kind"], "combo");
            EXPECT_EQ(row["parent"], "图片框16");
            EXPECT_EQ(row["text"], "0-0");
            EXPECT_EQ(row["items"].size(), 11u);
            EXPECT_EQ(row["ticked"], false);
        }
    }
    EXPECT_TRUE(found);
}

TEST(Cli, BadInputStopsBeforeAnyStep) {
    TempFile notJson("{not json");
    TempFile wrongKind(R"({"选择框_百位7": "no"})");
    TempFile unknownName(R"({"选择框_百位X": true})");
    TempFile notObject("[1, 2]");
    TempFile badIndex(R"({"组合框_容错": 11})");
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"},
        {"stray"},
        {"--get"},
        {"--get", "没有这个"},
        {"--set", "选择框_百位7=maybe"},
        {"--set", "选择框_百位7"},
        {"--set", "按钮_缩水=1"},
        {"--set", "列表框_开奖=x"},
        {"--click", "编辑框_大底"},
        {"--focus-in", "按钮_缩水"},
        {"--select", "组合框_容错=11"},
        {"--select", "组合框_容错=-1"},
        {"--select", "组合框_容错=x"},
        {"--select", "编辑框_大底=0"},
        {"--answer", "maybe"},
        {"--scheme", "/nonexistent/scheme.json"},
        {"--scheme", notJson.path()},
        {"--scheme", wrongKind.path()},
        {"--scheme", unknownName.path()},
        {"--scheme", notObject.path()},
        {"--scheme", badIndex.path()},
        {"--set-file", "编辑框_大底=/nonexistent/file"},
        {"--set-file", "编辑框_大底=/tmp"},
        {"--set-file", "编辑框_大底=/dev/zero"},
        {"--scheme", "/dev/zero"},
    };
    for (const auto& bad : cases) {
        std::vector<std::string> args = {"--get", "标签_缩水结果"};
        args.insert(args.end(), bad.begin(), bad.end());
        const CliRun o = RunArgs(args);
        EXPECT_EQ(o.code, 2) << bad[0];
        EXPECT_EQ(o.out, "") << bad[0] << ": a step was carried out";
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
        EXPECT_TRUE(o.err.starts_with("sanxing-cli: ")) << o.err;
        EXPECT_TRUE(std::any_of(o.err.begin(), o.err.end(), [](char c) { return c & 0x80; }))
            << "not Chinese: " << o.err;
    }
}

// Each kind of bad argument is named in Chinese, and the run ends with 2 before any step.
TEST(Cli, BadArgumentsAreNamed) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--bogus"}, "未知的选项“--bogus”"},
        {{"--bogus", "x"}, "未知的选项“--bogus”"},
        {{"--get"}, "选项“--get”缺少参数"},
        {{"--import-draws"}, "选项“--import-draws”缺少参数"},  // lacking its lottery too
        {{"stray"}, "多余的参数“stray”（选项以 -- 开头）"},
        {{"--lottery", "火星彩"},
         "--lottery：未知的彩种“火星彩”（可选：" + std::string(history::LotteryNames()) + "）"},
        {{"--scheme", "/nonexistent/missing.json"},
         "--scheme：无法读取“/nonexistent/missing.json”：文件不存在（No such file or directory）"},
        {{"--answer", "maybe"}, "--answer 只接受 yes 或 no"},
    };
    for (const auto& [args, message] : cases) {
        const CliRun o = RunArgs(args);
        EXPECT_EQ(o.code, 2) << args[0];
        EXPECT_EQ(o.err, "sanxing-cli: " + message + "\n");
    }
}

// A step that cannot be carried out ends the run there, with its reason and exit code 1.
TEST(Cli, FailedStepEndsTheRun) {
    TempFolder folder;
    const std::string target = folder.file("no-such-folder") + "/draws.csv";
    const CliRun o = RunArgs({"--history", folder.file("history.sqlite"), "--lottery", "福彩3D", "--export-draws",
                              target, "--get", "标签_缩水结果"});
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.out, "");  // the step after it did not run
    EXPECT_TRUE(o.err.starts_with("sanxing-cli: 无法写入“" + target + "”：")) << o.err;
}

TEST(Cli, ExecutableReportsExitCodes) {
    const std::string cli = SANXING_CLI_PATH;
    EXPECT_EQ(std::system((cli + " --get 标签_缩水结果 > /dev/null").c_str()), 0);
    const int status = std::system((cli + " --nope 2> /dev/null").c_str());
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

}  // namespace
}  // namespace sanxing
