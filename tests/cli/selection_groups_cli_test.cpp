// The selection condition groups driven through sanxing-cli, as a user reproduces the
// worked examples: set controls, click 缩水, read the result and its count.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli_run.h"

namespace sanxing {
namespace {

// "--set" before each NAME=VALUE.
std::vector<std::string> Sets(std::initializer_list<const char*> assignments) {
    std::vector<std::string> args;
    for (const char* assignment : assignments) args.insert(args.end(), {"--set", assignment});
    return args;
}

// Sets `base` and the given controls, shrinks and prints the result and its count.
CliRun Shrink(const std::string& base, std::vector<std::string> settings) {
    std::vector<std::string> args = {"--set", "编辑框_大底=" + base};
    args.insert(args.end(), settings.begin(), settings.end());
    for (const char* arg : {"--click", "按钮_缩水", "--get", "编辑框_结果", "--get", "标签_缩水结果"})
        args.push_back(arg);
    return RunArgs(std::move(args));
}

TEST(SelectionGroupsCli, PairSumOverTheWholeUniverse) {
    const CliRun run = RunArgs({"--set", "编辑框_百十和值=05,", "--click", "按钮_缩水", "--get", "标签_缩水结果"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "940注\n");
}

TEST(SelectionGroupsCli, WorkedExamplesOfTheCheckBoxPanels) {
    EXPECT_EQ(Shrink("990 999 012 001", Sets({"选择框_豹子=0", "选择框_组六=0"})).out, "990 001 \n2注\n");
    EXPECT_EQ(Shrink("012 315 942 021", Sets({"选择框_三星路012=0"})).out, "021 \n1注\n");
    EXPECT_EQ(Shrink("190 910 119 991 123", Sets({"选择框_两码19=0"})).out, "123 \n1注\n");
    EXPECT_EQ(Shrink("999 998", Sets({"选择框_合值27=0"})).out, "998 \n1注\n");
    EXPECT_EQ(Shrink("000 018 001", Sets({"选择框_定合变0=0"})).out, "001 \n1注\n");
    const std::string spans = Shrink("", Sets({"选择框_跨度0=0"})).out;
    EXPECT_EQ(spans.substr(990 * 4), "\n990注\n") << "an empty base stands for the universe";
    EXPECT_EQ(spans.substr(0, 8), "001 002 ");
}

TEST(SelectionGroupsCli, BankerCountsDistinctDigits) {
    const CliRun run =
        Shrink("112 120 221 111 345 103", Sets({"选择框_胆1码1=1", "选择框_胆1码2=1", "选择框_胆1出2=1"}));
    EXPECT_EQ(run.out, "112 120 221 \n3注\n");
}

TEST(SelectionGroupsCli, EditBoxGroups) {
    EXPECT_EQ(Shrink("024 135 136 246", Sets({"垃圾复试_百位=01", "垃圾复试_十位=23", "垃圾复试_个位=45"})).out,
              "136 246 \n2注\n");
    EXPECT_EQ(Shrink("024 135", Sets({"垃圾复试_百位=01", "垃圾复试_十位=23"})).out, "024 135 \n2注\n");
    EXPECT_EQ(Shrink("350 359 530", Sets({"编辑框_百十两码=35"})).out, "530 \n1注\n");
    EXPECT_EQ(Shrink("708 906 014 005", Sets({"编辑框_百个和值=15,"})).out, "014 005 \n2注\n");
    EXPECT_EQ(Shrink("000 123", Sets({"编辑框_两码总跨度=0"})).out, "123 \n1注\n");
}

TEST(SelectionGroupsCli, ToleranceCountsOneFailurePerPosition) {
    const std::vector<std::string> fives = Sets({"选择框_百位5=0", "选择框_十位5=0", "选择框_个位5=0"});
    std::vector<std::string> atMostTwo = fives;
    atMostTwo.insert(atMostTwo.end(), {"--select", "组合框_容错=2"});
    EXPECT_EQ(Shrink("555 515 105 123", atMostTwo).out, "515 105 123 \n3注\n");
    std::vector<std::string> exactlyOne = fives;
    exactlyOne.insert(exactlyOne.end(), {"--select", "组合框_容错=6"});
    EXPECT_EQ(Shrink("555 515 105 123", exactlyOne).out, "105 \n1注\n");
}

}  // namespace
}  // namespace sanxing
