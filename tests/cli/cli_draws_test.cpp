// sanxing-cli's draw-list options: --sources, --select of the kind and --tick.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "cli_run.h"
#include "draws/draw_pages.h"
#include "net/local_http_server.h"
#include "runtime/gbk.h"

namespace sanxing {
namespace {

using namespace testing;

class CliDraws : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("sanxing-cli-draws-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string write(const std::string& name, const std::string& text) {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    std::filesystem::path dir_;
};

TEST_F(CliDraws, SelectLoadsTheKindAndTickTopsTheListUp) {
    LocalHttpServer server([](const Request& r) {
        if (r.path == "/sscsta/queryLottery1day2.html") {
            return Ok(OneDayPage({{"140512021", "11111"}, {"140512022", "22222"}, {"140512020", "00000"}}));
        }
        if (r.path == "/lottery/hisnumber.action?lotteryId=006") {
            return Ok(Utf8ToGbk(LongjiangHistoryPage("140512023", " 3 3 3 3 3 ")));
        }
        return HttpReply(404, "Not Found", "");
    });
    const std::string sources =
        write("sources.json", "{\"G\": \"" + server.base() + "\", \"H\": \"" + server.base() + "/\"}");
    const CliRun load = RunArgs({"--sources", sources, "--select", "组合框_彩种=3", "--get", "列表框_开奖"});
    EXPECT_EQ(load.code, 0) << load.err;
    EXPECT_EQ(load.out, "140512022\t22222\t\n140512021\t11111\t\n140512020\t00000\t\n");

    const CliRun tick =
        RunArgs({"--sources", sources, "--select", "组合框_彩种=3", "--tick", "时钟_开奖更新", "--get", "列表框_开奖"});
    EXPECT_EQ(tick.code, 0) << tick.err;
    // Every kind reports its new draw: marked against the (empty) result, a miss.
    EXPECT_TRUE(tick.out.starts_with("140512023\t33333\t错\n140512022\t22222\t\n")) << tick.out;
}

TEST_F(CliDraws, TickRunsToTheEndAndTheTranscriptListsTheSounds) {
    int feedCalls = 0;
    LocalHttpServer server([&feedCalls](const Request& r) {
        if (r.path == "/trend/cqssc/jiben-5xing.html?periodNumber=100") {
            return Ok(Utf8ToGbk(JibenPage({{"140512020", "00000"}, {"140512021", "11111"}, {"140512022", "22222"}})));
        }
        if (r.path == "/static/ssc/newlyopenlist.xml?") {
            ++feedCalls;
            return Ok(FeedPage({{"20140512023", "1,2,3,4,5"}}));
        }
        return HttpReply(404, "Not Found", "");
    });
    const std::string sources =
        write("sources.json", "{\"A\": \"" + server.base() + "\", \"B\": \"" + server.base() + "\"}");
    const CliRun run = RunArgs({"--sources", sources, "--set", "编辑框_结果=345 ", "--select", "组合框_验证=2",
                                "--select", "组合框_彩种=0", "--tick", "时钟_开奖更新", "--tick", "时钟_开奖更新",
                                "--get", "列表框_开奖", "--click", "按钮_复制验证数据", "--json"});
    ASSERT_EQ(run.code, 0) << run.err;
    const auto j = nlohmann::json::parse(run.out);
    EXPECT_EQ(j["sounds"], nlohmann::json::array({"jingle", "1", "2", "3", "4", "5"}));
    EXPECT_EQ(j["values"]["列表框_开奖"][0], nlohmann::json::array({"140512023", "12345", "对"}));
    EXPECT_EQ(j["values"]["列表框_开奖"].size(), 4u);  // the second tick found nothing newer
    EXPECT_EQ(feedCalls, 2);
    EXPECT_EQ(j["messages"][0]["text"], "复制成功！");
    EXPECT_EQ(j["clipboard"][0], "345 \r\n\r\n\r\n024期 本期大底为：Tavrel\r\nTavrel 三星缩水工具 版本号 3.5版");
}

TEST_F(CliDraws, BadSourcesFileOrTickTargetIsBadInput) {
    const CliRun missing = RunArgs({"--sources", (dir_ / "none.json").string()});
    EXPECT_EQ(missing.code, 2);
    EXPECT_NE(missing.err.find("--sources"), std::string::npos);
    const CliRun unknown = RunArgs({"--sources", write("bad.json", "{\"Z\": \"http://z.example\"}")});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_NE(unknown.err.find("未知的键"), std::string::npos);
    EXPECT_EQ(RunArgs({"--tick", "按钮_缩水"}).code, 2);
    EXPECT_EQ(RunArgs({"--tick", "no_such_control"}).code, 2);
}

// --update-draws: each address's rejected lines are counted; a failed address is a message
// (stderr, or "messages"), and when every address failed the exit status is 1.
TEST_F(CliDraws, UpdateCountsRejectedLinesAndFailsWhenEveryAddressFailed) {
    LocalHttpServer server([](const Request& r) {
        if (r.path == "/fc3d.csv") return Ok("2025219,444\n2025220,4x4\n2025221,4x4\n");
        return HttpReply(404, "Not Found", "");
    });
    const std::string good = server.base() + "/fc3d.csv", gone = server.base() + "/gone";
    const std::string history = (dir_ / "h.sqlite").string();
    const auto update = [&](const nlohmann::json& urls, std::vector<std::string> args) {
        const std::string sources = write("sources.json", nlohmann::json{{"history", {{"福彩3D", urls}}}}.dump());
        args.insert(args.begin(), {"--history", history, "--sources", sources, "--update-draws"});
        return RunArgs(args);
    };
    const std::string goneLine = "福彩3D " + gone + "：失败：服务器回答 404（找不到文件）";

    const CliRun mixed = update({good, gone}, {"--json"});
    ASSERT_EQ(mixed.code, 0) << mixed.err;
    const auto j = nlohmann::json::parse(mixed.out);
    EXPECT_EQ(j["update"][0]["added"], 1);
    EXPECT_EQ(j["update"][0]["rejected"], 2);
    ASSERT_EQ(j["messages"].size(), 1u);
    EXPECT_EQ(j["messages"][0]["text"], goneLine);

    const CliRun failed = update({gone}, {});
    EXPECT_EQ(failed.code, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_NE(failed.err.find(goneLine), std::string::npos) << failed.err;
}

TEST_F(CliDraws, WithoutSourcesTheListStaysEmpty) {
    const CliRun run = RunArgs({"--select", "组合框_彩种=0", "--tick", "时钟_开奖更新", "--get", "列表框_开奖"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "\n");
}

}  // namespace
}  // namespace sanxing
