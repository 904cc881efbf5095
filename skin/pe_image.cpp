#include "skin/pe_image.h"

#include <algorithm>
#include <cstring>

namespace sanxing::pe {

namespace {

constexpr std::uint16_t kDosSignature = 0x5A4D;     // "MZ"
constexpr std::uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr std::uint64_t kPeOffsetField = 60;
constexpr std::uint64_t kFileHeaderSize = 20;
constexpr std::uint64_t kSectionHeaderSize = 40;
constexpr std::uint64_t kDirectorySize = 8;

// Directory indexes in the optional header.
constexpr std::uint32_t kExportDirectory = 0;
constexpr std::uint32_t kImportDirectory = 1;
constexpr std::uint32_t kRelocationDirectory = 5;

// Where the fields that differ between the two optional-header kinds lie.
struct OptionalLayout {
    std::uint64_t imageBase;
    int imageBaseWidth;
    std::uint64_t directoryCount;
    std::uint64_t directories;
};

std::optional<OptionalLayout> LayoutFor(std::uint16_t magic) {
    if (magic == kMagicPe32) return OptionalLayout{28, 4, 92, 96};
    if (magic == kMagicPe32Plus) return OptionalLayout{24, 8, 108, 112};
    return std::nullopt;
}

// Fields common to both kinds, relative to the optional header.
constexpr std::uint64_t kEntryPointField = 16;
constexpr std::uint64_t kSectionAlignmentField = 32;
constexpr std::uint64_t kSizeOfImageField = 56;

DataDirectory ReadDirectory(const ByteView& view, std::uint64_t optional, std::uint16_t optionalSize,
                            const OptionalLayout& layout, std::uint32_t index) {
    const std::uint64_t room = (optionalSize - layout.directories) / kDirectorySize;
    const std::uint64_t count = std::min<std::uint64_t>(view.u32(optional + layout.directoryCount), room);
    if (index >= count) return {};
    const std::uint64_t at = optional + layout.directories + index * kDirectorySize;
    return {view.u32(at), view.u32(at + 4)};
}

std::vector<Section> ReadSections(const ByteView& view, std::uint64_t table, std::uint16_t count) {
    std::vector<Section> sections(count);
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t at = table + i * kSectionHeaderSize;
        sections[i] = {view.u32(at + 12), view.u32(at + 8), view.u32(at + 16), view.u32(at + 20)};
    }
    return sections;
}

std::uint64_t AlignUp(std::uint64_t value, std::uint64_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

}  // namespace

std::optional<std::string_view> ByteView::text(std::uint64_t offset) const {
    if (offset >= size_) return std::nullopt;
    const auto* start = data_ + offset;
    const void* end = std::memchr(start, 0, size_ - offset);
    if (end == nullptr) return std::nullopt;
    return std::string_view(reinterpret_cast<const char*>(start), static_cast<const std::uint8_t*>(end) - start);
}

std::uint64_t ByteView::read(std::uint64_t offset, int width) const {
    if (!contains(offset, width)) return 0;
    std::uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i) value = value << 8 | data_[offset + i];
    return value;
}

std::optional<Headers> ParseHeaders(std::span<const std::uint8_t> image) {
    const ByteView view(image);
    if (!view.contains(0, 64) || view.u16(0) != kDosSignature) return std::nullopt;
    const std::uint64_t pe = view.u32(kPeOffsetField);
    const std::uint64_t fileHeader = pe + 4;
    if (!view.contains(pe, 4 + kFileHeaderSize) || view.u32(pe) != kPeSignature) return std::nullopt;

    Headers headers;
    headers.machine = view.u16(fileHeader);
    const std::uint16_t sectionCount = view.u16(fileHeader + 2);
    const std::uint16_t optionalSize = view.u16(fileHeader + 16);
    headers.characteristics = view.u16(fileHeader + 18);
    if ((headers.characteristics & kFileExecutableImage) == 0) return std::nullopt;

    const std::uint64_t optional = fileHeader + kFileHeaderSize;
    if (optionalSize < 2 || !view.contains(optional, optionalSize)) return std::nullopt;
    headers.magic = view.u16(optional);
    const std::optional<OptionalLayout> layout = LayoutFor(headers.magic);
    if (!layout || optionalSize < layout->directories) return std::nullopt;

    headers.entryPoint = view.u32(optional + kEntryPointField);
    headers.imageBase =
        layout->imageBaseWidth == 8 ? view.u64(optional + layout->imageBase) : view.u32(optional + layout->imageBase);
    headers.sectionAlignment = view.u32(optional + kSectionAlignmentField);
    headers.sizeOfImage = view.u32(optional + kSizeOfImageField);
    headers.exports = ReadDirectory(view, optional, optionalSize, *layout, kExportDirectory);
    headers.imports = ReadDirectory(view, optional, optionalSize, *layout, kImportDirectory);
    headers.relocations = ReadDirectory(view, optional, optionalSize, *layout, kRelocationDirectory);

    const std::uint64_t sectionTable = optional + optionalSize;
    if (!view.contains(sectionTable, sectionCount * kSectionHeaderSize)) return std::nullopt;
    headers.headersSize = sectionTable + sectionCount * kSectionHeaderSize;
    headers.sections = ReadSections(view, sectionTable, sectionCount);
    return headers;
}

std::optional<std::size_t> MappedSize(const Headers& headers, std::size_t imageSize) {
    const std::uint64_t alignment = headers.sectionAlignment;
    if (alignment == 0 || (alignment & (alignment - 1)) != 0) return std::nullopt;
    std::uint64_t size = headers.sizeOfImage;
    if (!headers.sections.empty()) {
        const Section& last = headers.sections.back();
        size = std::max(size, last.virtualAddress + AlignUp(last.virtualSize, alignment));
    }
    if (size == 0 || size > kMaxImageSize || headers.headersSize > size) return std::nullopt;
    for (const Section& section : headers.sections) {
        if (!section.hasRawData()) continue;
        if (!Fits(section.rawOffset, section.rawSize, imageSize) ||
            !Fits(section.virtualAddress, section.rawSize, size)) {
            return std::nullopt;
        }
    }
    return static_cast<std::size_t>(size);
}

}  // namespace sanxing::pe
