#include "skin/memory_module.h"

#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>

#include <charconv>
#include <cstring>
#include <optional>

namespace sanxing {

namespace {

#if defined(__x86_64__)
constexpr std::uint16_t kHostMachine = pe::kMachineAmd64;
// DllMain(module, reason, reserved) in the Windows x64 calling convention.
using DllEntry = int(__attribute__((ms_abi)) *)(void*, std::uint32_t, void*);
#else
constexpr std::uint16_t kHostMachine = 0;  // no PE code can run on this host
using DllEntry = int (*)(void*, std::uint32_t, void*);
#endif

constexpr std::uint32_t kProcessDetach = 0;
constexpr std::uint32_t kProcessAttach = 1;

// Relocation kinds (the top four bits of an entry).
constexpr int kRelocationAbsolute = 0;  // padding, nothing to do
constexpr int kRelocationHighLow = 3;   // 32-bit address
constexpr int kRelocationDir64 = 10;    // 64-bit address

constexpr std::uint64_t kRelocationBlockHeader = 8;
constexpr std::uint64_t kImportDescriptorSize = 20;
constexpr std::uint64_t kThunkSize = 8;
constexpr std::uint64_t kOrdinalFlag = 1ull << 63;
constexpr std::uint64_t kExportDirectorySize = 40;

class DynamicLoader final : public ImportResolver {
public:
    void* openLibrary(const std::string& name) override {
        if (name.empty() || name.find('/') != std::string::npos) return nullptr;
        return dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    }
    void* findFunction(void* library, const std::string& name) override { return dlsym(library, name.c_str()); }
    void closeLibrary(void* library) override { dlclose(library); }
};

// The block itself, writable; every write is checked like every read.
struct Block {
    std::uint8_t* data;
    std::size_t size;

