#include "analysis/draw_range.h"

#include <algorithm>

#include "runtime/text.h"

namespace sanxing::analysis {

namespace {

using history::Lottery;
using history::Result;

std::string Quoted(const Lottery& lottery) { return "「" + std::string(lottery.name) + "」"; }

// Issues compare by (length, text), as the history stores them.
bool IssueBefore(std::string_view a, std::string_view b) { return a.size() != b.size() ? a.size() < b.size() : a < b; }

std::vector<Draw> ToDraws(std::vector<history::StoredDraw> stored) {
    std::vector<Draw> draws;
    draws.reserve(stored.size());
    for (history::StoredDraw& d : stored) draws.push_back({std::move(d.issue), std::move(d.number)});
    return draws;
}

Result<SelectedDraws> SelectIssues(const history::HistoryDb& db, const Lottery& lottery, std::string from,
                                   std::string to) {
    if (!from.empty() && !to.empty() && IssueBefore(to, from)) std::swap(from, to);
    SelectedDraws selected{ToDraws(db.Between(lottery.name, from, to)), {}};
    const std::vector<std::string> issues = db.IssuesDescending(lottery.name);
    const std::string span = "（历史中是 " + issues.back() + " 到 " + issues.front() + "）";
    const std::string asked = "期号 " + (from.empty() ? "最早" : from) + " 到 " + (to.empty() ? "最新" : to);
    if (selected.draws.empty()) {
        return Failure{asked + " 之间没有" + Quoted(lottery) + "的开奖号码" + span + "。"};
    }
    const bool beforeHistory = !from.empty() && IssueBefore(from, issues.back());
    const bool afterHistory = !to.empty() && IssueBefore(issues.front(), to);
    if (beforeHistory || afterHistory) {
        selected.note =
            asked + " 超出了历史" + span + "，按其中的 " + std::to_string(selected.draws.size()) + " 期计算。";
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
    const std::size_t count = db.Count(lottery.name);
    if (count == 0) {
        return Failure{Quoted(lottery) +
                       "还没有开奖历史。请先导入开奖号码：菜单 历史 → 导入开奖号码…，"
                       "或 sanxing-cli --lottery " +
                       std::string(lottery.name) + " --import-draws 文件。"};
    }
    switch (range.kind) {
        case RangeChoice::Kind::All: return SelectedDraws{ToDraws(db.Newest(lottery.name, count)), {}};
        case RangeChoice::Kind::Newest: {
            if (range.newest == 0) return Failure{"所选范围是 0 期，没有可计算的开奖号码。"};
            SelectedDraws selected{ToDraws(db.Newest(lottery.name, range.newest)), {}};
            if (range.newest > count) {
                selected.note = "历史中只有 " + std::to_string(count) + " 期" + Quoted(lottery) + "开奖号码，按这 " +
                                std::to_string(count) + " 期计算。";
            }
            return selected;
        }
        case RangeChoice::Kind::Issues: return SelectIssues(db, lottery, range.from, range.to);
    }
    return SelectedDraws{};
}

history::Result<RangeDraws> LoadRange(const history::HistoryDb& db, const Lottery& lottery, const RangeChoice& range,
                                      Position position) {
    auto selected = SelectDraws(db, lottery, range);
    if (!selected) return Failure{selected.error()};
    AnalysedRange analysed = AnalyseDraws(selected->draws, lottery.digits, position);
    RangeDraws loaded{std::move(analysed.draws), std::move(selected->note)};
    if (analysed.skipped > 0) {
        if (!loaded.note.empty()) loaded.note += ' ';
        loaded.note +=
            std::to_string(analysed.skipped) + " 期号码不是 " + std::to_string(lottery.digits) + " 位数字，未计入。";
    }
    if (loaded.draws.empty()) return Failure{"所选范围没有可计算的开奖号码。" + loaded.note};
    return loaded;
}

}  // namespace sanxing::analysis
