#pragma once
// Quick selectors of the condition panels: the positional road selectors, the banker
// selectors and invert buttons, and the pair-code pickers that append to edit boxes.
// Each takes the name of the control whose event it handles.

#include <string_view>

#include "runtime/controls.h"

namespace sanxing {

// 组合框_百位 / 十位 / 个位, item selected: 全部 ticks all ten digit boxes, 反选 inverts
// them, a digit class unticks the digits outside it (boxes inside keep their state).
void SelectPositionDigits(Controls& controls, std::string_view selector);

// 组合框_胆码1 / 2 / 3, item selected: the group's clear action, then for a digit class
// the class's digits ticked.
void SelectBankerDigits(Controls& controls, std::string_view selector);

// 按钮_胆1反选 / 2 / 3: invert the group's ten digit boxes (not its 出 boxes).
void InvertBankerDigits(Controls& controls, std::string_view button);

// The nine pair pickers, item selected: the item is appended to the paired edit box.
void PickPairCode(Controls& controls, std::string_view picker);

}  // namespace sanxing
