#pragma once
// Every keyboard shortcut of the window in one table: the buttons they press and the
// menu entries they choose, each named by its control or entry.

#include <QKeySequence>
#include <QList>
#include <QString>
#include <string_view>

class QWidget;

namespace sanxing {

class ControlWidgets;

// The shortcuts of a button (by control name) or a menu entry ("打开方案", "保存方案",
// "退出", "使用说明"); empty when it has none.
QList<QKeySequence> ShortcutsOf(std::string_view name);

// The first shortcut as the user reads it ("Ctrl+O"); empty when there is none.
QString ShortcutText(std::string_view name);

// Makes the buttons' shortcuts work anywhere in `window`: each presses its button.
void AddButtonShortcuts(QWidget* window, ControlWidgets& widgets);

}  // namespace sanxing
