#include "app/qt/startup_hooks.h"

#include "app/qt/process_state.h"

namespace sanxing {

// HOOK(skin): nothing is loaded, attached or released until the skin is built.
void LoadSkin(ProcessState&) {}
void AttachSkin(ProcessState&, QWidget&) {}
void ReleaseSkin(ProcessState&) {}

// HOOK(sound): the program carries no sound clips until the draw announcements are built.
void LoadSoundClips(ProcessState&) {}

}  // namespace sanxing
