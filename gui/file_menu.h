#pragma once
// The 文件 menu, the first of the bar: 打开大底…, 保存结果… and 退出, each with its
// shortcut shown. The entries press the buttons of the base-set and result columns, so
// a menu and a click run the same handler.

class QMenu;
class QMenuBar;
class QWidget;

namespace sanxing {

class ControlWidgets;

QMenu* AddFileMenu(QMenuBar* bar, ControlWidgets& widgets, QWidget* window);

}  // namespace sanxing
