#include "gui/binding/event_router.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <exception>
#include <system_error>

#include "gui/binding/control_widgets.h"
#include "gui/binding/table_combo_box.h"
#include "runtime/system_error_text.h"

namespace sanxing {

namespace {

// A system error (a file operation that threw) in Chinese; anything else as it says.
std::string FailureText(const std::exception& failure) {
    const auto* system = dynamic_cast<const std::system_error*>(&failure);
    const bool errnoValue = system != nullptr && (system->code().category() == std::generic_category() ||
                                                  system->code().category() == std::system_category());
    return errnoValue ? SystemErrorText(system->code().value()) : failure.what();
}

}  // namespace

EventRouter::EventRouter(WindowModel& model, ControlWidgets& widgets, QObject* parent)
    : QObject(parent), model_(model), widgets_(widgets) {
    for (std::size_t i = 0; i < widgets.size(); ++i) route(i);
}

void EventRouter::route(std::size_t index) {
    QObject* object = widgets_.object(index);
    if (auto* button = qobject_cast<QPushButton*>(object)) {
        connect(button, &QPushButton::clicked, this, [this, index] { dispatch(index, ControlEvent::Click); });
    } else if (auto* check = qobject_cast<QCheckBox*>(object)) {
        connect(check, &QCheckBox::clicked, this, [this, index] { dispatch(index, ControlEvent::Click); });
    } else if (auto* combo = qobject_cast<TableComboBox*>(object)) {
        connect(combo, &QComboBox::activated, this,
                [this, index](int item) { dispatch(index, ControlEvent::ItemSelected, item); });
        if (combo->isEditable()) combo->installEventFilter(this);
    } else if (qobject_cast<QLineEdit*>(object) != nullptr || qobject_cast<QPlainTextEdit*>(object) != nullptr) {
        object->installEventFilter(this);
    } else if (auto* timer = qobject_cast<QTimer*>(object)) {
        connect(timer, &QTimer::timeout, this, [this, index] { dispatch(index, ControlEvent::Tick); });
    }
}

bool EventRouter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut) return false;
    if (auto* combo = qobject_cast<TableComboBox*>(watched)) {
        // A typed combo box is left when the focus goes anywhere but its own list, a menu
        // included: what the menu opens must see the text the box goes back to.
        if (event->type() == QEvent::FocusOut && !combo->view()->isVisible()) {
            dispatch(widgets_.store().indexOf(watched->objectName().toStdString()), ControlEvent::FocusOut);
        }
        return false;
    }
    // A context menu takes the focus only for a moment; the box keeps it for the user.
    if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason) return false;
    const std::size_t index = widgets_.store().indexOf(watched->objectName().toStdString());
    dispatch(index, event->type() == QEvent::FocusIn ? ControlEvent::FocusIn : ControlEvent::FocusOut);
    return false;
}

void EventRouter::dispatch(std::size_t index, ControlEvent event, int item) {
    const ControlRow& spec = widgets_.store().table()[index];
    try {
        if (tap_) tap_(spec.name, event);
        switch (event) {
            case ControlEvent::Click:
                // A check box has already toggled itself and the mirror has stored it:
                // only its handler is left to run.
                if (spec.kind == ControlKind::CheckBox) {
                    model_.fire(spec.name, event);
                } else {
                    model_.click(spec.name);
                }
                break;
            case ControlEvent::ItemSelected: model_.selectItem(spec.name, item); break;
            case ControlEvent::FocusIn: model_.focusIn(spec.name); break;
            case ControlEvent::FocusOut: model_.focusOut(spec.name); break;
            case ControlEvent::Tick: model_.tick(spec.name); break;
        }
    } catch (const std::exception& failure) {
        // An exception must not cross the event loop; the user hears of it instead.
        model_.platform().messageBox("操作失败：" + FailureText(failure), "sanxing", MessageIcon::Error,
                                     MessageButtons::Ok);
    }
}

}  // namespace sanxing
