#include "draws/draw_record.h"

#include <algorithm>

#include "runtime/text.h"

namespace sanxing {

namespace {

constexpr std::size_t kIssueLength = 9;
constexpr std::size_t kNumberLength = 5;

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

std::chrono::sys_days Today() { return std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()); }

bool IsWellFormedDraw(const DrawRecord& draw, std::chrono::sys_days today) {
    using namespace std::chrono;
    if (draw.issue.size() != kIssueLength || !AllDigits(draw.issue)) return false;
    if (draw.number.size() != kNumberLength || !AllDigits(draw.number)) return false;
    const year_month_day date{year(2000 + TwoDigits(draw.issue, 0)), month(TwoDigits(draw.issue, 2)),
                              day(TwoDigits(draw.issue, 4))};
    return date.ok() && sys_days(date) <= today + days(1);
}

DrawFilter ListFilter() {
    return {[](const DrawRecord& draw) { return IsWellFormedDraw(draw); }, kMaxDrawRows};
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
    const auto newer = [](const Entry& a, const Entry& b) { return a.value != b.value ? a.value > b.value : a.rank < b.rank; };
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
