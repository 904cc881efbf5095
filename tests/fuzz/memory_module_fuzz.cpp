// Fuzzes MemoryModule::load and findExport. Input: one byte whose low five bits give the
// length of an export name, that name, then the image.
//
// Fuzzed images never run: load is told not to call the entry point (which also skips
// the detach call on unload), exports that are found are never called, and imports
// resolve to a stand-in function through a resolver that opens no real library.

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>

#include "skin/memory_module.h"

namespace {

void StandIn() {}

class StandInImports final : public sanxing::ImportResolver {
public:
    void* openLibrary(const std::string& name) override {
        return name == "libc.so.6" || name == "KERNEL32.dll" ? this : nullptr;
    }
    void* findFunction(void*, const std::string& name) override {
        return name.empty() || name == "missing" ? nullptr : reinterpret_cast<void*>(&StandIn);
    }
    void closeLibrary(void*) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static StandInImports imports;
    const std::size_t nameLength = std::min<std::size_t>(data[0] & 31, size - 1);
    const std::string_view name(reinterpret_cast<const char*>(data + 1), nameLength);
    const std::span<const std::uint8_t> image(data + 1 + nameLength, size - 1 - nameLength);

    sanxing::MemoryModule module;
    if (module.load(image, {.callEntryPoint = false, .imports = &imports})) {
        module.findExport(name);
        module.findExport("SkinH_AttachRes");
    }
    return 0;
}
