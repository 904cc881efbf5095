// sanxing-cli's analysis steps: --backtest, --trend and --explain with the range choices,
// their JSON shapes and their messages for bad input.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_run.h"
#include "runtime/temp_folder.h"

namespace sanxing {
namespace {

using nlohmann::json;

std::vector<std::string> Keys(const json& object) {
    std::vector<std::string> keys;
    for (auto it = object.begin(); it != object.end(); ++it) keys.push_back(it.key());
    std::sort(keys.begin(), keys.end());
    return keys;
}

class CliAnalysis : public ::testing::Test {
protected:
    TempFolder folder;
    std::string db = folder.file("h.sqlite");

    // Five-digit draws of 重庆时时彩 (front three 712, 700, 555, 123), oldest first.
    void SetUp() override {
        WriteBytes(folder.file("d.txt"),
                   "20240101-001 7 1 2 3 4\n20240101-002 70001\n20240101-003 55500\n"
                   "20240101-004 12399\n");
        const CliRun run =
            RunArgs({"--history", db, "--lottery", "重庆时时彩", "--import-draws", folder.file("d.txt")});
        ASSERT_EQ(run.code, 0) << run.err;
    }
    CliRun run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--history", db, "--lottery", "重庆时时彩", "--set", "选择框_百位7=0"});
        return RunArgs(args);
    }
};

TEST_F(CliAnalysis, BacktestJsonShape) {
    const CliRun r = run({"--last", "3", "--backtest", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    const json b = json::parse(r.out)["backtest"];
    EXPECT_EQ(Keys(b),
              (std::vector<std::string>{"count", "curve", "draws", "groups", "money", "significance", "years"}));
    EXPECT_EQ(b["count"], 3);
    const json& first = b["draws"][0];
    EXPECT_EQ(Keys(first),
              (std::vector<std::string>{"digits", "failed", "failures", "hit", "in_base", "issue", "number"}));
    EXPECT_EQ(first["digits"], "700");
    EXPECT_EQ(first["number"], "70001");
    EXPECT_EQ(first["failed"], json::parse(R"([{"row": 1, "name": "百位"}])"));
    EXPECT_EQ(first["in_base"], true);
    EXPECT_EQ(first["hit"], false);
    ASSERT_EQ(b["groups"].size(), 1u);
    EXPECT_EQ(Keys(b["groups"][0]),
              (std::vector<std::string>{"expected_kills", "kills", "longest_kill_run", "longest_pass_run", "name",
                                        "p_value", "passes", "row", "since_last_kill", "stands_out"}));
    EXPECT_EQ(b["groups"][0]["since_last_kill"], 2);
    EXPECT_DOUBLE_EQ(b["groups"][0]["expected_kills"].get<double>(), 0.3);
    EXPECT_EQ(b["curve"], json::parse(R"([{"max_failures": 0, "hits": 2, "result_size": 900, "chance": 0.9},
                                          {"max_failures": 1, "hits": 3, "result_size": 1000, "chance": 1.0}])"));
}

// All four draws: 百位7 kills 712 and 700, so tolerance 0-0 hits 2 of 4 with 900 注 (chance
// 0.9). binom.test(2, 4, 0.9) = P(0) + P(1) + P(2) = 0.0001 + 0.0036 + 0.0486; money at
// 重庆时时彩's 2 元 and 1000 元.
TEST_F(CliAnalysis, SignificanceYearsAndMoney) {
    const CliRun r = run({"--backtest", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    const json b = json::parse(r.out)["backtest"];
    const json& s = b["significance"];
    EXPECT_EQ(Keys(s),
              (std::vector<std::string>{"chance", "ci_high", "ci_low", "draws", "expected", "hits", "p_value"}));
    EXPECT_EQ(s["draws"], 4);
    EXPECT_EQ(s["hits"], 2);
    EXPECT_DOUBLE_EQ(s["expected"].get<double>(), 3.6);
    EXPECT_NEAR(s["p_value"].get<double>(), 0.0523, 1e-12);
    EXPECT_NEAR(s["ci_low"].get<double>(), 0.1500389877440198, 1e-12);  // Wilson, 2 of 4
    EXPECT_NEAR(s["ci_high"].get<double>(), 0.8499610122559802, 1e-12);
    ASSERT_EQ(b["years"].size(), 1u);
    EXPECT_EQ(Keys(b["years"][0]), (std::vector<std::string>{"draws", "expected", "hits", "p_value", "year"}));
    EXPECT_EQ(b["years"][0]["year"], 2024);
    EXPECT_EQ(b["years"][0]["hits"], 2);
    EXPECT_EQ(b["money"], json::parse(R"({"price": 2, "prize": 1000, "cost": 7200, "won": 2000, "net": -5200,
                                          "return_rate": 0.2777777777777778, "expected_won": 3600.0})"));
    EXPECT_FALSE(b.contains("compare"));

    const CliRun text = run({"--backtest"});
    EXPECT_NE(text.out.find("比随机少 1.6 期，p = 0.052：与随机选号没有显著差别"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("盈亏 -5200 元"), std::string::npos) << text.out;
}

// --compare holds for the back-tests after it; a file that cannot be used is named with its
// reason and left out, and the window's own controls stay as they were.
TEST_F(CliAnalysis, CompareSchemes) {
    WriteBytes(folder.file("all.json"), R"({"选择框_百位7": true})");
    WriteBytes(folder.file("broken.json"), "{");
    WriteBytes(folder.file("base.json"), R"({"编辑框_大底": "123"})");
    const CliRun r = run({"--backtest", "--compare", folder.file("all.json"), "--compare", folder.file("broken.json"),
                          "--compare", folder.file("base.json"), "--backtest", "--get", "选择框_百位7", "--json"});
    EXPECT_EQ(r.code, 1);
    const json out = json::parse(r.out);
    EXPECT_FALSE(out["steps"][0].contains("compare"));
    json compare = out["backtest"]["compare"];
    ASSERT_EQ(compare.size(), 2u);
    EXPECT_NEAR(compare[0]["p_value"].get<double>(), 0.0523, 1e-12);
    compare[0].erase("p_value");
    EXPECT_EQ(compare, json::parse(R"([
        {"scheme": "", "result_size": 900, "hits": 2, "chance": 0.9, "net": -5200},
        {"scheme": ")" + folder.file("all.json") +
                                   R"(", "result_size": 1000, "hits": 4, "chance": 1.0,
         "p_value": 1.0, "net": -4000}])"))
        << compare.dump();
    ASSERT_EQ(out["messages"].size(), 2u);
    EXPECT_NE(out["messages"][0]["text"].get<std::string>().find("broken.json"), std::string::npos);
    EXPECT_NE(out["messages"][1]["text"].get<std::string>().find("“编辑框_大底”不属于方案"), std::string::npos);
    EXPECT_EQ(out["values"]["选择框_百位7"], false);
}

TEST_F(CliAnalysis, TrendJsonShapeAndPositionHolds) {
    const CliRun r = run({"--position", "后三", "--trend", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    const json t = json::parse(r.out)["trend"];
    EXPECT_EQ(Keys(t), (std::vector<std::string>{"count", "group_digits", "patterns", "positions", "shape", "span",
                                                 "sum", "sum_tail"}));
    EXPECT_EQ(t["count"], 4);
    EXPECT_EQ(Keys(t["positions"]), (std::vector<std::string>{"个位", "十位", "百位"}));
    ASSERT_EQ(t["positions"]["百位"].size(), 10u);
    EXPECT_EQ(t["sum"].size(), 28u);
    EXPECT_EQ(t["span"].size(), 10u);
    EXPECT_EQ(t["sum_tail"].size(), 10u);
    EXPECT_EQ(t["group_digits"].size(), 10u);
    // Back three 234, 001, 500, 399: 百位 0 never, so its average is (4 − 0) / 1.
    EXPECT_EQ(t["positions"]["百位"][0], json::parse(R"({"value": 0, "appearances": 1, "current": 2, "max": 2,
                                                          "average": 1.5})"));
    EXPECT_EQ(t["positions"]["百位"][9]["average"], 4.0);
    EXPECT_EQ(t["shape"][1]["value"], "组三");
    EXPECT_EQ(t["shape"][1]["appearances"], 3);
    EXPECT_EQ(Keys(t["patterns"]), (std::vector<std::string>{"个位", "十位", "百位"}));
    EXPECT_EQ(Keys(t["patterns"]["个位"]), (std::vector<std::string>{"012路", "大小", "奇偶", "质合"}));
    EXPECT_EQ(t["patterns"]["个位"]["012路"][2], json::parse(R"({"value": "2", "appearances": 0, "current": 4,
                                                                 "max": 4, "average": 4.0})"));  // 4 1 0 9
    EXPECT_EQ(t["patterns"]["百位"]["大小"][0]["value"], "大");

    // The newest two: 百位 2 was drawn two draws before them, so its omission reads 3.
    const json last2 = json::parse(run({"--position", "后三", "--last", "2", "--trend", "--json"}).out)["trend"];
    EXPECT_EQ(last2["count"], 2);
    EXPECT_EQ(last2["positions"]["百位"][2]["current"], 3);
    EXPECT_EQ(last2["group_digits"][9]["appearances"], 1);  // 399: counted once
}

TEST_F(CliAnalysis, ExplainAndIssueRanges) {
    const CliRun r = run({"--explain", "777", "--from", "20240101-002", "--to", "240101003", "--backtest", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    const json out = json::parse(r.out);
    EXPECT_EQ(out["explain"],
              json::parse(R"({"number": "777", "failures": 1, "failed": [{"row": 1, "name": "百位"}]})"));
    EXPECT_EQ(out["backtest"]["count"], 2);
    const CliRun text = run({"--explain", "123"});
    EXPECT_EQ(text.out, "查号 123：不错任何条件\n");
}

TEST_F(CliAnalysis, BadInputGetsClearMessages) {
    const CliRun wide = run({"--last", "500", "--trend"});
    EXPECT_EQ(wide.code, 0);
    EXPECT_NE(wide.err.find("只有 4 期"), std::string::npos) << wide.err;
    const CliRun none = RunArgs({"--history", db, "--lottery", "福彩3D", "--backtest"});
    EXPECT_EQ(none.code, 1);
    EXPECT_NE(none.err.find("导入开奖号码"), std::string::npos) << none.err;
    const CliRun empty = run({"--from", "250101001", "--trend"});
    EXPECT_EQ(empty.code, 1);
    EXPECT_NE(empty.err.find("没有"), std::string::npos) << empty.err;
    EXPECT_EQ(RunArgs({"--backtest"}).code, 2);  // no lottery chosen
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--last", "0"}, {"--last", "x"}, {"--from", "240101001"}, {"--position", "前"}, {"--explain", "12a"}}) {
        const CliRun r = RunArgs(bad);
        EXPECT_EQ(r.code, 2) << bad[0];
        EXPECT_NE(r.err.find(bad[0]), std::string::npos) << r.err;
    }
    // An issue that is none of the lottery's is an error with the reason, never an open end.
    const CliRun badIssue = run({"--from", "2024", "--trend"});
    EXPECT_EQ(badIssue.code, 2);
    EXPECT_NE(badIssue.err.find("位数不对"), std::string::npos) << badIssue.err;
    EXPECT_NE(run({"--to", "20241312-001", "--trend"}).err.find("2024-13-12 不存在"), std::string::npos);
}

}  // namespace
}  // namespace sanxing
