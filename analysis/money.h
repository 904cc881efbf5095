#pragma once
// What a scheme would have cost and won: its whole result at the current tolerance bought
// every draw of the range at a price per 注, each hit paid the 直选 prize. Amounts are whole
// 元 in 64-bit integers, so sums over any history are exact.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "analysis/backtest.h"
#include "history/lotteries.h"
#include "runtime/result.h"

namespace sanxing::analysis {

struct Prices {
    std::int64_t price = 2;     // 元 per 注
    std::int64_t prize = 1040;  // 元 for a hit (直选)
    friend bool operator==(const Prices&, const Prices&) = default;
};

// The largest price or prize taken: with at most 2^31 draws of 1000 注, sums stay far
// inside 64 bits.
inline constexpr std::int64_t kMaxYuan = 1'000'000;

// 2 元 and 1040 元 for 福彩3D and 排列三, 2 元 and 1000 元 for the four 时时彩 kinds.
Prices DefaultPrices(const history::Lottery& lottery);

// A price or prize typed by the user: a whole number of 元 from 1 to kMaxYuan (spaces
// around it allowed). Fails with a Chinese message that names `what`.
Result<std::int64_t> ParseYuan(std::string_view text, std::string_view what);

struct Money {
    Prices prices;
    std::int64_t cost = 0;   // draws × result size × price
    std::int64_t won = 0;    // hits × prize
    std::int64_t net = 0;    // won − cost
    double returnRate = 0;   // won / cost; 0 when nothing was bought
    double expectedWon = 0;  // what chance alone wins: draws × result size / 1000 × prize

    double expectedNet() const { return expectedWon - static_cast<double>(cost); }
    double expectedReturnRate() const { return cost == 0 ? 0 : expectedWon / static_cast<double>(cost); }
};

Money MoneyOf(int draws, int hits, int resultSize, const Prices& prices);
Money MoneyOf(const Backtest& backtest, const Prices& prices);

// The net after each draw of the range, oldest first.
std::vector<std::int64_t> RunningNet(const Backtest& backtest, const Prices& prices);

}  // namespace sanxing::analysis
