#pragma once
// 容错 takes one of its items or a typed range. The last range it held that a user can
// mean is kept; a text that is not one goes back to it when the box loses the focus, so
// that 缩水 and the back-test never run on a slip of the keyboard.

#include "runtime/controls.h"
#include "runtime/session_state.h"

namespace sanxing {

// Called whenever 容错 changes: keeps its text if it is a good range.
void RememberGoodTolerance(const Controls& controls, SessionState& session);
void RestoreToleranceOnLeave(Controls& controls, const SessionState& session);

}  // namespace sanxing
