#pragma once
// The shrink run behind 按钮_缩水: every condition group in run order adds its row to
// the failure table, then the base tokens whose failure count lies in the tolerance
// range of 组合框_容错 become the result.

#include <string>
#include <string_view>
#include <vector>

#include "numbers/failure_table.h"
#include "runtime/controls.h"
#include "shrink/condition_group.h"

namespace sanxing {

// Clears `table` and lets each active condition group add its row. Returns the groups
// behind the rows, in row order.
std::vector<const ConditionGroup*> BuildFailureTable(const Controls& controls, FailureTable& table);

// The surviving base tokens, each followed by one space, in base order. An empty base
// text stands for the whole universe.
std::string FilterBase(const FailureTable& table, std::string_view baseText, std::string_view tolerance);

// The whole run: reads the controls, fills `table`, writes 编辑框_结果 and 标签_缩水结果.
void RunShrink(Controls& controls, FailureTable& table);

}  // namespace sanxing
