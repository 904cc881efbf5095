#pragma once
// 容错 as the user types into it: a text that is not a range a-b (0 ≤ a ≤ b ≤ 64) is
// shown in red with a tooltip that says what the box takes; leaving the box puts the
// last good range back (a handler of the window model does that).

class QComboBox;

namespace sanxing {

inline constexpr const char* kBadToleranceTip =
    "容错应写成 a-b（0 ≤ a ≤ b ≤ 64），例如 0-2；离开此框时恢复为上一个正确的范围";

void GuardToleranceBox(QComboBox* box);

}  // namespace sanxing
