#pragma once
// Set arithmetic on the number-set texts of the window: the canonical rewrite of the base
// set and the junk base, complements, and the A/B operations into the result box.
//
// A number is in a text when its three digits occur there side by side, anywhere; the
// outputs are set texts (each number followed by one space).

#include "runtime/controls.h"

namespace sanxing {

// 编辑框_大底 / 编辑框_垃圾大底 lose the focus: rewrite to ascending numbers.
void RewriteBaseSet(Controls& controls);
void RewriteJunkBase(Controls& controls);

// 到大底框: the result becomes the base set, rewritten.
void MoveResultToBase(Controls& controls);

// 大底_反集 / 选择框_反集: the universe numbers not in the box (their tick is not read).
void ComplementBaseSet(Controls& controls);
void ComplementResult(Controls& controls);

// AB合并 / AB交集: universe order; nothing happens while A or B is empty.
void UniteAB(Controls& controls);
void IntersectAB(Controls& controls);

// A排除B / B排除A: the first box's tokens in its own order, repeats and odd tokens kept,
// that the other box does not contain.
void SubtractBFromA(Controls& controls);
void SubtractAFromB(Controls& controls);

// AB全清.
void ClearAB(Controls& controls);

}  // namespace sanxing
