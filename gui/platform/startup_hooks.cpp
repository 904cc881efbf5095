#include "gui/platform/startup_hooks.h"

#include "gui/platform/process_state.h"
#include "gui/style/skin.h"
#include "skin/skin_attach.h"

namespace sanxing {

// The skin library is loaded only when the program carries one; without it the window
// puts on its own style sheet. Every failure leaves the default look, silently.
void LoadSkin(ProcessState& state) { LoadSkinLibrary(state.skin); }
void AttachSkin(ProcessState& state, QWidget& window) {
    AttachSkin(state.skin, [&window] { ApplyOwnSkin(window); });
}
void ReleaseSkin(ProcessState& state) { state.skin.unload(); }

// LoadSoundClips is in sound_clips.cpp.

}  // namespace sanxing
