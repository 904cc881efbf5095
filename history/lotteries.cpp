#include "history/lotteries.h"

#include <array>
#include <string>

namespace sanxing::history {

namespace {

constexpr auto kDaily = IssueForm::DateSerial;
constexpr auto kYearly = IssueForm::YearSequence;

// The time-based kinds keep the year in two digits (YYMMDDNNN), 新疆 in three, as the last
// nine digits of its sites' YYYYMMDDNN; their issues cannot name a year before 2000.
constexpr std::array<Lottery, 6> kLotteries{{
    {"重庆时时彩", 5, 0, 9, 3, kDaily, 2000},
    {"江西时时彩", 5, 1, 9, 3, kDaily, 2000},
    {"新疆时时彩", 5, 2, 9, 2, kDaily, 2000},  // its sites number the draws of a day with two digits
    {"龙江时时彩", 5, 3, 9, 3, kDaily, 2000},
    {"福彩3D", 3, 4, 7, 3, kYearly, 2002},
    {"排列三", 3, 5, 7, 3, kYearly, 2004},
}};

}  // namespace

std::span<const Lottery> Lotteries() { return kLotteries; }

const Lottery* FindLottery(std::string_view name) {
    for (const Lottery& lottery : kLotteries) {
        if (lottery.name == name) return &lottery;
    }
    return nullptr;
}

std::string_view LotteryNames() {
    static const std::string names = [] {
        std::string text;
        for (const Lottery& lottery : kLotteries) {
            if (!text.empty()) text += "、";
            text += lottery.name;
        }
        return text;
    }();
    return names;
}

}  // namespace sanxing::history
