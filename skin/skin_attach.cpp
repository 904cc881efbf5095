#include "skin/skin_attach.h"

#include <climits>

namespace sanxing {

namespace {

#if defined(__x86_64__)
// Standard-call on 32-bit Windows; on x64 the one Windows x64 convention, pointers
// 64 bits wide.
using AttachRes = int(__attribute__((ms_abi)) *)(const void* data, int size, const char* password, int, int, int);
#else
using AttachRes = int (*)(const void* data, int size, const char* password, int, int, int);
#endif

}  // namespace

std::span<const std::uint8_t> CarriedSkinLibrary() { return {}; }
std::span<const std::uint8_t> CarriedSkinData() { return {}; }

void LoadSkinLibrary(MemoryModule& module, std::span<const std::uint8_t> image) {
    if (!image.empty()) module.load(image);
}

void AttachSkin(const MemoryModule& module, const std::function<void()>& applyOwnSkin,
                std::span<const std::uint8_t> skinData) {
    void* attach = module.findExport("SkinH_AttachRes");
    if (attach == nullptr || skinData.size() > INT_MAX) {
        if (applyOwnSkin) applyOwnSkin();
        return;
    }
    reinterpret_cast<AttachRes>(attach)(skinData.data(), static_cast<int>(skinData.size()), nullptr, 0, 0, 0);
}

}  // namespace sanxing
