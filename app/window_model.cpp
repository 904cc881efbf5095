#include "app/window_model.h"

#include "app/bindings.h"
#include "app/control_table.h"

namespace sanxing {

WindowModel::WindowModel(Platform& platform) : platform_(platform), controls_(ControlTable()) {}

void WindowModel::click(std::string_view name) {
    if (controls_.spec(name).kind == ControlKind::CheckBox) controls_.setTicked(name, !controls_.ticked(name));
    fire(name, ControlEvent::Click);
}

void WindowModel::selectItem(std::string_view name, int index) {
    controls_.select(name, index);
    fire(name, ControlEvent::ItemSelected);
}

bool WindowModel::fire(std::string_view name, ControlEvent event) {
    controls_.spec(name);  // an unknown name fails here, bound or not
    const Handler handler = FindHandler(name, event);
    if (handler == nullptr) return false;
    handler(*this);
    return true;
}

void WindowModel::created() {
    // Start-up handler: skin attach, first draw-list load and announcement page are
    // added here as those pieces are built.
}

ReportRows WindowModel::reportRows(std::string_view name) const {
    if (name != "列表框_容错") return controls_.rows(name);
    ReportRows rows;
    for (std::size_t i = 0; i < failures_.rowCount(); ++i) rows.push_back({failures_.rowText(i)});
    return rows;
}

}  // namespace sanxing
