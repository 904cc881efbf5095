#pragma once
// The condition groups of a shrink run, as one table in run order. A group reads its own
// controls and, when active, returns its pass set over the whole universe; an inactive
// group returns nothing. Whatever lists, counts or runs groups walks this table.

#include <optional>
#include <span>
#include <string_view>

#include "numbers/number_set.h"
#include "runtime/controls.h"

namespace sanxing {

using GroupFunction = std::optional<NumberSet> (*)(const Controls& controls);

struct ConditionGroup {
    int row;                   // position in the run order, 1..54
    std::string_view name;     // what the group filters by
    std::string_view caption;  // the group's name as its panel shows it, for the user
    GroupFunction evaluate;
};

std::span<const ConditionGroup> ConditionGroups();

}  // namespace sanxing
