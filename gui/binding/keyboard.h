#pragma once
// The window as a keyboard user meets it: Tab and Shift+Tab walk the controls in the
// order the layout shows them (a multi-line box never takes a Tab as text), a tab
// character that comes in by paste or file is shown, Enter presses the focused button,
// Enter in 编辑框_兑奖号码 runs the prize check, and the arrow keys walk along and between
// the rows of check boxes of a panel.

#include <vector>

class QWidget;

namespace sanxing {

class ControlWidgets;

// The widgets under `root` that Tab reaches, in layout order: rows left to right, rows
// and layout items top to bottom, every tab page in turn.
std::vector<QWidget*> LayoutFocusOrder(QWidget* root);

// Sets the focus chain to LayoutFocusOrder(root) and the key handling described above.
void SetUpKeyboard(ControlWidgets& widgets, QWidget* root);

}  // namespace sanxing
