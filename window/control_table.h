#pragma once
// The main window's control table: every named control with its kind, parent, caption or
// initial text, items and initial state. The store, the Qt view, schemes and the command
// line's --controls are all built from it. Its names come from the catalogue
// (window/control_names.h).

#include <string_view>
#include <vector>

#include "runtime/control_row.h"

namespace sanxing {

inline constexpr std::string_view kMainWindow = "主窗口";
inline constexpr std::string_view kWindowTitle = "Tavrel 三星缩水工具 sanxing.example  版本号 3.5版";

const std::vector<ControlRow>& ControlTable();

}  // namespace sanxing
