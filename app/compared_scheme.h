#pragma once
// A saved scheme tried beside the current conditions (历史验证's 对比方案, sanxing-cli
// --compare): the window's controls are copied, the scheme is applied to the copy as the
// 方案 menu applies it to the window, and the conditions are read from the copy. The
// window's controls never change.

#include <nlohmann/json.hpp>

#include "analysis/conditions.h"
#include "runtime/control_store.h"

namespace sanxing {

// Up to this many schemes are compared with the current conditions in the dialog.
inline constexpr int kMaxComparedSchemes = 4;

// `scheme` as CheckConditionScheme gives it.
analysis::Conditions ConditionsWithScheme(const ControlStore& current, const nlohmann::json& scheme);

}  // namespace sanxing
