#include "gui/binding/shortcuts.h"

#include <QAction>
#include <QPushButton>
#include <QWidget>

#include "gui/binding/control_widgets.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

struct ShortcutRow {
    std::string_view name;
    const char* keys;
};

// Ctrl+Return and the keypad's Ctrl+Enter both run the shrink.
constexpr ShortcutRow kShortcuts[] = {
    {ctl::kOpenBase, "Ctrl+O"},   {ctl::kSaveResult, "Ctrl+S"}, {ctl::kShrink, "Ctrl+Return"},
    {ctl::kShrink, "Ctrl+Enter"}, {"打开方案", "Ctrl+Shift+O"}, {"保存方案", "Ctrl+Shift+S"},
    {"退出", "Ctrl+Q"},           {"使用说明", "F1"},
};

}  // namespace

QList<QKeySequence> ShortcutsOf(std::string_view name) {
    QList<QKeySequence> keys;
    for (const ShortcutRow& row : kShortcuts) {
        if (row.name == name) keys << QKeySequence(QString::fromLatin1(row.keys));
    }
    return keys;
}

QString ShortcutText(std::string_view name) {
    const QList<QKeySequence> keys = ShortcutsOf(name);
    return keys.isEmpty() ? QString() : keys.front().toString(QKeySequence::NativeText);
}

void AddButtonShortcuts(QWidget* window, ControlWidgets& widgets) {
    for (const ShortcutRow& row : kShortcuts) {
        if (!widgets.store().has(row.name)) continue;
        auto* button = widgets.get<QPushButton>(row.name);
        auto* action = new QAction(window);
        action->setShortcut(QKeySequence(QString::fromLatin1(row.keys)));
        // The button takes the focus first, as a mouse click gives it: the box being left
        // does what leaving does (容错 goes back to a good range) before the button runs.
        QObject::connect(action, &QAction::triggered, button, [button] {
            button->setFocus(Qt::ShortcutFocusReason);
            button->click();
        });
        window->addAction(action);
    }
}

}  // namespace sanxing
