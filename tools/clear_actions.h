#pragma once
// The clear actions of the condition panels, one table by name. Each is bound to the
// click of the control of the same name; the three positional "全部" actions are named
// after their selector ("组合框_百位/全部") and also run when it selects 全部. Clear all
// runs them by name in ClearAllOrder().

#include <span>
#include <string_view>

#include "runtime/controls.h"

namespace sanxing {

using ClearFunction = void (*)(Controls& controls);

struct ClearAction {
    std::string_view name;
    ClearFunction run;
};

std::span<const ClearAction> ClearActions();

// The actions bound to the click of the button of the same name: all but the selectors'.
std::span<const ClearAction> ClearButtonActions();

// Runs the clear action of that name; throws std::out_of_range for an unknown name.
void RunClearAction(Controls& controls, std::string_view name);

// The actions clear all runs, in its order (two of them run twice).
std::span<const std::string_view> ClearAllOrder();

}  // namespace sanxing
