#include "analysis/draw_range.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <utility>

#include "runtime/text.h"
#include "window/control_names.h"

namespace sanxing::analysis {

namespace {

using history::Lottery;

std::string Quoted(const Lottery& lottery) { return "「" + std::string(lottery.name) + "」"; }

// Issues compare by (length, text), as the history stores them.
bool IssueBefore(std::string_view a, std::string_view b) { return a.size() != b.size() ? a.size() < b.size() : a < b; }

std::string NoHistoryMessage(const Lottery& lottery) {
    return Quoted(lottery) +
           "还没有开奖历史。请先导入开奖号码：菜单 历史 → 导入开奖号码…，"
           "或 sanxing-cli --lottery " +
           std::string(lottery.name) + " --import-draws 文件。";
}

const char* const kZeroDraws = "所选范围是 0 期，没有可计算的开奖号码。";

// Asked for more of the newest draws than the history holds.
std::string ShortHistoryNote(const Lottery& lottery, std::size_t count) {
    return "历史中只有 " + std::to_string(count) + " 期" + Quoted(lottery) + "开奖号码，按这 " + std::to_string(count) +
           " 期计算。";
}

// The ends of an issue range, the lower first.
std::pair<std::string, std::string> OrderedEnds(const RangeChoice& range) {
    if (!range.from.empty() && !range.to.empty() && IssueBefore(range.to, range.from)) return {range.to, range.from};
    return {range.from, range.to};
}

// What an issue range that found `found` draws says: nothing found fails, an end beyond
// the history is noted.
Result<std::string> IssuesNote(const Lottery& lottery, std::span<const Draw> whole,
                               const std::pair<std::string, std::string>& ends, std::size_t found) {
    const auto& [from, to] = ends;
    const std::string& first = whole.front().issue;
    const std::string& last = whole.back().issue;
    const std::string span = "（历史中是 " + first + " 到 " + last + "）";
    const std::string asked = "期号 " + (from.empty() ? "最早" : from) + " 到 " + (to.empty() ? "最新" : to);
    if (found == 0) return Failure{asked + " 之间没有" + Quoted(lottery) + "的开奖号码" + span + "。"};
    const bool beforeHistory = !from.empty() && IssueBefore(from, first);
    const bool afterHistory = !to.empty() && IssueBefore(last, to);
    if (!beforeHistory && !afterHistory) return std::string();
    return asked + " 超出了历史" + span + "，按其中的 " + std::to_string(found) + " 期计算。";
}

// Where the range lies among the draws read (oldest first).
struct RangePlace {
    std::size_t first = 0, count = 0;
    std::string note;
};

Result<RangePlace> PlaceRange(std::span<const Draw> all, const Lottery& lottery, const RangeChoice& range) {
    if (all.empty()) return Failure{NoHistoryMessage(lottery)};
    const std::size_t size = all.size();
    switch (range.kind) {
        case RangeChoice::Kind::All: return RangePlace{0, size, {}};
        case RangeChoice::Kind::Newest: {
            if (range.newest == 0) return Failure{kZeroDraws};
            const std::size_t count = std::min(range.newest, size);
            return RangePlace{size - count, count, range.newest > size ? ShortHistoryNote(lottery, size) : ""};
        }
        case RangeChoice::Kind::Issues: {
            const auto ends = OrderedEnds(range);
            const std::string& from = ends.first;
            const std::string& to = ends.second;
            const auto begin =
                from.empty() ? all.begin() : std::partition_point(all.begin(), all.end(), [&](const Draw& d) {
                    return IssueBefore(d.issue, from);
                });
            const auto end = to.empty() ? all.end() : std::partition_point(begin, all.end(), [&](const Draw& d) {
                return !IssueBefore(to, d.issue);
            });
            auto note = IssuesNote(lottery, all, ends, static_cast<std::size_t>(end - begin));
            if (!note) return Failure{note.error()};
            return RangePlace{static_cast<std::size_t>(begin - all.begin()), static_cast<std::size_t>(end - begin),
                              std::move(*note)};
        }
    }
    return RangePlace{};
}

// Adds to `note` how many draws of the range were left out for a malformed number.
void NoteSkipped(std::string& note, std::size_t skipped, const Lottery& lottery) {
    if (skipped == 0) return;
    if (!note.empty()) note += ' ';
    note += std::to_string(skipped) + " 期号码不是 " + std::to_string(lottery.digits) + " 位数字，未计入。";
}

const char* const kNothingToAnalyse = "所选范围没有可计算的开奖号码。";

}  // namespace

Result<void> CheckIssueText(std::string_view issue) {
    const bool digits = !issue.empty() && issue.size() <= 20 && std::all_of(issue.begin(), issue.end(), IsAsciiDigit);
    if (digits) return {};
    return Failure{"期号“" + std::string(ShortenedText(issue, 24)) + "”不对：期号只含数字（如 2024144）。"};
}

AnalysisChoice AnalysisChoiceFromControls(const Controls& controls) {
    const auto all = history::Lotteries();
    const int kind = controls.selectedIndex(ctl::kLottery);
    const int position = controls.selectedIndex(ctl::kVerifyWindow);
    AnalysisChoice choice;
    choice.lottery = &all[kind >= 0 && kind < static_cast<int>(all.size()) ? static_cast<std::size_t>(kind) : 0];
    if (position >= 0 && position < static_cast<int>(kPositionNames.size())) {
        choice.position = static_cast<Position>(position);
    }
    return choice;
}

std::optional<std::size_t> NewestToRead(const RangeChoice& range, Past past) {
    if (range.kind != RangeChoice::Kind::Newest || past == Past::Kept) return std::nullopt;
    return std::max<std::size_t>(range.newest, 1);  // 0 draws still learns whether there is a history
}

Result<RangeDraws> PickRange(std::vector<Draw>&& read, const AnalysisChoice& choice, Past past) {
    const Lottery& lottery = *choice.lottery;
    auto place = PlaceRange(read, lottery, choice.range);
    if (!place) return Failure{place.error()};
    // The range's draws and those before it, each taken over rather than copied.
    const auto first = read.begin() + static_cast<std::ptrdiff_t>(place->first);
    std::vector<Draw> inRange(std::make_move_iterator(first),
                              std::make_move_iterator(first + static_cast<std::ptrdiff_t>(place->count)));
    read.erase(past == Past::Kept ? first : read.begin(), read.end());
    AnalysedRange before = AnalyseDraws(std::move(read), lottery.digits, choice.position);
    AnalysedRange range = AnalyseDraws(std::move(inRange), lottery.digits, choice.position);
    RangeDraws picked{std::move(before.draws), 0, std::move(place->note)};
    picked.rangeStart = picked.draws.size();
    NoteSkipped(picked.note, range.skipped, lottery);
    if (range.draws.empty()) return Failure{kNothingToAnalyse + picked.note};
    picked.draws.insert(picked.draws.end(), std::make_move_iterator(range.draws.begin()),
                        std::make_move_iterator(range.draws.end()));
    return picked;
}

}  // namespace sanxing::analysis
