#include "app/qt/startup_hooks.h"

#include "app/qt/process_state.h"

namespace sanxing {

// HOOK(skin): nothing is loaded, attached or released until the skin is built.
void LoadSkin(ProcessState&) {}
void AttachSkin(ProcessState&, QWidget&) {}
void ReleaseSkin(ProcessState&) {}

// LoadSoundClips is in sound_clips.cpp.

}  // namespace sanxing
