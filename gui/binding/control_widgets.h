#pragma once
// The Qt objects of the window's controls: one per row of the control table, created
// from the row's kind and caption, found by control name. The failure table (a data
// table that is never drawn) and the file dialogs (created when asked for) have none.
//
// The region builders take each widget once into a layout; `unplaced()` lists the
// widgets that no builder took, which a finished window must not have.

#include <QObject>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/control_store.h"

class QWidget;

namespace sanxing {

inline constexpr std::string_view kFailureTableName = "列表框_容错";

class ControlWidgets {
public:
    // `window` stands for the main window's own row and parents every other widget until
    // a layout takes it.
    ControlWidgets(const ControlStore& store, QWidget* window);

    const ControlStore& store() const { return store_; }
    std::size_t size() const { return objects_.size(); }

    // Null when the control has no Qt object.
    QObject* object(std::size_t index) const { return objects_.at(index); }
    QObject* object(std::string_view name) const { return objects_[store_.indexOf(name)]; }

    // The widget of a control, of the expected class; throws std::logic_error otherwise.
    template <class T = QWidget>
    T* get(std::string_view name) const {
        T* typed = qobject_cast<T*>(object(name));
        if (typed == nullptr) throw std::logic_error("control has no widget of that class: " + std::string(name));
        return typed;
    }

    // The widget for a layout; marks it placed.
    QWidget* take(std::string_view name);
    std::vector<std::string> unplaced() const;

private:
    const ControlStore& store_;
    std::vector<QObject*> objects_;
    std::set<std::size_t> placed_;
};

// Whether a control of this row is drawn as a widget of its own.
bool HasWidget(const ControlRow& spec);

}  // namespace sanxing
