#pragma once
// The 帮助 menu: 使用说明 (F1: the help window, help/help_window.h) and 关于 (version,
// licence, Qt version, where the stored files live).

#include <QString>

class QMenuBar;
class QWidget;

namespace sanxing {

// The licence the program is distributed under, as 关于 names it.
inline constexpr const char* kLicence = "MIT 许可证";

// The text of the 关于 box.
QString AboutText();

// Adds the menu as the last one of `bar`; the dialogs open over `window`.
void AddHelpMenu(QMenuBar* bar, QWidget* window);

// The 关于 box, not yet shown.
QWidget* MakeAboutBox(QWidget* window);

}  // namespace sanxing
