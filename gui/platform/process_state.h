#pragma once
// The process-wide state that lives from start-up to the exit routine, outside the
// controls of the window.

#include <cstdint>
#include <vector>

#include "runtime/session_state.h"
#include "skin/memory_module.h"

namespace sanxing {

struct ProcessState {
    // The remembered save directory and the last draw numbers seen and announced; they
    // live with the window model, which start-up points this at.
    SessionState* session = nullptr;
    // The built-in sound clips (complete WAV files), in the order the draw list plays them.
    std::vector<std::vector<std::uint8_t>> soundClips;
    // The skin library, when the program carries one; nothing loaded otherwise.
    MemoryModule skin;
};

// The exit routine: releases the session values, the sound clips and finally the skin.
void ReleaseProcessState(ProcessState& state);

}  // namespace sanxing
