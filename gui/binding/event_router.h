#pragma once
// Routes the widgets' events to the window model: button and check-box clicks, items
// picked in combo boxes, edit boxes gaining and losing focus, timer ticks. Every control
// of those kinds is routed, bound or not, so a handler works the moment it exists.

#include <QObject>
#include <functional>
#include <string_view>

#include "app/window_model.h"

namespace sanxing {

class ControlWidgets;

class EventRouter final : public QObject {
public:
    EventRouter(WindowModel& model, ControlWidgets& widgets, QObject* parent = nullptr);

    // Told of every routed event before its handler runs (tests watch the wiring with it).
    using Tap = std::function<void(std::string_view control, ControlEvent event)>;
    void setTap(Tap tap) { tap_ = std::move(tap); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void route(std::size_t index);
    void dispatch(std::size_t index, ControlEvent event, int item = -1);

    WindowModel& model_;
    ControlWidgets& widgets_;
    Tap tap_;
};

}  // namespace sanxing
