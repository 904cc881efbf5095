#pragma once
// The start-up step that fills the sound-clip table (sound_clips.cpp).

namespace sanxing {

struct ProcessState;

// Copies the built-in sound clips into the sound-clip table, in order.
void LoadSoundClips(ProcessState& state);

}  // namespace sanxing
