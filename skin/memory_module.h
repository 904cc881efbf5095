#pragma once
// MemoryModule maps a Windows PE DLL image from a byte buffer into executable memory,
// without writing it to disk: it copies headers and sections, applies base relocations,
// resolves imports from the system's shared libraries and calls the DLL entry point. Only
// images of the running process's own machine type (x86-64 PE32+) are loaded, since no
// other code can run here; entry points and exports follow the Windows x64 calling
// convention. Every offset, size and RVA of the image is checked, so a malformed,
// truncated or hostile image is refused, never read or written out of bounds.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "skin/pe_image.h"

namespace sanxing {

// Where load finds imported libraries and functions.
class ImportResolver {
public:
    virtual ~ImportResolver() = default;
    // A handle for the library of that name, null when it cannot be found.
    virtual void* openLibrary(const std::string& name) = 0;
    // The function's address, null when the library lacks it.
    virtual void* findFunction(void* library, const std::string& name) = 0;
    virtual void closeLibrary(void* library) = 0;
};

// The system's dynamic loader (dlopen/dlsym). Only bare library names are opened: a
// name holding "/" (a path) is not found.
ImportResolver& SystemImports();

struct LoadOptions {
    // False maps the image without ever running its code: neither the entry point on
    // load nor its detach call on unload. For tools that only inspect images.
    bool callEntryPoint = true;
    // Must outlive the loaded image (its libraries are closed on unload); null stands
    // for SystemImports().
    ImportResolver* imports = nullptr;
};

class MemoryModule {
public:
    MemoryModule() = default;
    ~MemoryModule() { unload(); }
    // One object owns one mapped block; a copy would unload it twice.
    MemoryModule(const MemoryModule&) = delete;
    MemoryModule& operator=(const MemoryModule&) = delete;

    // Maps the image, replacing (unloading) whatever was loaded. False, with nothing
    // loaded and nothing left allocated, when the image is refused or a step fails.
    bool load(std::span<const std::uint8_t> image, const LoadOptions& options = {});
    // Calls the entry point for process detach, releases the block and the imported
    // libraries. True; nothing to do when nothing is loaded.
    bool unload();
    // The address of an export, by name or, when the name is a decimal number, by
    // ordinal; null when not found or nothing is loaded.
    void* findExport(std::string_view name) const;
    // The block's address; 0 while nothing is loaded.
    std::uintptr_t baseAddress() const { return reinterpret_cast<std::uintptr_t>(block_); }

private:
    void* functionAt(const pe::ByteView& view, std::uint32_t table, std::uint64_t index, std::uint32_t count) const;
    void release();

    std::uint8_t* block_ = nullptr;
    std::size_t size_ = 0;
    pe::DataDirectory exports_;
    bool attached_ = false;  // the entry point was called for process attach
    std::uint32_t entryPoint_ = 0;
    ImportResolver* imports_ = nullptr;
    std::vector<void*> libraries_;
};

}  // namespace sanxing
