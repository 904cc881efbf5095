#pragma once
// The window's skin. When the program carries a skin library image, start-up maps it
// into a MemoryModule and the window's creation handler calls its SkinH_AttachRes with
// the carried skin data; otherwise the window draws itself with its own skin (the style
// sheet). Every failure is silent: the window then keeps the look it has.

#include <cstdint>
#include <functional>
#include <span>

#include "skin/memory_module.h"

namespace sanxing {

// The skin library image and its skin data that the program carries: none.
std::span<const std::uint8_t> CarriedSkinLibrary();
std::span<const std::uint8_t> CarriedSkinData();

// Start-up: maps the image into module when there is one. A refused image leaves the
// module empty.
void LoadSkinLibrary(MemoryModule& module, std::span<const std::uint8_t> image = CarriedSkinLibrary());

// The attach step, first in the window's creation handler: calls the library's
// SkinH_AttachRes(skin data, its size, no password, 0, 0, 0) when the loaded module
// exports it, its result ignored; otherwise runs applyOwnSkin.
void AttachSkin(const MemoryModule& module, const std::function<void()>& applyOwnSkin,
                std::span<const std::uint8_t> skinData = CarriedSkinData());

}  // namespace sanxing
