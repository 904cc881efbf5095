#pragma once
// Short Chinese hints on every button, the 反集 boxes and the captions of the condition
// panels: what each does, and its shortcut where it has one.

#include <QString>
#include <string_view>

namespace sanxing {

class ControlWidgets;

// The hint of a control as shown (with its shortcut); empty for a control without one.
QString ToolTipOf(const ControlWidgets& widgets, std::string_view name);

void SetToolTips(ControlWidgets& widgets);

}  // namespace sanxing
