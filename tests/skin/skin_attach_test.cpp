#include <gtest/gtest.h>

#include "skin/skin_attach.h"
#include "tests/skin/pe_builder.h"

namespace sanxing {
namespace {

using pe_test::Bytes;
using pe_test::LibraryExporting;

// What the recording SkinH_AttachRes writes: its six arguments and its calls.
struct AttachLog {
    std::uint64_t arguments[6] = {};
    std::int32_t calls = 0;
};
static_assert(offsetof(AttachLog, calls) == 48);

// x86-64, Windows x64 convention (rcx, rdx, r8, r9, then the stack past 32 bytes of
// shadow space):
//   mov rax, log; mov [rax], rcx; mov [rax+8], rdx; mov [rax+16], r8; mov [rax+24], r9;
//   mov r10, [rsp+40]; mov [rax+32], r10; mov r10, [rsp+48]; mov [rax+40], r10;
//   inc dword [rax+48]; ret
Bytes RecordingAttach(AttachLog* log) {
    Bytes code = {0x48, 0xB8, 0,    0,    0,    0,    0,    0,    0,    0,    0x48, 0x89, 0x08, 0x48, 0x89, 0x50,
                  0x08, 0x4C, 0x89, 0x40, 0x10, 0x4C, 0x89, 0x48, 0x18, 0x4C, 0x8B, 0x54, 0x24, 0x28, 0x4C, 0x89,
                  0x50, 0x20, 0x4C, 0x8B, 0x54, 0x24, 0x30, 0x4C, 0x89, 0x50, 0x28, 0xFF, 0x40, 0x30, 0xC3};
    pe_test::Put(code, 2, reinterpret_cast<std::uint64_t>(log), 8);
    return code;
}

class Skin : public ::testing::Test {
protected:
    void attach(std::span<const std::uint8_t> skinData = CarriedSkinData()) {
        AttachSkin(
            module, [this] { ++ownSkin; }, skinData);
    }

    MemoryModule module;
    AttachLog log;
    int ownSkin = 0;
};

TEST_F(Skin, WithoutALibraryTheWindowUsesItsOwnSkin) {
    EXPECT_TRUE(CarriedSkinLibrary().empty());
    LoadSkinLibrary(module);
    EXPECT_EQ(module.baseAddress(), 0u);
    attach();
    EXPECT_EQ(ownSkin, 1);
}

TEST_F(Skin, ARefusedLibraryFallsBackSilently) {
    const Bytes garbage(100, 'M');
    LoadSkinLibrary(module, garbage);
    EXPECT_EQ(module.baseAddress(), 0u);
    attach();
    EXPECT_EQ(ownSkin, 1);
}

TEST_F(Skin, ALibraryWithoutTheExportFallsBack) {
    const Bytes library = LibraryExporting("SkinH_Attach", RecordingAttach(&log));
    LoadSkinLibrary(module, library);
    ASSERT_NE(module.baseAddress(), 0u);
    attach();
    EXPECT_EQ(ownSkin, 1);
    EXPECT_EQ(log.calls, 0);
}

TEST_F(Skin, TheLibraryAttachesWithTheSkinDataAndNoPassword) {
    const Bytes library = LibraryExporting("SkinH_AttachRes", RecordingAttach(&log));
    LoadSkinLibrary(module, library);
    const Bytes skinData = {'.', 'S', 'H', 'E', 1, 2, 3};
    attach(skinData);
    EXPECT_EQ(ownSkin, 0);
    ASSERT_EQ(log.calls, 1);
    EXPECT_EQ(log.arguments[0], reinterpret_cast<std::uint64_t>(skinData.data()));
    // 32-bit arguments: only the low halves are defined.
    EXPECT_EQ(static_cast<std::uint32_t>(log.arguments[1]), skinData.size());
    EXPECT_EQ(log.arguments[2], 0u);
    for (int i = 3; i < 6; ++i) EXPECT_EQ(static_cast<std::uint32_t>(log.arguments[i]), 0u) << i;
}

}  // namespace
}  // namespace sanxing
