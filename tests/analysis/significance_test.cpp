// The exact two-sided binomial test and the Wilson interval against reference values.
// P-values: binom.test(682, 925, p = 3/4) = 0.3825 is the example of R's binom.test
// documentation (Mendel's 682 giant and 243 dwarf plants); binom.test(14, 20, 0.644) ≈ 0.82
// is the case the back-test's summary got wrong; the rest are the sums of binom.test's
// rule done in exact rational arithmetic, and by hand where n is small (n = 1: P(0) = 0.7,
// P(1) = 0.3; h = 0 and h = n at p0 = 0.5: 2 / 2^10). Wilson intervals: the closed form
// (h + z²/2 ± z·√(h(n − h)/n + z²/4)) / (n + z²) with z = 1.959964.

#include <gtest/gtest.h>

#include <cmath>

#include "analysis/significance.h"

namespace sanxing::analysis {
namespace {

struct PValueCase {
    int hits, draws;
    double chance, pValue;
};

TEST(Significance, PValuesMatchBinomTest) {
    const PValueCase cases[] = {
        {14, 20, 0.644, 0.8158888776333458},      // 14 of 20 against 64.4 %, once summarised wrong
        {682, 925, 0.75, 0.3824915595748517},     // R documentation: 0.3825
        {0, 1, 0.3, 1.0},                         // n = 1: both outcomes at most as likely
        {1, 1, 0.3, 0.3},                         // n = 1: only the outcome itself
        {0, 10, 0.5, 2.0 / 1024},                 // h = 0
        {10, 10, 0.5, 2.0 / 1024},                // h = n
        {9, 10, 0.5, 22.0 / 1024},                // p0 = 0.5: 9, 10 and 0, 1
        {5100, 10000, 0.5, 0.04658552770494739},  // n = 10,000
        {3, 10000, 0.001, 0.024542538146383793},  // n = 10,000, extreme p0
        {30, 100, 0.2, 0.01694535967678514},
        {12, 20, 0.644, 0.6493614017848554},
    };
    for (const PValueCase& c : cases) {
        const double p = BinomialPValue(c.hits, c.draws, c.chance);
        EXPECT_NEAR(p, c.pValue, 1e-9 * c.pValue) << c.hits << " of " << c.draws << " at " << c.chance;
    }
}

TEST(Significance, CertainOutcomesAndNoDrawsGiveFiniteFigures) {
    EXPECT_EQ(BinomialPValue(0, 0, 0.5), 1);    // n = 0
    EXPECT_EQ(BinomialPValue(0, 50, 0.0), 1);   // p0 = 0: the only possible outcome
    EXPECT_EQ(BinomialPValue(50, 50, 1.0), 1);  // p0 = 1
    EXPECT_EQ(BinomialPValue(3, 50, 0.0), 0);   // impossible outcomes
    EXPECT_EQ(BinomialPValue(49, 50, 1.0), 0);
    EXPECT_EQ(BinomialPValue(9990, 10000, 0.999), 1);  // exactly the expected count
    // Far out in a tail of 10,000 draws the probability underflows to 0, never NaN.
    EXPECT_EQ(BinomialPValue(10000, 10000, 0.001), 0);
    EXPECT_GE(BinomialPValue(0, 10000, 0.999), 0);

    const Significance none = TestAgainstChance(0, 0, 0.644);
    EXPECT_FALSE(none.testable());
    EXPECT_EQ(none.pValue, 1);
    EXPECT_EQ(none.interval.low, 0);
    EXPECT_EQ(none.interval.high, 1);
    for (const Significance& s : {TestAgainstChance(0, 20, 0.0), TestAgainstChance(20, 20, 1.0)}) {
        EXPECT_FALSE(s.testable());
        EXPECT_FALSE(s.significant());
        EXPECT_TRUE(std::isfinite(s.pValue) && std::isfinite(s.expected));
        EXPECT_NE(Verdict(s).find("没有可检验的差别"), std::string::npos) << Verdict(s);
    }
}

TEST(Significance, WilsonIntervals) {
    struct Case {
        int hits, draws;
        double low, high;
    };
    const Case cases[] = {
        {14, 20, 0.4810271799475211, 0.8545227559784271},
        {0, 10, 0.0, 0.27753280302605776},
        {10, 10, 0.7224671969739422, 1.0},
        {1, 1, 0.2065493117918027, 1.0},
        {0, 1, 0.0, 0.7934506882081973},
        {5100, 10000, 0.5002001807854036, 0.5197921392470618},
    };
    for (const Case& c : cases) {
        const Interval i = WilsonInterval(c.hits, c.draws);
        EXPECT_NEAR(i.low, c.low, 1e-12) << c.hits << " of " << c.draws;
        EXPECT_NEAR(i.high, c.high, 1e-12) << c.hits << " of " << c.draws;
    }
    EXPECT_EQ(WilsonInterval(0, 10).low, 0.0);  // exactly, not a rounding error below it
    EXPECT_EQ(WilsonInterval(10, 10).high, 1.0);
}

TEST(Significance, SummaryInWords) {
    EXPECT_EQ(Verdict(TestAgainstChance(14, 20, 0.644)), "比随机多 1.1 期，p = 0.82：与随机选号没有显著差别");
    EXPECT_EQ(Verdict(TestAgainstChance(0, 10, 0.5)), "比随机少 5.0 期，显著（p = 0.002）");
    EXPECT_EQ(Verdict(TestAgainstChance(10, 20, 0.5)), "与随机期望持平，p = 1：与随机选号没有显著差别");
    EXPECT_EQ(PValueText(0.0496), "p = 0.0496");  // two digits would say 0.05
    EXPECT_EQ(PValueText(0.05), "p = 0.05");
    EXPECT_EQ(PValueText(1e-12), "p < 0.0001");
}

}  // namespace
}  // namespace sanxing::analysis
