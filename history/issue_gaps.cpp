#include "history/issue_gaps.h"

#include <algorithm>

#include "runtime/text.h"

namespace sanxing::history {

std::vector<IssueGap> FindGaps(std::vector<std::string> issues, const Lottery& lottery) {
    std::sort(issues.begin(), issues.end());
    const auto serial = static_cast<std::size_t>(lottery.serialLength);
    std::vector<IssueGap> gaps;
    for (std::size_t i = 1; i < issues.size(); ++i) {
        const std::string& before = issues[i - 1];
        const std::string& after = issues[i];
        if (before.size() != after.size() || before.size() <= serial) continue;
        const std::size_t prefix = before.size() - serial;
        if (before.compare(0, prefix, after, 0, prefix) != 0) continue;
        const long long from = sanxing::LeadingInteger(std::string_view(before).substr(prefix));
        const long long to = sanxing::LeadingInteger(std::string_view(after).substr(prefix));
        if (to - from < 2) continue;
        auto issueAt = [&](long long value) {
            std::string digits = std::to_string(value);
            return before.substr(0, prefix) + std::string(serial - std::min(serial, digits.size()), '0') + digits;
        };
        gaps.push_back({issueAt(from + 1), issueAt(to - 1), static_cast<std::size_t>(to - from - 1)});
    }
    return gaps;
}

std::string GapText(const IssueGap& gap) {
    if (gap.count == 1) return gap.first;
    return gap.first + "-" + gap.last + "（" + std::to_string(gap.count) + " 期）";
}

}  // namespace sanxing::history
