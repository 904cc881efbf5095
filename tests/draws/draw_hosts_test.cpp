#include "draws/draw_hosts.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

namespace sanxing {
namespace {

TEST(DrawHosts, ParsesSitesAndJoinsPathsWithOneSlash) {
    const auto hosts = ParseDrawHosts(R"({"A": "http://a.example/", "B": "http://b.example",
                                          "C": "http://c.example/", "announcement": "http://n.example/"})");
    ASSERT_TRUE(hosts) << hosts.error();
    EXPECT_EQ(hosts->url('A', "/static/x.xml?"), "http://a.example/static/x.xml?");
    EXPECT_EQ(hosts->url('B', "trend/x.html"), "http://b.example/trend/x.html");
    EXPECT_EQ(hosts->url('C', "cqssc/y"), "http://c.example/cqssc/y");
    EXPECT_EQ(hosts->announcement, "http://n.example/");
    EXPECT_EQ(hosts->url('D', "ssc/dxds.php"), "");  // not configured
    EXPECT_EQ(hosts->url('Z', "x"), "");
}

TEST(DrawHosts, DrawFileAddressesKeepTheOrderOfTheFile) {
    const auto hosts = ParseDrawHosts(R"({"history": {"福彩3D": ["http://f.example/3d.csv"],
                                                      "排列三": ["http://p.example/a.csv", "https://p.example/b.txt"]}})");
    ASSERT_TRUE(hosts) << hosts.error();
    ASSERT_EQ(hosts->historyFiles.size(), 2u);
    EXPECT_EQ(hosts->historyFiles[0].first, "福彩3D");
    EXPECT_EQ(hosts->historyFiles[1].second,
              (std::vector<std::string>{"http://p.example/a.csv", "https://p.example/b.txt"}));
}

TEST(DrawHosts, RejectsWhatItCannotUse) {
    EXPECT_FALSE(ParseDrawHosts(""));
    EXPECT_FALSE(ParseDrawHosts("[\"A\"]"));
    const auto notText = ParseDrawHosts("{\"A\": 1}");
    EXPECT_FALSE(notText);
    EXPECT_NE(notText.error().find("\"A\""), std::string::npos);
    const auto unknownKey = ParseDrawHosts("{\"a\": \"http://a.example\"}");
    EXPECT_FALSE(unknownKey);
    EXPECT_NE(unknownKey.error().find("未知的键"), std::string::npos);
    EXPECT_EQ(ParseDrawHosts("{\"history\":" + std::string(70000, '[')).error(), "JSON 嵌套太深（超过 64 层）");
    std::string wide = "{\"history\":{";
    for (int key = 0; key < 100000; ++key) wide.append(key ? ",\"" : "\"").append(std::to_string(key)).append("\":[]");
    EXPECT_EQ(ParseDrawHosts(wide + "}}").error(), "JSON 对象的键太多（超过 1000 个）");
    EXPECT_TRUE(ParseDrawHosts("{}"));
}

TEST(DrawHosts, LoadsFromFile) {
    const auto dir = std::filesystem::temp_directory_path() / ("sanxing-hosts-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "sources.json").string();
    std::ofstream(path) << R"({"H": "http://h.example"})";
    const auto hosts = LoadDrawHosts(path);
    ASSERT_TRUE(hosts) << hosts.error();
    EXPECT_EQ(hosts->url('H', "/sscsta/q.html"), "http://h.example/sscsta/q.html");
    const auto missing = LoadDrawHosts((dir / "missing.json").string());
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.error().find("missing.json"), std::string::npos);
    std::ofstream(path) << std::string(2u << 20, ' ');
    const auto tooBig = LoadDrawHosts(path);
    EXPECT_FALSE(tooBig);
    EXPECT_NE(tooBig.error().find("文件过大"), std::string::npos);
    EXPECT_FALSE(LoadDrawHosts(dir.string()));  // a folder
    // A FIFO without a writer would block the start if it were opened.
    const std::string fifo = (dir / "fifo.json").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(LoadConfiguredDrawHosts(fifo).problem,
              "开奖数据源配置文件无法使用：" + fifo + "：不是普通文件（FIFO），已忽略");
    std::filesystem::remove_all(dir);
}

TEST(DrawHosts, DefaultPathFollowsXdgConfigHome) {
    const char* oldConfig = getenv("XDG_CONFIG_HOME");
    const std::string saved = oldConfig ? oldConfig : "";
    setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    EXPECT_EQ(DefaultDrawHostsPath(), "/tmp/cfg/sanxing/sources.json");
    unsetenv("XDG_CONFIG_HOME");
    const char* home = getenv("HOME");
    if (home && *home) {
        EXPECT_EQ(DefaultDrawHostsPath(), std::string(home) + "/.config/sanxing/sources.json");
    }
    if (oldConfig) setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}

}  // namespace
}  // namespace sanxing
