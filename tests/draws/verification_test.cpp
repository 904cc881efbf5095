// Verification of draws against the result, and the report of 按钮_复制验证数据.

#include "draws/verification.h"

#include <gtest/gtest.h>

#include "draws/draw_record.h"
#include "runtime/control_store.h"
#include "runtime/recording_platform.h"
#include "window/control_table.h"

namespace sanxing {
namespace {

TEST(DrawSegment, FrontMiddleAndBackThree) {
    EXPECT_EQ(DrawSegment("12345", 0), "123");
    EXPECT_EQ(DrawSegment("12345", 1), "234");
    EXPECT_EQ(DrawSegment("12345", 2), "345");
    EXPECT_EQ(DrawSegment("12345", -1), "123");  // nothing selected: the front three
    EXPECT_EQ(DrawSegment("1234", 2), "34");
    EXPECT_EQ(DrawSegment("", 1), "");
}

TEST(NextIssueSuffix, WrapsPast120) {
    EXPECT_EQ(NextIssueSuffix("140512119"), "120");
    EXPECT_EQ(NextIssueSuffix("140512120"), "001");
    EXPECT_EQ(NextIssueSuffix("140512023"), "024");
    EXPECT_EQ(NextIssueSuffix("140512999"), "000");  // 1000: the last three are 000
    EXPECT_EQ(NextIssueSuffix(""), "1");             // an empty list
    EXPECT_EQ(NextIssueSuffix("4"), "5");            // short: compared as a number
    EXPECT_EQ(NextIssueSuffix("20140512084"), "085");
    EXPECT_EQ(NextIssueSuffix("9223372036854775807"), "687");  // saturated, no overflow
}

class Verification : public ::testing::Test {
protected:
    void setRows(std::initializer_list<ReportRow> rows) { controls.setRows(kDrawList, ReportRows(rows)); }
    std::string mark(std::size_t row) const { return controls.rows(kDrawList).at(row).at(2); }

    ControlStore controls{ControlTable()};
    RecordingPlatform platform;
};

TEST_F(Verification, MarkOfRow0BySegment) {
    controls.setText("编辑框_结果", "123 456 ");
    controls.select("组合框_验证", 2);
    setRows({{"140512023", "99456", ""}});
    MarkNewestDraw(controls);
    EXPECT_EQ(mark(0), "对");
    setRows({{"140512024", "99457", ""}});
    MarkNewestDraw(controls);
    EXPECT_EQ(mark(0), "错");
    controls.select("组合框_验证", 0);  // 994 is not in the result either
    MarkNewestDraw(controls);
    EXPECT_EQ(mark(0), "错");
}

TEST_F(Verification, EmptyResultIsAlwaysAMissAndMarksKeepTheirText) {
    setRows({{"140512023", "12345", ""}, {"140512022", "00000", ""}});
    MarkNewestDraw(controls);
    EXPECT_EQ(mark(0), "错");
    controls.setText("编辑框_结果", "123 ");
    controls.setText("编辑框_对", "中");
    controls.insertRow(kDrawList, 0, {"140512024", "12399", ""});
    MarkNewestDraw(controls);
    EXPECT_EQ(mark(0), "中");
    EXPECT_EQ(mark(1), "错");  // marked before the change: keeps its text
    EXPECT_EQ(mark(2), "");    // never row 0 when a draw arrived
}

TEST_F(Verification, ReportListsMarkedRowsOldestFirst) {
    controls.setText("编辑框_结果", "123 456 ");
    controls.setText("标签_缩水结果", "2注");
    controls.select("组合框_显示", 4);  // "5"
    controls.select("组合框_验证", 2);
    setRows({{"140512120", "11456", "对"},
             {"140512119", "22222", ""},
             {"140512118", "33789", "错"},
             {"140512117", "44444", ""},
             {"140512116", "55555", "对"}});  // the fifth row: still within n
    EXPECT_EQ(VerificationReport(controls),
              "123 456 \r\n\r\n"
              "116期 Tavrel后三单式  116期 555 对\r\n"
              "118期 Tavrel后三单式  118期 789 错\r\n"
              "120期 Tavrel后三单式  120期 456 对\r\n"
              "\r\n001期 本期大底为：2注\r\nTavrel 三星缩水工具 版本号 3.5版");
}

TEST_F(Verification, ReportTakesOnlyTheFirstNRows) {
    controls.select("组合框_显示", 4);  // "5"
    setRows({{"140512023", "12345", "对"},
             {"140512022", "12345", ""},
             {"140512021", "12345", "错"},
             {"140512020", "12345", ""},
             {"140512019", "12345", ""},
             {"140512018", "12345", "错"}});
    const std::string report = VerificationReport(controls);
    // Rows 0 and 2 are marked among the first five; row 5 is left out.
    EXPECT_NE(report.find("021期 Tavrel前三单式  021期 123 错\r\n023期 Tavrel前三单式  023期 123 对\r\n\r\n024期"),
              std::string::npos)
        << report;
    EXPECT_EQ(report.find("018期"), std::string::npos);
}

TEST_F(Verification, ReportEdgeCases) {
    // Nothing chosen in 组合框_显示: no lines. An empty list: the suffix is 1.
    EXPECT_EQ(VerificationReport(controls), "\r\n\r\n\r\n1期 本期大底为：Tavrel\r\nTavrel 三星缩水工具 版本号 3.5版");
    // A typed count larger than the list, a typed window word: its first two characters.
    controls.setText("组合框_显示", "99");
    controls.setText("组合框_验证", "ab中三");
    controls.setText("编辑框_签名", "");
    setRows({{"7", "12345", "对"}});
    const std::string report = VerificationReport(controls);
    EXPECT_NE(report.find("\r\n\r\n7期 ab中单式  7期 123 对\r\n\r\n8期"), std::string::npos) << report;
}

TEST_F(Verification, CopyPutsTheReportOnTheClipboardAndSaysSo) {
    setRows({{"140512023", "12345", "对"}});
    CopyVerificationData(controls, platform);
    ASSERT_EQ(platform.clipboard.size(), 1u);
    EXPECT_EQ(platform.clipboard[0], VerificationReport(controls));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, "复制成功！");
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Information);
}

}  // namespace
}  // namespace sanxing
