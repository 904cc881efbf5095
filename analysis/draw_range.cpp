#include "analysis/draw_range.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <utility>

#include "history/data_end.h"
#include "runtime/text.h"
#include "window/control_names.h"

namespace sanxing::analysis {

namespace {

using history::Lottery;

std::string Quoted(const Lottery& lottery) { return "「" + std::string(lottery.name) + "」"; }

// Issues compare by (length, text), as the history stores them.
bool IssueBefore(std::string_view a, std::string_view b) { return a.size() != b.size() ? a.size() < b.size() : a < b; }

// The draws, or the read's failure.
Result<SelectedDraws> Selected(Result<std::vector<Draw>> draws) {
    if (!draws) return Failure{draws.error()};
    return SelectedDraws{std::move(*draws), {}};
}

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
Result<std::string> IssuesNote(const Lottery& lottery, const history::DrawSpan& whole,
                               const std::pair<std::string, std::string>& ends, std::size_t found) {
    const auto& [from, to] = ends;
    const std::string span = "（历史中是 " + whole.first + " 到 " + whole.last + "）";
    const std::string asked = "期号 " + (from.empty() ? "最早" : from) + " 到 " + (to.empty() ? "最新" : to);
    if (found == 0) return Failure{asked + " 之间没有" + Quoted(lottery) + "的开奖号码" + span + "。"};
    const bool beforeHistory = !from.empty() && IssueBefore(from, whole.first);
    const bool afterHistory = !to.empty() && IssueBefore(whole.last, to);
    if (!beforeHistory && !afterHistory) return std::string();
    return asked + " 超出了历史" + span + "，按其中的 " + std::to_string(found) + " 期计算。";
}

Result<SelectedDraws> SelectIssues(const history::HistoryDb& db, const Lottery& lottery, const history::DrawSpan& whole,
                                   const RangeChoice& range) {
    const auto ends = OrderedEnds(range);
    auto selected = Selected(db.between(lottery.name, ends.first, ends.second));
    if (!selected) return selected;
    auto note = IssuesNote(lottery, whole, ends, selected->draws.size());
    if (!note) return Failure{note.error()};
    selected->note = std::move(*note);
    return selected;
}

// Where the range lies among every stored draw of the lottery (oldest first).
struct PickedRange {
    std::size_t first = 0, count = 0;
    std::string note;
};

Result<PickedRange> PickRange(std::span<const Draw> all, const Lottery& lottery, const RangeChoice& range) {
    if (all.empty()) return Failure{NoHistoryMessage(lottery)};
    const std::size_t size = all.size();
    switch (range.kind) {
        case RangeChoice::Kind::All: return PickedRange{0, size, {}};
        case RangeChoice::Kind::Newest: {
            if (range.newest == 0) return Failure{kZeroDraws};
            const std::size_t count = std::min(range.newest, size);
            return PickedRange{size - count, count, range.newest > size ? ShortHistoryNote(lottery, size) : ""};
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
            const history::DrawSpan whole{size, all.front().issue, all.back().issue};
            auto note = IssuesNote(lottery, whole, ends, static_cast<std::size_t>(end - begin));
            if (!note) return Failure{note.error()};
            return PickedRange{static_cast<std::size_t>(begin - all.begin()), static_cast<std::size_t>(end - begin),
                               std::move(*note)};
        }
    }
    return PickedRange{};
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

Result<SelectedDraws> SelectDraws(const history::HistoryDb& db, const Lottery& lottery, const RangeChoice& range) {
    const auto whole = db.span(lottery.name);
    if (!whole) return Failure{whole.error()};
    const std::size_t count = whole->count;
    if (count == 0) return Failure{NoHistoryMessage(lottery)};
    switch (range.kind) {
        case RangeChoice::Kind::All: return Selected(db.newest(lottery.name, count));
        case RangeChoice::Kind::Newest: {
            if (range.newest == 0) return Failure{kZeroDraws};
            auto selected = Selected(db.newest(lottery.name, range.newest));
            if (selected && range.newest > count) selected->note = ShortHistoryNote(lottery, count);
            return selected;
        }
        case RangeChoice::Kind::Issues: return SelectIssues(db, lottery, *whole, range);
    }
    return SelectedDraws{};
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

Result<RangeDraws> LoadRange(const history::HistoryDb& db, const AnalysisChoice& choice) {
    const Lottery& lottery = *choice.lottery;
    auto selected = SelectDraws(db, lottery, choice.range);
    if (!selected) return Failure{selected.error()};
    AnalysedRange analysed = AnalyseDraws(std::move(selected->draws), lottery.digits, choice.position);
    RangeDraws loaded{std::move(analysed.draws), std::move(selected->note), {}};
    NoteSkipped(loaded.note, analysed.skipped, lottery);
    if (loaded.draws.empty()) return Failure{kNothingToAnalyse + loaded.note};
    auto end = history::DataEndText(db, lottery);
    if (!end) return Failure{end.error()};
    loaded.historyEnd = std::move(*end);
    return loaded;
}

Result<RangeWithPast> LoadRangeWithPast(const history::HistoryDb& db, const AnalysisChoice& choice) {
    const Lottery& lottery = *choice.lottery;
    auto all = db.between(lottery.name, {}, {});  // one read: every draw, oldest first
    if (!all) return Failure{all.error()};
    auto picked = PickRange(*all, lottery, choice.range);
    if (!picked) return Failure{picked.error()};
    // The range's draws and those before it, each taken over rather than copied.
    const auto first = all->begin() + static_cast<std::ptrdiff_t>(picked->first);
    std::vector<Draw> inRange(std::make_move_iterator(first),
                              std::make_move_iterator(first + static_cast<std::ptrdiff_t>(picked->count)));
    all->erase(first, all->end());
    AnalysedRange past = AnalyseDraws(std::move(*all), lottery.digits, choice.position);
    AnalysedRange range = AnalyseDraws(std::move(inRange), lottery.digits, choice.position);
    RangeWithPast loaded{std::move(past.draws), 0, std::move(picked->note), {}};
    loaded.rangeStart = loaded.draws.size();
    NoteSkipped(loaded.note, range.skipped, lottery);
    if (range.draws.empty()) return Failure{kNothingToAnalyse + loaded.note};
    loaded.draws.insert(loaded.draws.end(), std::make_move_iterator(range.draws.begin()),
                        std::make_move_iterator(range.draws.end()));
    auto end = history::DataEndText(db, lottery);
    if (!end) return Failure{end.error()};
    loaded.historyEnd = std::move(*end);
    return loaded;
}

}  // namespace sanxing::analysis
