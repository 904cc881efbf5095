// Base-set tools end to end through sanxing-cli: scripted dialogs and answers in, values,
// messages and clipboard texts out.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli_run.h"

namespace sanxing {
namespace {

using nlohmann::json;

class ToolsCli : public ::testing::Test {
protected:
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("sanxing_tools_cli_" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string file(const std::string& name) const { return (folder / name).string(); }
};

TEST_F(ToolsCli, SaveThenOpenRoundTrip) {
    const CliRun saved = RunArgs({"--set", "编辑框_结果=456 123 ", "--save-path", file("set"), "--click", "按钮_保存"});
    ASSERT_EQ(saved.code, 0) << saved.err;
    EXPECT_EQ(saved.err, "");  // a good save says nothing
    std::ifstream in(file("set.txt"), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_TRUE(bytes.starts_with("456 123 \r\n\r\n")) << bytes;

    const CliRun opened =
        RunArgs({"--open-path", file("set.txt"), "--click", "打开大底", "--get", "编辑框_大底", "--get", "大底注数"});
    ASSERT_EQ(opened.code, 0) << opened.err;
    EXPECT_EQ(opened.out, "123 456 \n2注!\n");
}

// A failed save ends with status 1 after the remaining steps; a prize check that finds
// nothing (also an error box) is no failure.
TEST_F(ToolsCli, FailedSaveIsReportedAndEndsWithStatusOne) {
    std::filesystem::create_directory(file("taken.txt"));
    const CliRun r = RunArgs({"--set", "编辑框_结果=123 ", "--save-path", file("taken.txt"), "--click", "按钮_保存",
                              "--get", "编辑框_结果"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "保存大底文件: 保存失败：是一个文件夹（Is a directory）\n");
    EXPECT_EQ(r.out, "123 \n");
    const CliRun json = RunArgs({"--json", "--save-path", file("taken.txt"), "--click", "按钮_保存"});
    EXPECT_EQ(json.code, 1);
    EXPECT_NE(json.out.find("保存失败"), std::string::npos);
}

TEST_F(ToolsCli, CancelledDialogsChangeNothing) {
    const CliRun r =
        RunArgs({"--set", "编辑框_大底=keep", "--click", "打开大底", "--click", "按钮_保存", "--get", "编辑框_大底"});
    EXPECT_EQ(r.out, "keep\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(ToolsCli, CopyPrizeCheckAndClearAllInTheTranscript) {
    const CliRun r = RunArgs(
        {"--json",    "--set", "编辑框_A=001 002 003", "--set",   "编辑框_B=002", "--click",  "A排除B", "--click",
         "按钮_复制", "--set", "编辑框_兑奖号码=002",  "--click", "按钮_兑奖",    "--answer", "yes",    "--click",
         "按钮_全清", "--get", "编辑框_结果",          "--get",   "选择框_胆1码5"});
    ASSERT_EQ(r.code, 0) << r.err;
    const json j = json::parse(r.out);
    EXPECT_EQ(j["clipboard"], json::array({"001 003 "}));
    ASSERT_EQ(j["messages"].size(), 3u);
    EXPECT_EQ(j["messages"][0]["text"], "复制成功！");
    EXPECT_EQ(j["messages"][1]["text"], "很遗憾，未找到开奖号码!");
    EXPECT_EQ(j["messages"][1]["icon"], "error");
    EXPECT_EQ(j["messages"][2]["caption"], "全部清除");
    EXPECT_EQ(j["messages"][2]["answer"], "yes");
    EXPECT_EQ(j["values"]["编辑框_结果"], "");
}

TEST_F(ToolsCli, SelectorsPickersAndHints) {
    const CliRun r =
        RunArgs({"--select", "组合框_百位=3", "--select", "组合框_百位=2", "--get", "选择框_百位5", "--select",
                 "组合框_百十两码1=5", "--get", "编辑框_百十和值", "--focus-in", "杀百位", "--get", "杀百位"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "0\n,05,\n\n");
}

}  // namespace
}  // namespace sanxing
