// Money over the hand-worked range of backtest_fixture.h: tolerance 0-0 gives a result of
// 713 注 and one hit (draw 004) in six draws.

#include <climits>

#include "analysis/money.h"
#include "backtest_fixture.h"
#include "history/lotteries.h"

namespace sanxing::analysis {
namespace {

TEST_F(BacktestTest, MoneyOfTheRangeAndTheRunningNet) {
    const Backtest b = run();
    const Money m = MoneyOf(b, {2, 1040});
    EXPECT_EQ(m.cost, 6 * 713 * 2);
    EXPECT_EQ(m.won, 1040);
    EXPECT_EQ(m.net, 1040 - 8556);
    EXPECT_DOUBLE_EQ(m.returnRate, 1040.0 / 8556);
    EXPECT_DOUBLE_EQ(m.expectedWon, 4449.12);  // 6 × 713 / 1000 × 1040
    // 1426 元 a draw; the hit of draw 004 brings 1040.
    EXPECT_EQ(RunningNet(b, {2, 1040}), (std::vector<std::int64_t>{-1426, -2852, -4278, -4664, -6090, -7516}));
}

TEST(Money, ExactInWholeYuanWithoutFloatingSums) {
    const Money million = MoneyOf(1'000'000, 644'000, 644, {2, 1040});
    EXPECT_EQ(million.cost, 1'288'000'000);
    EXPECT_EQ(million.won, 669'760'000);
    EXPECT_EQ(million.expectedWon, 669'760'000.0);
    // The largest prices over the most draws stay inside 64 bits.
    const Money most = MoneyOf(INT_MAX, INT_MAX, 1000, {kMaxYuan, kMaxYuan});
    EXPECT_EQ(most.cost, std::int64_t{INT_MAX} * 1000 * kMaxYuan);
    EXPECT_EQ(most.net, std::int64_t{INT_MAX} * kMaxYuan - most.cost);
    // Nothing bought: no rate to divide out.
    const Money empty = MoneyOf(20, 0, 0, {2, 1040});
    EXPECT_EQ(empty.cost, 0);
    EXPECT_EQ(empty.returnRate, 0);
    EXPECT_EQ(empty.expectedReturnRate(), 0);
}

TEST(Money, DefaultsPerLotteryAndFairReturn) {
    const Prices fc3d = DefaultPrices(*history::FindLottery("福彩3D"));
    EXPECT_EQ(fc3d, (Prices{2, 1040}));
    EXPECT_EQ(DefaultPrices(*history::FindLottery("排列三")), (Prices{2, 1040}));
    EXPECT_EQ(DefaultPrices(*history::FindLottery("新疆时时彩")), (Prices{2, 1000}));
    // Whatever the conditions, chance returns prize / 1000 / price of the cost: 52 % for 3D.
    EXPECT_DOUBLE_EQ(MoneyOf(300, 0, 37, fc3d).expectedReturnRate(), 0.52);
}

TEST(Money, PricesAreWholePositiveYuan) {
    EXPECT_EQ(*ParseYuan(" 1040 ", "直选奖金"), 1040);
    EXPECT_EQ(*ParseYuan("1000000", "每注价格"), kMaxYuan);
    for (const char* bad : {"", " ", "0", "-2", "2.5", "abc", "1000001", "99999999999999999999", "２"}) {
        const auto parsed = ParseYuan(bad, "每注价格");
        ASSERT_FALSE(parsed) << bad;
        EXPECT_TRUE(parsed.error().starts_with("每注价格“")) << parsed.error();
    }
}

}  // namespace
}  // namespace sanxing::analysis
