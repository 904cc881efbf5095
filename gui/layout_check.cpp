#include "gui/layout_check.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>

#include "gui/binding/control_widgets.h"
#include "gui/main_window.h"

namespace sanxing {

namespace {

std::string Describe(const QWidget* widget) { return widget->objectName().toStdString(); }

std::string SizeText(QSize size) { return std::to_string(size.width()) + "x" + std::to_string(size.height()); }

// The size the widget's text needs.
QSize NeededSize(const QWidget* widget) {
    if (auto* label = qobject_cast<const QLabel*>(widget)) {
        if (label->wordWrap()) return {label->minimumSizeHint().width(), label->heightForWidth(label->width())};
        return label->sizeHint();
    }
    if (qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QComboBox*>(widget)) {
        return widget->sizeHint();
    }
    return widget->minimumSizeHint();
}

void CheckWidget(const QWidget* widget, std::vector<std::string>& problems) {
    const QSize needed = NeededSize(widget);
    if (widget->width() < needed.width() || widget->height() < needed.height()) {
        problems.push_back(Describe(widget) + " is " + SizeText(widget->size()) + ", needs " + SizeText(needed));
    }
    const QRect shown = widget->visibleRegion().boundingRect();
    if (shown != widget->rect()) {
        problems.push_back(Describe(widget) + " shows only " + SizeText(shown.size()) + " of " +
                           SizeText(widget->size()));
    }
}

}  // namespace

std::vector<std::string> LayoutProblems(MainWindow& window) {
    std::vector<std::string> problems;
    ControlWidgets& widgets = window.widgets();
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        auto* widget = qobject_cast<QWidget*>(widgets.object(i));
        if (widget == nullptr || widget == &window || !widget->isVisible()) continue;
        CheckWidget(widget, problems);
    }
    return problems;
}

}  // namespace sanxing
