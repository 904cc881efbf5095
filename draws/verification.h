#pragma once
// Verifying draws against the shrink result, and the verification report that
// 按钮_复制验证数据 puts on the clipboard.

#include <string>
#include <string_view>

#include "runtime/controls.h"
#include "runtime/platform.h"

namespace sanxing {

// The three digits of a draw number that the verification window picks: window 0 the
// front three (digits 1-3), 1 the middle three (2-4), 2 the back three (3-5). Any other
// window (nothing selected) counts as the front three. A three-digit number (福彩3D,
// 排列三) is looked up whole, whatever the window; other short numbers give what is there.
std::string DrawSegment(std::string_view number, int window);

// The verification window chosen in 组合框_验证.
int VerificationWindow(const Controls& controls);

// Marks row 0 of the draw list: the text of 编辑框_对 when its segment occurs anywhere in
// 编辑框_结果, else the text of 编辑框_错. An empty list is left alone.
void MarkNewestDraw(Controls& controls);

// The suffix of the next issue after `issue`: its integer value plus one, last three
// digits, wrapped past 120 ("120" stays, "121" becomes "001") for the time-based kinds;
// the daily lotteries (wrapPast120 false) count on.
std::string NextIssueSuffix(std::string_view issue, bool wrapPast120 = true);

// The verification report of the marked rows among the first n (组合框_显示), oldest first.
std::string VerificationReport(const Controls& controls);

// The click of 按钮_复制验证数据: the report on the clipboard, then "复制成功！".
void CopyVerificationData(Controls& controls, Platform& platform);

}  // namespace sanxing
