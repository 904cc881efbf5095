// The range inputs of the history windows read issues as the import does, per lottery:
// any spelling gives the stored form, and a bad issue is an error with its reason, never
// an open end of the range.

#include "gui/analysis/range_bar.h"
#include "gui_fixture.h"

namespace sanxing::test {
namespace {

using RangeBarTest = GuiTest;

TEST_F(RangeBarTest, IssuesAreReadAsTheLotteryNumbersThem) {
    RangeBar bar({100});
    bar.setLottery(4);  // 福彩3D
    bar.setIssues(QStringLiteral("24-001"), QStringLiteral(" 第2024009期 "));
    auto chosen = bar.selection();
    ASSERT_TRUE(chosen) << chosen.error();
    EXPECT_EQ(chosen->range.from, "2024001");
    EXPECT_EQ(chosen->range.to, "2024009");
    bar.setIssues(QStringLiteral("2024"), QString());
    EXPECT_NE(bar.selection().error().find("位数不对"), std::string::npos) << bar.selection().error();
    bar.setLottery(2);  // 新疆时时彩: the same day and serial in its own stored form
    bar.setIssues(QStringLiteral("20241012-023"), QStringLiteral("20241312-001"));
    EXPECT_NE(bar.selection().error().find("2024-13-12 不存在"), std::string::npos) << bar.selection().error();
    bar.setIssues(QStringLiteral("20241012-023"), QString());
    EXPECT_EQ(bar.selection()->range.from, "024101223");
}

}  // namespace
}  // namespace sanxing::test
