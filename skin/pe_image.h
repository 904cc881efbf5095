#pragma once
// Reading a Windows PE image (a DLL or EXE file) from bytes. Every read is checked
// against the bytes at hand, so a truncated, malformed or hostile image yields "no
// headers" or a refused layout, never a read outside the buffer.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace sanxing::pe {

constexpr std::uint16_t kMachineI386 = 0x014C;
constexpr std::uint16_t kMachineAmd64 = 0x8664;
constexpr std::uint16_t kMagicPe32 = 0x010B;      // 32-bit optional header
constexpr std::uint16_t kMagicPe32Plus = 0x020B;  // 64-bit optional header
constexpr std::uint16_t kFileExecutableImage = 0x0002;
constexpr std::uint16_t kFileDll = 0x2000;

// No image may ask for more address space than this; a hostile header could otherwise
// make the loader map gigabytes.
constexpr std::uint32_t kMaxImageSize = 256u * 1024 * 1024;

// True when [offset, offset + length) lies inside [0, size); overflow-safe.
constexpr bool Fits(std::uint64_t offset, std::uint64_t length, std::uint64_t size) {
    return offset <= size && length <= size - offset;
}

// A little-endian view of bytes (the image file or the mapped block). Callers check a
// whole structure with contains() before reading its fields; a read outside the view
// yields 0 instead of touching memory the view does not cover.
class ByteView {
public:
    ByteView() = default;
    ByteView(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    explicit ByteView(std::span<const std::uint8_t> bytes) : ByteView(bytes.data(), bytes.size()) {}

    std::size_t size() const { return size_; }
    bool contains(std::uint64_t offset, std::uint64_t length) const { return Fits(offset, length, size_); }
    std::uint16_t u16(std::uint64_t offset) const { return static_cast<std::uint16_t>(read(offset, 2)); }
    std::uint32_t u32(std::uint64_t offset) const { return static_cast<std::uint32_t>(read(offset, 4)); }
    std::uint64_t u64(std::uint64_t offset) const { return read(offset, 8); }
    // The NUL-terminated text at offset (without the NUL); nothing when no NUL ends it
    // inside the view.
    std::optional<std::string_view> text(std::uint64_t offset) const;

private:
    std::uint64_t read(std::uint64_t offset, int width) const;

    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

struct DataDirectory {
    std::uint32_t rva = 0;
    std::uint32_t size = 0;
    bool empty() const { return rva == 0 || size == 0; }
    bool holds(std::uint64_t address) const { return address >= rva && address - rva < size; }
};

struct Section {
    std::uint32_t virtualAddress = 0;
    std::uint32_t virtualSize = 0;
    std::uint32_t rawSize = 0;
    std::uint32_t rawOffset = 0;

    // Sections without raw data (size 0 or file offset 0) stay zero-filled.
    bool hasRawData() const { return rawSize != 0 && rawOffset != 0; }
};

// The fields the loader needs, from either optional-header kind (PE32 or PE32+).
struct Headers {
    std::uint16_t machine = 0;
    std::uint16_t characteristics = 0;
    std::uint16_t magic = 0;
    std::uint32_t entryPoint = 0;
    std::uint64_t imageBase = 0;
    std::uint32_t sectionAlignment = 0;
    std::uint32_t sizeOfImage = 0;
    DataDirectory exports;
    DataDirectory imports;
    DataDirectory relocations;
    // DOS header and stub, PE signature, file header, optional header (its own size,
    // SizeOfOptionalHeader: 224 bytes for PE32, 240 for PE32+, or more) and section table.
    std::uint64_t headersSize = 0;
    std::vector<Section> sections;

    bool isDll() const { return (characteristics & kFileDll) != 0; }
};

// The headers of an image: nothing unless it starts with "MZ", its PE header lies inside
// the buffer with the PE signature, the file header marks an executable image, the
// optional header is PE32 or PE32+ and complete up to its data directories, and the
// section table lies inside the buffer.
std::optional<Headers> ParseHeaders(std::span<const std::uint8_t> image);

// The number of bytes to map: the size of image, raised if needed to the end of the last
// section (virtual address plus virtual size rounded up to the section alignment).
// Nothing when the layout is unsound: a section alignment that is not a power of two, a
// size over kMaxImageSize, headers that do not fit the mapped size, or section raw data
// outside the buffer or outside the mapped size.
std::optional<std::size_t> MappedSize(const Headers& headers, std::size_t imageSize);

}  // namespace sanxing::pe
