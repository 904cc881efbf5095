#include "shrink/shrink_run.h"

#include <array>
#include <optional>

#include "numbers/set_text.h"
#include "numbers/tolerance.h"
#include "runtime/split.h"
#include "runtime/text.h"
#include "shrink/condition_group.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

// Failure counts by token, computed once per distinct kind of token: the 1000 numbers
// from bit counters, one- and two-digit keys on first use, everything else directly.
class FailureCounter {
public:
    explicit FailureCounter(const FailureTable& table) : table_(table), numbers_(table.failureCounts()) {}

    int operator()(std::string_view token) {
        if (const std::optional<int> n = NumberValue(token)) return numbers_[*n];
        if (const std::optional<int> slot = ShortKeySlot(token)) {
            int& cached = shortKeys_[*slot];
            if (cached < 0) cached = table_.failureCount(token);
            return cached;
        }
        return table_.failureCount(token);
    }

private:
    // Slot 0: the empty token; 1..10: one digit; 11..110: two digits.
    static std::optional<int> ShortKeySlot(std::string_view t) {
        if (t.empty()) return 0;
        if (t.size() == 1 && IsAsciiDigit(t[0])) return 1 + (t[0] - '0');
        if (t.size() == 2 && IsAsciiDigit(t[0]) && IsAsciiDigit(t[1])) return 11 + (t[0] - '0') * 10 + (t[1] - '0');
        return std::nullopt;
    }

    const FailureTable& table_;
    std::array<std::uint8_t, kUniverseSize> numbers_;
    std::array<int, 111> shortKeys_ = MakeUnknown();

    static std::array<int, 111> MakeUnknown() {
        std::array<int, 111> slots;
        slots.fill(-1);
        return slots;
    }
};

}  // namespace

std::vector<const ConditionGroup*> BuildFailureTable(const Controls& controls, FailureTable& table) {
    table.clear();
    std::vector<const ConditionGroup*> active;
    for (const ConditionGroup& group : ConditionGroups()) {
        if (group.evaluate == nullptr) continue;
        if (std::optional<NumberSet> passing = group.evaluate(controls)) {
            table.addRow(*passing);
            active.push_back(&group);
        }
    }
    return active;
}

std::string FilterBase(const FailureTable& table, std::string_view baseText, std::string_view tolerance) {
    const ToleranceRange range = ToleranceRange::FromText(tolerance);
    if (baseText.empty()) return table.numbersFailingBetween(range.low, range.high).toText();
    FailureCounter failures(table);
    std::string result;
    ForEachToken(baseText, " ", [&](std::string_view token) {
        if (range.contains(failures(token))) result.append(token).push_back(' ');
    });
    return result;
}

void RunShrink(Controls& controls, FailureTable& table) {
    BuildFailureTable(controls, table);
    std::string result = FilterBase(table, controls.text(ctl::kBaseSet), controls.text(ctl::kTolerance));
    const std::size_t count = CountSetText(result);
    controls.setText(ctl::kResult, std::move(result));
    controls.setText(ctl::kResultCount, CountCaption(count));
}

}  // namespace sanxing
