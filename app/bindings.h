#pragma once
// The event bindings of the main window: which handler runs for which event of which control.

#include <span>
#include <string_view>

#include "app/window_model.h"

namespace sanxing {

using Handler = void (*)(WindowModel& window);

struct EventBinding {
    std::string_view control;
    ControlEvent event;
    Handler handler;
};

std::span<const EventBinding> EventBindings();

// The handler bound to an event, or null.
Handler FindHandler(std::string_view control, ControlEvent event);

}  // namespace sanxing
