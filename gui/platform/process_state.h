#pragma once
// The process-wide state that lives from start-up to the exit routine, outside the
// controls of the window.

#include <cstdint>
#include <vector>

#include "runtime/session_state.h"

namespace sanxing {

struct ProcessState {
    // The remembered save directory and the last draw numbers seen and announced; they
    // live with the window model, which start-up points this at.
    SessionState* session = nullptr;
    // The built-in sound clips (complete WAV files), in the order the draw list plays them.
    std::vector<std::vector<std::uint8_t>> soundClips;
};

// The exit routine: releases the session values and the sound clips.
void ReleaseProcessState(ProcessState& state);

}  // namespace sanxing
