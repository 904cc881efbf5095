#include "gui/file_menu.h"

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "gui/binding/control_widgets.h"
#include "gui/binding/shortcuts.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

// The key is only shown: the window's own shortcut presses the button wherever the focus
// is, and a second one on the entry would make the key ambiguous.
QString WithShortcutShown(const char* text, std::string_view shortcutOwner) {
    return QString::fromUtf8(text) + QLatin1Char('\t') + ShortcutText(shortcutOwner);
}

}  // namespace

QMenu* AddFileMenu(QMenuBar* bar, ControlWidgets& widgets, QWidget* window) {
    QMenu* menu = bar->addMenu(QStringLiteral("文件(&F)"));
    menu->addAction(WithShortcutShown("打开大底(&O)…", ctl::kOpenBase), widgets.get<QPushButton>(ctl::kOpenBase),
                    &QPushButton::click);
    menu->addAction(WithShortcutShown("保存结果(&S)…", ctl::kSaveResult), widgets.get<QPushButton>(ctl::kSaveResult),
                    &QPushButton::click);
    menu->addSeparator();
    menu->addAction(QStringLiteral("退出(&X)"), window, &QWidget::close)->setShortcuts(ShortcutsOf("退出"));
    return menu;
}

}  // namespace sanxing
