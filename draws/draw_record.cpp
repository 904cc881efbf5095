#include "draws/draw_record.h"

#include <algorithm>

#include "history/lotteries.h"
#include "runtime/text.h"

namespace sanxing {

namespace {

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int TwoDigits(std::string_view text, std::size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); }

}  // namespace

void SortByIssueDescending(DrawRows& rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const DrawRecord& a, const DrawRecord& b) {
        return LeadingInteger(a.issue) > LeadingInteger(b.issue);
    });
}

bool IsWellFormedDraw(const DrawRecord& draw, int kind, std::chrono::sys_days today) {
    using namespace std::chrono;
    const auto lotteries = history::Lotteries();
    if (kind < 0 || kind >= static_cast<int>(lotteries.size())) return false;
    const history::Lottery& lottery = lotteries[static_cast<std::size_t>(kind)];
    const auto issueLength = static_cast<std::size_t>(lottery.issueLength);
    if (draw.issue.size() != issueLength || !AllDigits(draw.issue)) return false;
    if (draw.number.size() != static_cast<std::size_t>(lottery.digits) || !AllDigits(draw.number)) return false;
    if (lottery.digits != 5) return true;
    const std::size_t at = issueLength - static_cast<std::size_t>(lottery.serialLength) - 6;  // YYMMDD
    const year_month_day date{year(2000 + TwoDigits(draw.issue, at)), month(TwoDigits(draw.issue, at + 2)),
                              day(TwoDigits(draw.issue, at + 4))};
    return date.ok() && sys_days(date) <= today + days(1);
}

DrawFilter ListFilter(int kind) {
    return {[kind](const DrawRecord& draw) { return IsWellFormedDraw(draw, kind); }, kMaxDrawRows};
}

void NewestDraws::add(DrawRecord draw, long long rank) {
    if (filter_.limit == 0 || (filter_.accept && !filter_.accept(draw))) return;
    const long long value = LeadingInteger(draw.issue);
    entries_.push_back({value, rank, std::move(draw)});
    if (entries_.size() / 2 >= filter_.limit) keepNewest();
}

// Keeps the `limit` largest issues; of equal issues the rows nearer the top of the list.
void NewestDraws::keepNewest() {
    if (entries_.size() <= filter_.limit) return;
    const auto newer = [](const Entry& a, const Entry& b) {
        return a.value != b.value ? a.value > b.value : a.rank < b.rank;
    };
    std::nth_element(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(filter_.limit), entries_.end(),
                     newer);
    entries_.resize(filter_.limit);
}

DrawRows NewestDraws::take() {
    keepNewest();
    std::stable_sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return a.rank < b.rank; });
    DrawRows rows;
    rows.reserve(entries_.size());
    for (Entry& entry : entries_) rows.push_back(std::move(entry.draw));
    entries_.clear();
    return rows;
}

}  // namespace sanxing
