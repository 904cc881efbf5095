#pragma once
// The two buttons that move number sets between the window and text files: 打开大底
// loads the numbers of a file into the base set, 按钮_保存 writes the result with a count
// footer. Files are GBK text.

#include <string>
#include <string_view>

#include "runtime/controls.h"
#include "runtime/platform.h"
#include "runtime/session_state.h"

namespace sanxing {

// Filter shared by the open and the save dialog.
inline constexpr std::string_view kBaseFileFilter = "文本文档(*.txt)|*.txt|文本文档(*.ini)|*.ini|所有文件(*.*)|*.*";

// Click of 打开大底.
void OpenBaseFile(Controls& controls, Platform& platform, SessionState& session);

// Click of 按钮_保存. A save that cannot be written says why and leaves an earlier file
// and the remembered folder as they were.
void SaveResultFile(Controls& controls, Platform& platform, SessionState& session);

// The file name the save dialog offers, from the newest period number of the draw list:
// the next period, rolled over to the next date after draw 120, then "期大底结果".
std::string OfferedFileName(std::string_view newestPeriod);

// The saved text (UTF-8): the result, "\r\n\r\n保存：总注数：", its count and "注".
std::string SavedFileText(std::string_view result);

}  // namespace sanxing
