#include "numbers/violation_counts.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "numbers/failure_table.h"

namespace sanxing {
namespace {

NumberSet RandomSet(std::mt19937& random) {
    std::bernoulli_distribution keep(0.6);
    return NumberSet::Where([&](int) { return keep(random); });
}

TEST(ViolationCounter, CountsSetsThatLeaveANumberOut) {
    std::mt19937 random(7);
    std::vector<NumberSet> sets;
    for (int i = 0; i < 700; ++i) sets.push_back(RandomSet(random));
    ViolationCounter counter;
    for (const NumberSet& set : sets) counter.addMissing(set);
    const auto counts = counter.counts();
    for (int n = 0; n < kUniverseSize; n += 37) {
        std::uint64_t expected = 0;
        for (const NumberSet& set : sets) expected += set.contains(n) ? 0 : 1;
        EXPECT_EQ(counts[n], expected) << n;
    }
}

TEST(ViolationCounter, WeightedAddEqualsRepeatedAdds) {
    std::mt19937 random(11);
    ViolationCounter weighted, repeated;
    for (const std::uint64_t times : {1, 2, 3, 255, 256, 1000}) {
        const NumberSet set = RandomSet(random);
        weighted.addMissing(set, times);
        for (std::uint64_t i = 0; i < times; ++i) repeated.addMissing(set);
    }
    EXPECT_EQ(weighted.counts(), repeated.counts());
    // A weight far above any realistic line count still adds exactly.
    ViolationCounter big;
    big.addMissing(NumberSet{}, std::uint64_t{1} << 40);
    big.addMissing(NumberSet{}, 3);
    EXPECT_EQ(big.counts()[999], (std::uint64_t{1} << 40) + 3);
}

TEST(ViolationCounter, CountsBetweenIncludesBothEnds) {
    ViolationCounter counter;
    NumberSet low;  // 0..9 are left out by two sets, 10..19 by one, the rest by none
    for (int n = 10; n < kUniverseSize; ++n) low.insert(n);
    NumberSet high;
    for (int n = 20; n < kUniverseSize; ++n) high.insert(n);
    counter.addMissing(low);
    counter.addMissing(high);
    EXPECT_EQ(counter.countsBetween(0, 0).count(), 980);
    EXPECT_EQ(counter.countsBetween(1, 1).count(), 10);
    EXPECT_TRUE(counter.countsBetween(1, 2).contains(5));
    EXPECT_EQ(counter.countsBetween(0, 2).count(), 1000);
    EXPECT_EQ(counter.countsBetween(3, 9).count(), 0);
    EXPECT_EQ(counter.countsBetween(2, 1).count(), 0);
    EXPECT_EQ(ViolationCounter{}.countsBetween(0, 0).count(), 1000);
}

TEST(ViolationCounter, CountsBetweenAgreesWithCounts) {
    std::mt19937 random(5);
    ViolationCounter counter;
    for (int i = 0; i < 40; ++i) counter.addMissing(RandomSet(random), random() % 300);
    const auto counts = counter.counts();
    std::vector<long long> bounds = {0, 1, 2, 255, 256, 1 << 20};
    for (int i = 0; i < 12; ++i) bounds.push_back(static_cast<long long>(counts[random() % 1000]) + (i % 3) - 1);
    for (const long long low : bounds) {
        for (const long long high : bounds) {
            const NumberSet between = counter.countsBetween(low, high);
            for (int n = 0; n < kUniverseSize; ++n) {
                const bool expected = low <= high && low <= static_cast<long long>(counts[n]) &&
                                      static_cast<long long>(counts[n]) <= high;
                ASSERT_EQ(between.contains(n), expected) << n << " in " << low << "-" << high;
            }
        }
    }
}

TEST(FailureTableCounts, SaturateAt255AndMatchPerTokenCounts) {
    FailureTable table;
    NumberSet odd = NumberSet::Where([](int n) { return n % 2 == 1; });
    for (int i = 0; i < 300; ++i) table.addRow(odd);
    table.addRow(NumberSet::Universe());
    const auto counts = table.failureCounts();
    EXPECT_EQ(counts[0], 255);  // 300 failures, saturated
    EXPECT_EQ(counts[1], 0);
    table.clear();
    table.addRow(odd);
    table.addRow(NumberSet{});
    EXPECT_EQ(table.failureCounts()[2], table.failureCount("002"));
    EXPECT_EQ(table.failureCounts()[3], 1);
}

}  // namespace
}  // namespace sanxing