    pe::ByteView view() const { return {data, size}; }
    template <typename T>
    bool put(std::uint64_t offset, T value) const {
        if (!pe::Fits(offset, sizeof value, size)) return false;
        std::memcpy(data + offset, &value, sizeof value);
        return true;
    }
};

bool Runnable(const pe::Headers& headers) {
    return headers.machine == kHostMachine && headers.magic == pe::kMagicPe32Plus;
}

bool HasEntryPoint(const pe::Headers& headers) { return headers.isDll() && headers.entryPoint != 0; }

// Read, write and execute access at the preferred base when that range is free (never
// over an existing mapping), else anywhere. Null when both fail.
std::uint8_t* MapBlock(std::uint64_t preferred, std::size_t size) {
    constexpr int kAccess = PROT_READ | PROT_WRITE | PROT_EXEC;
    constexpr int kFlags = MAP_PRIVATE | MAP_ANONYMOUS;
    const auto page = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    if (preferred != 0 && preferred % page == 0 && preferred <= UINTPTR_MAX) {
        // A kernel that predates MAP_FIXED_NOREPLACE takes the address as a hint and
        // maps elsewhere, which is as good as "anywhere".
        void* at = mmap(reinterpret_cast<void*>(preferred), size, kAccess, kFlags | MAP_FIXED_NOREPLACE, -1, 0);
        if (at != MAP_FAILED) return static_cast<std::uint8_t*>(at);
    }
    void* at = mmap(nullptr, size, kAccess, kFlags, -1, 0);
    return at == MAP_FAILED ? nullptr : static_cast<std::uint8_t*>(at);
}

// Sizes and offsets were checked by pe::MappedSize.
void CopyImage(const Block& block, std::span<const std::uint8_t> image, const pe::Headers& headers) {
    std::memcpy(block.data, image.data(), headers.headersSize);
    for (const pe::Section& section : headers.sections) {
        if (!section.hasRawData()) continue;
        std::memcpy(block.data + section.virtualAddress, image.data() + section.rawOffset, section.rawSize);
    }
}

bool ApplyRelocation(const Block& block, std::uint32_t page, std::uint16_t entry, std::uint64_t delta) {
    const std::uint64_t target = page + std::uint64_t{entry & 0x0FFFu};
    switch (entry >> 12) {
        case kRelocationAbsolute: return true;
        case kRelocationHighLow: return block.put(target, static_cast<std::uint32_t>(block.view().u32(target) + delta));
        case kRelocationDir64: return block.put(target, block.view().u64(target) + delta);
        default: return false;
    }
}

// Walks every relocation block, also when the image sits at its preferred base, so that
// an image is accepted or refused wherever it lands. An all-zero block header ends the
// table early; any other block shorter than its header is malformed.
bool ApplyRelocations(const Block& block, pe::DataDirectory directory, std::uint64_t delta) {
    if (directory.empty()) return true;
    const pe::ByteView view = block.view();
    if (!view.contains(directory.rva, directory.size)) return false;
    const std::uint64_t end = std::uint64_t{directory.rva} + directory.size;
    for (std::uint64_t at = directory.rva; end - at >= kRelocationBlockHeader;) {
        const std::uint32_t page = view.u32(at);
        const std::uint32_t blockSize = view.u32(at + 4);
        if (page == 0 && blockSize == 0) break;
        if (blockSize < kRelocationBlockHeader || blockSize > end - at) return false;
        for (std::uint64_t entry = at + kRelocationBlockHeader; entry + 2 <= at + blockSize; entry += 2) {
            if (!ApplyRelocation(block, page, view.u16(entry), delta)) return false;
        }
        at += blockSize;
    }
    return true;
}

// One library's thunks: each lookup entry (a hint/name RVA; by ordinal cannot be had
// from dlsym) is resolved into the matching address-table slot, up to a 0 entry.
bool ResolveThunks(const Block& block, ImportResolver& imports, void* library, std::uint32_t lookup,
                   std::uint32_t addresses) {
    const pe::ByteView view = block.view();
    for (std::uint64_t i = 0;; i += kThunkSize) {
        if (!view.contains(lookup + i, kThunkSize)) return false;
        const std::uint64_t entry = view.u64(lookup + i);
        if (entry == 0) return true;
        if ((entry & kOrdinalFlag) != 0 || entry > UINT32_MAX) return false;
        const std::optional<std::string_view> name = view.text(entry + 2);
        if (!name) return false;
        void* function = imports.findFunction(library, std::string(*name));
        if (function == nullptr || !block.put(addresses + i, reinterpret_cast<std::uint64_t>(function))) {
            return false;
        }
    }
}

// Every imported library and function must be found; each opened library is recorded
// in libraries so that the caller closes it.
bool ResolveImports(const Block& block, pe::DataDirectory directory, ImportResolver& imports,
                    std::vector<void*>& libraries) {
    if (directory.empty()) return true;
    const pe::ByteView view = block.view();
    for (std::uint64_t at = directory.rva;; at += kImportDescriptorSize) {
        if (!view.contains(at, kImportDescriptorSize)) return false;
        const std::uint32_t nameRva = view.u32(at + 12);
        if (nameRva == 0) return true;
        const std::uint32_t addresses = view.u32(at + 16);
        const std::uint32_t lookup = view.u32(at) != 0 ? view.u32(at) : addresses;
        const std::optional<std::string_view> name = view.text(nameRva);
        if (addresses == 0 || !name) return false;
        void* library = imports.openLibrary(std::string(*name));
        if (library == nullptr) return false;
        libraries.push_back(library);
        if (!ResolveThunks(block, imports, library, lookup, addresses)) return false;
    }
}

int CallEntry(std::uint8_t* block, std::uint32_t entryPoint, std::uint32_t reason) {
    const auto entry = reinterpret_cast<DllEntry>(block + entryPoint);
    return entry(block, reason, nullptr);
}

// A name that is the decimal text of a 32-bit integer ("7", "-2"; not "07" or "+7")
// stands for an ordinal.
std::optional<std::int64_t> OrdinalOf(std::string_view name) {
    std::int32_t value = 0;
    const char* end = name.data() + name.size();
    const auto [stop, error] = std::from_chars(name.data(), end, value);
    if (error != std::errc() || stop != end || std::to_string(value) != name) return std::nullopt;
    return value;
}

}  // namespace

ImportResolver& SystemImports() {
    static DynamicLoader loader;
    return loader;
}

bool MemoryModule::load(std::span<const std::uint8_t> image, const LoadOptions& options) {
    unload();
    const std::optional<pe::Headers> headers = pe::ParseHeaders(image);
    if (!headers || !Runnable(*headers)) return false;
    const std::optional<std::size_t> size = pe::MappedSize(*headers, image.size());
    if (!size || (HasEntryPoint(*headers) && headers->entryPoint >= *size)) return false;

    block_ = MapBlock(headers->imageBase, *size);
    if (block_ == nullptr) return false;
    size_ = *size;
    imports_ = options.imports != nullptr ? options.imports : &SystemImports();
    const Block block{block_, size_};
    CopyImage(block, image, *headers);
    const std::uint64_t delta = baseAddress() - headers->imageBase;
    if (!ApplyRelocations(block, headers->relocations, delta) ||
        !ResolveImports(block, headers->imports, *imports_, libraries_)) {
        release();
        return false;
    }
    if (options.callEntryPoint && HasEntryPoint(*headers)) {
        if (CallEntry(block_, headers->entryPoint, kProcessAttach) == 0) {
            CallEntry(block_, headers->entryPoint, kProcessDetach);
            release();
            return false;
        }
        attached_ = true;
        entryPoint_ = headers->entryPoint;
    }
    exports_ = headers->exports;
    return true;
}

bool MemoryModule::unload() {
    if (block_ == nullptr) return true;
    if (attached_) CallEntry(block_, entryPoint_, kProcessDetach);
    release();
    return true;
}

void MemoryModule::release() {
    munmap(block_, size_);
    for (void* library : libraries_) imports_->closeLibrary(library);
    block_ = nullptr;
    size_ = 0;
    exports_ = {};
    attached_ = false;
    entryPoint_ = 0;
    imports_ = nullptr;
    libraries_.clear();
}

// The export directory is read from the block, bounded by the block: the image's own
// code may have changed it since load.
void* MemoryModule::findExport(std::string_view name) const {
    if (block_ == nullptr || exports_.empty()) return nullptr;
    const pe::ByteView view(block_, size_);
    const std::uint64_t at = exports_.rva;
    if (!view.contains(at, kExportDirectorySize)) return nullptr;
    const std::uint32_t ordinalBase = view.u32(at + 16);
    const std::uint32_t functionCount = view.u32(at + 20);
    const std::uint32_t nameCount = view.u32(at + 24);
    const std::uint32_t functions = view.u32(at + 28);
    const std::uint32_t names = view.u32(at + 32);
    const std::uint32_t nameOrdinals = view.u32(at + 36);

    if (const std::optional<std::int64_t> ordinal = OrdinalOf(name)) {
        const std::int64_t index = *ordinal - ordinalBase;
        if (index < 0) return nullptr;
        return functionAt(view, functions, static_cast<std::uint64_t>(index), functionCount);
    }
    if (!view.contains(names, 4ull * nameCount) || !view.contains(nameOrdinals, 2ull * nameCount)) return nullptr;
    for (std::uint64_t i = 0; i < nameCount; ++i) {
        const std::uint16_t index = view.u16(nameOrdinals + 2 * i);
        if (index >= functionCount) continue;
        const std::optional<std::string_view> exported = view.text(view.u32(names + 4 * i));
        if (exported == name) return functionAt(view, functions, index, functionCount);
    }
    return nullptr;
}

// The address of function index of the address table; null when the index or its slot
// lies outside the table or the block, the slot is 0, or it forwards to another library
// (its RVA points into the export directory, at a "library.function" text).
void* MemoryModule::functionAt(const pe::ByteView& view, std::uint32_t table, std::uint64_t index,
                               std::uint32_t count) const {
    if (index >= count || !view.contains(table + 4 * index, 4)) return nullptr;
    const std::uint32_t rva = view.u32(table + 4 * index);
    if (rva == 0 || rva >= size_ || exports_.holds(rva)) return nullptr;
    return block_ + rva;
}

}  // namespace sanxing
