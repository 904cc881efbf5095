#pragma once
// Start-up steps whose pieces are built elsewhere: the skin and the sound clips. Each is a
// no-op until its piece fills it in; start-up calls them in their place in any case.

class QWidget;

namespace sanxing {

struct ProcessState;

// Start-up step: load the skin library image. A failure is silent; the window keeps its
// default look.
void LoadSkin(ProcessState& state);

// First step of the window's creation handler: attach the loaded skin to the window.
void AttachSkin(ProcessState& state, QWidget& window);

// Last step of the exit routine: unload the skin library.
void ReleaseSkin(ProcessState& state);

// Start-up step: copy the built-in sound clips into the sound-clip table, in order.
void LoadSoundClips(ProcessState& state);

}  // namespace sanxing
