#pragma once
// The lotteries whose draws the history keeps: the four time-based kinds of the draw list
// (five digits, issues of 9 digits: date and serial) and the two daily three-digit
// lotteries (issues YYYYNNN: year and sequence).

#include <span>
#include <string_view>

namespace sanxing::history {

// How a lottery numbers its draws.
enum class IssueForm {
    DateSerial,    // the day and the draw's serial within the day (the four 时时彩 kinds)
    YearSequence,  // the year and the draw's sequence within the year (福彩3D, 排列三)
};

struct Lottery {
    std::string_view name;  // the text the user sees and the CLI's --lottery takes
    int digits;             // 5 for the four 时时彩 kinds, 3 for 福彩3D and 排列三
    int kindIndex;          // index in 组合框_彩种 (0..3 the four kinds, 4 福彩3D, 5 排列三); the
                            // database's key of the lottery, so it never changes
    int issueLength;        // every stored issue of the lottery has this many digits
    int serialLength;       // the trailing digits that count draws within a day or year
    IssueForm form;
    int firstYear;  // no draw is older
};

// The six, in 组合框_彩种 order.
std::span<const Lottery> Lotteries();

// nullptr when unknown.
const Lottery* FindLottery(std::string_view name);

// The names joined by "、", for messages that list the choices.
std::string_view LotteryNames();

}  // namespace sanxing::history
