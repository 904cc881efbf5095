#include "analysis/draw_range.h"

#include <algorithm>

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

Result<SelectedDraws> SelectIssues(const history::HistoryDb& db, const Lottery& lottery, const history::DrawSpan& whole,
                                   std::string from, std::string to) {
    if (!from.empty() && !to.empty() && IssueBefore(to, from)) std::swap(from, to);
    auto selected = Selected(db.between(lottery.name, from, to));
    if (!selected) return selected;
    const std::string span = "（历史中是 " + whole.first + " 到 " + whole.last + "）";
    const std::string asked = "期号 " + (from.empty() ? "最早" : from) + " 到 " + (to.empty() ? "最新" : to);
    if (selected->draws.empty()) {
        return Failure{asked + " 之间没有" + Quoted(lottery) + "的开奖号码" + span + "。"};
    }
    const bool beforeHistory = !from.empty() && IssueBefore(from, whole.first);
    const bool afterHistory = !to.empty() && IssueBefore(whole.last, to);
    if (beforeHistory || afterHistory) {
        selected->note =
            asked + " 超出了历史" + span + "，按其中的 " + std::to_string(selected->draws.size()) + " 期计算。";
    }
    return selected;
}

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
    if (count == 0) {
        return Failure{Quoted(lottery) +
                       "还没有开奖历史。请先导入开奖号码：菜单 历史 → 导入开奖号码…，"
                       "或 sanxing-cli --lottery " +
                       std::string(lottery.name) + " --import-draws 文件。"};
    }
    switch (range.kind) {
        case RangeChoice::Kind::All: return Selected(db.newest(lottery.name, count));
        case RangeChoice::Kind::Newest: {
            if (range.newest == 0) return Failure{"所选范围是 0 期，没有可计算的开奖号码。"};
            auto selected = Selected(db.newest(lottery.name, range.newest));
            if (selected && range.newest > count) {
                selected->note = "历史中只有 " + std::to_string(count) + " 期" + Quoted(lottery) + "开奖号码，按这 " +
                                 std::to_string(count) + " 期计算。";
            }
            return selected;
        }
        case RangeChoice::Kind::Issues: return SelectIssues(db, lottery, *whole, range.from, range.to);
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
    if (analysed.skipped > 0) {
        if (!loaded.note.empty()) loaded.note += ' ';
        loaded.note +=
            std::to_string(analysed.skipped) + " 期号码不是 " + std::to_string(lottery.digits) + " 位数字，未计入。";
    }
    if (loaded.draws.empty()) return Failure{"所选范围没有可计算的开奖号码。" + loaded.note};
    auto end = history::DataEndText(db, lottery);
    if (!end) return Failure{end.error()};
    loaded.historyEnd = std::move(*end);
    return loaded;
}

}  // namespace sanxing::analysis
