#include "gui/platform/process_state.h"

namespace sanxing {

void ReleaseProcessState(ProcessState& state) {
    if (state.session != nullptr) {
        state.session->saveDirectory.clear();
        state.session->saveDirectory.shrink_to_fit();
    }
    state.soundClips.clear();
    state.soundClips.shrink_to_fit();
    if (state.session != nullptr) {
        state.session->lastDrawNumber.clear();
        state.session->handledDrawNumber.clear();
        state.session = nullptr;
    }
}

}  // namespace sanxing
