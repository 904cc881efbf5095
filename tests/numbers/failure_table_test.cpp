#include <gtest/gtest.h>

#include <random>

#include "numbers/failure_table.h"
#include "numbers/set_text.h"

namespace sanxing {
namespace {

// Failure count by searching the row texts, as the table is described.
int CountBySearch(const FailureTable& table, const std::string& token) {
    int failures = 0;
    for (std::size_t r = 0; r < table.rowCount(); ++r) {
        if (!TextContains(table.rowText(r), token)) ++failures;
    }
    return failures;
}

TEST(FailureTable, EmptyTableFailsNothing) {
    FailureTable table;
    EXPECT_EQ(table.failureCount("123"), 0);
    EXPECT_EQ(table.failureCount(""), 0);
    for (const auto count : table.failureCounts()) ASSERT_EQ(count, 0);
}

TEST(FailureTable, EmptyRowFailsEveryTokenAndTheEmptyTokenOnlyThere) {
    FailureTable table;
    table.addRow(NumberSet::Universe());
    table.addRow(NumberSet());
    EXPECT_EQ(table.failureCount("123"), 1);
    EXPECT_EQ(table.failureCount(""), 1);
    EXPECT_EQ(table.failureCount("1234"), 2);
    EXPECT_EQ(table.failureCount("1a3"), 2);
    EXPECT_EQ(table.failureCount("12"), 1);
    EXPECT_EQ(table.rowText(1), "");
    table.clear();
    EXPECT_EQ(table.rowCount(), 0u);
}

TEST(FailureTable, CountsAgreeWithRowTextSearch) {
    std::mt19937 random(3);
    for (int round = 0; round < 20; ++round) {
        FailureTable table;
        const int rows = static_cast<int>(random() % 60);
        for (int r = 0; r < rows; ++r) {
            const int density = static_cast<int>(random() % 100);
            table.addRow(NumberSet::Where([&](int) { return static_cast<int>(random() % 100) < density; }));
        }
        const auto counts = table.failureCounts();
        for (int n = 0; n < 1000; n += 37) {
            ASSERT_EQ(counts[n], CountBySearch(table, NumberText(n)));
            ASSERT_EQ(table.failureCount(NumberText(n)), counts[n]);
        }
        for (const std::string token : {"", "5", "07", "0700", "x"}) {
            ASSERT_EQ(table.failureCount(token), CountBySearch(table, token)) << token;
        }
    }
}

TEST(FailureTable, CountsSaturateBeyondTwoHundredFiftyFive) {
    FailureTable table;
    for (int r = 0; r < 300; ++r) table.addRow(NumberSet());
    EXPECT_EQ(table.failureCounts()[7], 255);
    EXPECT_EQ(table.failureCount("007"), 300);
}

}  // namespace
}  // namespace sanxing
