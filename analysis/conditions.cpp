#include "analysis/conditions.h"

#include <bit>
#include <stdexcept>

#include "analysis/analysed_draw.h"
#include "numbers/set_text.h"
#include "runtime/split.h"
#include "shrink/shrink_run.h"
#include "window/control_names.h"

namespace sanxing::analysis {

namespace {

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

Conditions Conditions::FromControls(const Controls& controls) {
    Conditions c;
    c.groups_ = BuildFailureTable(controls, c.table_);
    // One mask bit per active group: a 65th group needs a wider mask, not a silent overflow.
    if (c.groups_.size() > 64) throw std::logic_error("more condition groups than failed-group mask bits");
    for (std::size_t row = 0; row < c.groups_.size(); ++row) {
        const NumberSet failing = c.table_.row(row).complement();
        failing.forEach([&](int n) { c.failedMasks_[n] |= std::uint64_t{1} << row; });
    }
    // The base as the shrink's final step splits it: a token that is exactly three digits
    // can be a drawn number; every other token never equals one.
    const std::string base = controls.text(ctl::kBaseSet);
    c.baseEmpty_ = base.empty();
    if (c.baseEmpty_) {
        c.baseNumbers_ = NumberSet::Universe();
    } else {
        ForEachToken(base, " ", [&](std::string_view token) {
            if (const std::optional<int> n = NumberValue(token)) c.baseNumbers_.insert(*n);
        });
    }
    c.toleranceText_ = controls.text(ctl::kTolerance);
    c.tolerance_ = ToleranceRange::FromText(c.toleranceText_);
    return c;
}

GroupName Conditions::group(std::size_t index) const {
    const ConditionGroup& g = *groups_.at(index);
    return {g.row, g.caption};
}

int Conditions::failures(int number) const { return std::popcount(failedMasks_[number]); }

std::vector<GroupName> Conditions::failedGroups(std::uint64_t mask) const {
    std::vector<GroupName> names;
    for (; mask != 0; mask &= mask - 1) names.push_back(group(static_cast<std::size_t>(std::countr_zero(mask))));
    return names;
}

Result<void> CheckNumberText(std::string_view text) {
    const std::string_view token = Trimmed(text);
    if (NumberValue(token)) return {};
    if (token.empty()) return Failure{"查号：请输入一个三位数（000 到 999）。"};
    return Failure{"查号：“" + std::string(ShortenedText(token, 40)) + "”不是三位数，请输入 000 到 999 之间的号码。"};
}

Result<Explanation> ExplainNumber(const Conditions& conditions, std::string_view text) {
    if (auto checked = CheckNumberText(text); !checked) return Failure{checked.error()};
    const std::string_view token = Trimmed(text);
    const int number = *NumberValue(token);
    const std::uint64_t mask = conditions.failedMask(number);
    const int failures = std::popcount(mask);
    return Explanation{std::string(token), failures, conditions.failedGroups(mask),
                       conditions.inBase(number) && conditions.tolerance().contains(failures)};
}

}  // namespace sanxing::analysis
