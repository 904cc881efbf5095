#include "tools/tolerance_box.h"

#include "numbers/tolerance.h"
#include "window/control_names.h"

namespace sanxing {

void RememberGoodTolerance(const Controls& controls, SessionState& session) {
    const std::string& text = controls.text(ctl::kTolerance);
    if (IsTypedToleranceRange(text)) session.goodTolerance = text;
}

void RestoreToleranceOnLeave(Controls& controls, const SessionState& session) {
    if (!IsTypedToleranceRange(controls.text(ctl::kTolerance)))
        controls.setText(ctl::kTolerance, session.goodTolerance);
}

}  // namespace sanxing
