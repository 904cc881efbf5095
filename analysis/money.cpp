#include "analysis/money.h"

#include <algorithm>

#include "analysis/analysed_draw.h"
#include "runtime/text.h"

namespace sanxing::analysis {

Prices DefaultPrices(const history::Lottery& lottery) { return {2, lottery.digits == 3 ? 1040 : 1000}; }

Result<std::int64_t> ParseYuan(std::string_view text, std::string_view what) {
    const std::size_t first = text.find_first_not_of(' ');
    const std::string_view trimmed = first == std::string_view::npos
                                         ? std::string_view()
                                         : text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (!trimmed.empty() && trimmed.size() <= 7 && std::all_of(trimmed.begin(), trimmed.end(), IsAsciiDigit)) {
        const std::int64_t value = std::stoll(std::string(trimmed));
        if (value >= 1 && value <= kMaxYuan) return value;
    }
    return Failure{std::string(what) + "“" + std::string(ShortenedText(text, 24)) + "”不对：须是 1 到 " +
                   std::to_string(kMaxYuan) + " 之间的整数（元）。"};
}

Money MoneyOf(int draws, int hits, int resultSize, const Prices& prices) {
    Money m;
    m.prices = prices;
    const std::int64_t bought = std::int64_t{draws} * resultSize;  // 注 over the range
    m.cost = bought * prices.price;
    m.won = std::int64_t{hits} * prices.prize;
    m.net = m.won - m.cost;
    m.returnRate = m.cost == 0 ? 0 : static_cast<double>(m.won) / static_cast<double>(m.cost);
    m.expectedWon = static_cast<double>(bought * prices.prize) / 1000.0;  // exact to 0.001 元
    return m;
}

Money MoneyOf(const Backtest& backtest, const Prices& prices) {
    return MoneyOf(static_cast<int>(backtest.draws.size()), backtest.hits, backtest.resultSize, prices);
}

std::vector<std::int64_t> RunningNet(const Backtest& backtest, const Prices& prices) {
    const std::int64_t costPerDraw = std::int64_t{backtest.resultSize} * prices.price;
    std::vector<std::int64_t> net;
    net.reserve(backtest.draws.size());
    std::int64_t total = 0;
    for (const DrawOutcome& d : backtest.draws) {
        total += (d.hit ? prices.prize : 0) - costPerDraw;
        net.push_back(total);
    }
    return net;
}

}  // namespace sanxing::analysis
