#include "app/window_model.h"

#include "tools/tolerance_box.h"
#include "window/control_names.h"
#include "window/control_table.h"

namespace sanxing {

WindowModel::WindowModel(Platform& platform)
    : platform_(platform),
      controls_(ControlTable()),
      drawList_(controls_, platform, session_, drawHosts_),
      historyUpdater_(controls_, platform, drawHosts_, drawList_),
      announcement_(platform) {
    const std::size_t tolerance = controls_.indexOf(ctl::kTolerance);
    controls_.addObserver([this, tolerance](std::size_t index) {
        if (index == tolerance) RememberGoodTolerance(controls_, session_);
    });
}

WindowModel::~WindowModel() { shutdown(); }

void WindowModel::click(std::string_view name) {
    if (controls_.spec(name).kind == ControlKind::CheckBox) controls_.setTicked(name, !controls_.ticked(name));
    fire(name, ControlEvent::Click);
}

void WindowModel::selectItem(std::string_view name, int index) {
    controls_.select(name, index);
    fire(name, ControlEvent::ItemSelected);
}

void WindowModel::created() {
    // The skin is attached by the view before this runs.
    drawList_.reload();
    const std::string address = AnnouncementAddress(drawHosts_);
    if (!address.empty()) controls_.setText(ctl::kAdPage, address);
    announcement_.load(address);
}

void WindowModel::shutdown() {
    // All are cancelled first, so that their waits overlap.
    drawList_.close();
    historyUpdater_.close();
    announcement_.close();
    drawList_.shutdown();
    historyUpdater_.shutdown();
    announcement_.shutdown();
}

ReportRows WindowModel::reportRows(std::string_view name) const {
    if (name != ctl::kFailureList) return controls_.rows(name);
    ReportRows rows;
    for (std::size_t i = 0; i < failures_.rowCount(); ++i) rows.push_back({failures_.rowText(i)});
    return rows;
}

}  // namespace sanxing
