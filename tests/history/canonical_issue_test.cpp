// Issues in the one stored form, the fields of a line, and the text form of a column map.

#include "history/canonical_issue.h"
#include "history/column_map.h"
#include "history/draw_fields.h"
#include "history_fixture.h"

namespace sanxing::history::testing {
namespace {

struct IssueCase {
    const char* lottery;
    const char* text;
    const char* stored;  // empty: refused
    const char* reason;  // a part of the refusal
};

class Issues : public ::testing::TestWithParam<IssueCase> {
protected:
    FixedToday today;  // 2026-08-20
};

TEST_P(Issues, ReadAsTheLotteryNumbersItsDraws) {
    const IssueCase& c = GetParam();
    const auto issue = CanonicalIssue(c.text, *FindLottery(c.lottery));
    if (*c.stored) {
        ASSERT_TRUE(issue) << c.text << ": " << issue.error();
        EXPECT_EQ(*issue, c.stored) << c.text;
    } else {
        ASSERT_FALSE(issue) << c.text << " gave " << *issue;
        EXPECT_NE(issue.error().find(c.reason), std::string::npos) << issue.error();
    }
}

INSTANTIATE_TEST_SUITE_P(Spellings, Issues,
                         ::testing::Values(IssueCase{"福彩3D", "2024144", "2024144", ""},
                                           IssueCase{"福彩3D", "24144", "2024144", ""},
                                           IssueCase{"福彩3D", "24-144", "2024144", ""},
                                           IssueCase{"排列三", "2024-7", "2024007", ""},
                                           IssueCase{"福彩3D", "第2024144期", "2024144", ""},
                                           IssueCase{"重庆时时彩", "20241012-023", "241012023", ""},
                                           IssueCase{"重庆时时彩", "20241012023", "241012023", ""},
                                           IssueCase{"重庆时时彩", "241012023", "241012023", ""},
                                           IssueCase{"江西时时彩", "241012-23", "241012023", ""},
                                           // 新疆 keeps the last nine digits of YYYYMMDDNN, as its draw list does.
                                           IssueCase{"新疆时时彩", "2024101223", "024101223", ""},
                                           IssueCase{"新疆时时彩", "20241012-023", "024101223", ""},
                                           IssueCase{"新疆时时彩", "024101223", "024101223", ""},
                                           IssueCase{"新疆时时彩", "241012023", "024101223", ""},
                                           IssueCase{"重庆时时彩", "20260821-001", "260821001", ""}));  // tomorrow

INSTANTIATE_TEST_SUITE_P(Refusals, Issues,
                         ::testing::Values(IssueCase{"福彩3D", "2024000", "", "不在 001–366"},
                                           IssueCase{"福彩3D", "2024999", "", "不在 001–366"},
                                           IssueCase{"福彩3D", "2001100", "", "早于福彩3D开始的 2002 年"},
                                           IssueCase{"排列三", "2003100", "", "早于排列三开始的 2004 年"},
                                           IssueCase{"福彩3D", "2027001", "", "晚于今年（2026）"},
                                           IssueCase{"福彩3D", "2024", "", "位数不对"},
                                           IssueCase{"福彩3D", "2024-1-1", "", "不是期号"},
                                           IssueCase{"重庆时时彩", "20241312-001", "", "2024-13-12 不存在"},
                                           IssueCase{"重庆时时彩", "20230229-001", "", "2023-02-29 不存在"},
                                           IssueCase{"重庆时时彩", "20260822-001", "", "晚于明天"},
                                           IssueCase{"重庆时时彩", "20241012-000", "", "期序为 0"},
                                           IssueCase{"新疆时时彩", "20241012-123", "", "超过 2 位"},
                                           IssueCase{"重庆时时彩", "2024101202312", "", "位数不对"},
                                           IssueCase{"重庆时时彩", "abc", "", "不是期号"}));

TEST(Fields, SplitAtSeparatorsAndSpaceRunsKeepingPlaces) {
    FieldSplitter splitter;
    const auto fields = [&](std::string_view line) {
        const auto got = splitter.split(line);
        return std::vector<std::string>(got.begin(), got.end());
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(fields("  2024144   8 1\t6  "), (V{"2024144", "8", "1", "6"}));
    EXPECT_EQ(fields("2024144,,816 ,"), (V{"2024144", "", "816", ""}));
    EXPECT_EQ(fields("\"2024144\",\"8,1,6\",\"a \"\"b\"\"\",x"), (V{"2024144", "8,1,6", "a \"b\"", "x"}));
    EXPECT_EQ(fields("2024144，8；1｜6、7　9|x"), (V{"2024144", "8", "1", "6", "7", "9", "x"}));
    EXPECT_EQ(fields("\"unclosed, quote"), (V{"unclosed, quote"}));
    EXPECT_TRUE(fields(" \t ").empty());
    EXPECT_TRUE(fields(",,,").empty());
    std::string many;
    for (int i = 0; i < 70; ++i) many += "1,";
    EXPECT_EQ(splitter.split(many).size(), kMaxFields);
    EXPECT_TRUE(splitter.tooMany());
}

TEST(ColumnMapText, RoundTripsAndNamesWhatIsWrong) {
    const auto map = ParseColumnMap("期号=1,号码=3-5,日期=2");
    ASSERT_TRUE(map) << map.error();
    EXPECT_EQ(*map, (ColumnMap{0, 2, 3, 1}));
    EXPECT_EQ(ColumnMapText(*map), "期号=1,号码=3-5,日期=2");
    EXPECT_EQ(ColumnRole(*map, 3, *FindLottery("福彩3D")), "十位");
    EXPECT_EQ(ColumnRole(*map, 7, *FindLottery("福彩3D")), "忽略");
    EXPECT_FALSE(CheckColumnMap(*map, *FindLottery("重庆时时彩")));
    EXPECT_EQ(ColumnMapText(ParseColumnMap("号码=2,期号=1").value()), "期号=1,号码=2");
    for (const char* bad : {"", "期号=1", "期号=0,号码=2", "期号=1,号码=1", "期号=1,号码=2,期号=3", "期号=1,号码=5-3",
                            "issue=1,号码=2", "期号=1,号码=2,日期=2", "期号=x,号码=2"}) {
        EXPECT_FALSE(ParseColumnMap(bad)) << bad;
    }
}

}  // namespace
}  // namespace sanxing::history::testing
