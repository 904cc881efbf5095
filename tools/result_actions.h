#pragma once
// The buttons of the result and base-set areas that check, copy and clear: prize check,
// copy to the clipboard, clear all (after a question) and empty base.

#include "runtime/controls.h"
#include "runtime/platform.h"

namespace sanxing {

// 按钮_兑奖: is the typed draw in the result text? It must be three digits (spaces
// around them ignored); anything else is answered with "请输入三位号码".
void CheckPrize(Controls& controls, Platform& platform);

// 按钮_复制: the result onto the clipboard; nothing at all while it is empty.
void CopyResult(Controls& controls, Platform& platform);

// 按钮_全清: after a Yes, every panel clear action, tolerance "0-0", result and base emptied.
void ClearAll(Controls& controls, Platform& platform);

// 清空大底.
void EmptyBaseSet(Controls& controls);

}  // namespace sanxing
