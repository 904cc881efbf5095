#pragma once
// Builds small PE images in memory for the loader's tests and the fuzzer's seeds: a DOS
// header, the PE headers (PE32+ by default, PE32 on request), a section table and the
// sections' raw data, plus writers for export, import and relocation tables.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace sanxing::pe_test {

using Bytes = std::vector<std::uint8_t>;

inline void Put(Bytes& bytes, std::size_t at, std::uint64_t value, int width) {
    if (bytes.size() < at + width) bytes.resize(at + width);
    for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

struct Directory {
    std::uint32_t rva = 0;
    std::uint32_t size = 0;
};

// The contents of one section, addressed by RVA while it is written.
class SectionData {
public:
    explicit SectionData(std::uint32_t virtualAddress) : va_(virtualAddress) {}

    std::uint32_t va() const { return va_; }
    std::uint32_t here() const { return va_ + static_cast<std::uint32_t>(bytes_.size()); }
    const Bytes& bytes() const { return bytes_; }

    std::uint32_t add(const Bytes& data) {
        const std::uint32_t at = here();
        bytes_.insert(bytes_.end(), data.begin(), data.end());
        return at;
    }
    std::uint32_t addText(const std::string& text) {
        Bytes data(text.begin(), text.end());
        data.push_back(0);
        return add(data);
    }
    std::uint32_t addValue(std::uint64_t value, int width) {
        const std::uint32_t at = here();
        Put(bytes_, bytes_.size(), value, width);
        return at;
    }
    void set(std::uint32_t rva, std::uint64_t value, int width) { Put(bytes_, rva - va_, value, width); }
    void align(std::size_t to) { bytes_.resize((bytes_.size() + to - 1) / to * to); }

private:
    std::uint32_t va_;
    Bytes bytes_;
};

struct Section {
    std::uint32_t va = 0;
    std::uint32_t virtualSize = 0;
    Bytes data;           // raw data; empty: none in the file
    bool rawData = true;  // false: file offset 0 even with data
};

class PeBuilder {
public:
    std::uint16_t machine = 0x8664;
    std::uint16_t magic = 0x20B;
    std::uint16_t characteristics = 0x2022;  // executable image, large-address aware, DLL
    std::uint64_t imageBase = 0x180000000;
    std::uint32_t entryPoint = 0;
    std::uint32_t sectionAlignment = 0x1000;
    std::uint32_t sizeOfImage = 0;         // 0: the end of the last section, aligned
    std::uint16_t extraOptionalBytes = 0;  // beyond the 16 data directories
    std::array<Directory, 16> directories{};
    std::vector<Section> sections;

    // The virtual address the next added section gets.
    std::uint32_t nextVa() const {
        if (sections.empty()) return sectionAlignment;
        const Section& last = sections.back();
        const std::uint32_t end = last.va + std::max<std::uint32_t>(last.virtualSize, 1);
        return (end + sectionAlignment - 1) / sectionAlignment * sectionAlignment;
    }
    void addSection(const SectionData& data) {
        const auto size = static_cast<std::uint32_t>(data.bytes().size());
        sections.push_back({data.va(), std::max<std::uint32_t>(size, 1), data.bytes(), true});
    }

    Bytes build() const {
        const bool pe32 = magic == 0x10B;
        const std::size_t pe = 64;
        const std::size_t optional = pe + 24;
        const std::size_t optionalSize = (pe32 ? 224 : 240) + extraOptionalBytes;
        const std::size_t table = optional + optionalSize;
        const std::size_t headersEnd = table + 40 * sections.size();

        Bytes image(headersEnd);
        image[0] = 'M';
        image[1] = 'Z';
        Put(image, 60, pe, 4);
        Put(image, pe, 0x00004550, 4);
        Put(image, pe + 4, machine, 2);
        Put(image, pe + 6, sections.size(), 2);
        Put(image, pe + 20, optionalSize, 2);
        Put(image, pe + 22, characteristics, 2);

        Put(image, optional, magic, 2);
        Put(image, optional + 16, entryPoint, 4);
        if (pe32) {
            Put(image, optional + 28, imageBase, 4);
        } else {
            Put(image, optional + 24, imageBase, 8);
        }
        Put(image, optional + 32, sectionAlignment, 4);
        Put(image, optional + 36, 0x200, 4);
        Put(image, optional + 56, sizeOfImage != 0 ? sizeOfImage : defaultImageSize(), 4);
        Put(image, optional + 60, 0x400, 4);
        const std::size_t directoryTable = optional + (pe32 ? 96 : 112);
        Put(image, directoryTable - 4, 16, 4);
        for (std::size_t i = 0; i < directories.size(); ++i) {
            Put(image, directoryTable + 8 * i, directories[i].rva, 4);
            Put(image, directoryTable + 8 * i + 4, directories[i].size, 4);
        }

        for (std::size_t i = 0; i < sections.size(); ++i) {
            const Section& section = sections[i];
            const std::size_t header = table + 40 * i;
            const std::size_t offset = (image.size() + 0x1FF) / 0x200 * 0x200;
            std::memcpy(&image[header], ".s\0\0\0\0\0", 8);
            Put(image, header + 8, section.virtualSize, 4);
            Put(image, header + 12, section.va, 4);
            Put(image, header + 16, section.data.size(), 4);
            if (section.data.empty()) continue;
            if (section.rawData) Put(image, header + 20, offset, 4);
            image.resize(offset);
            image.insert(image.end(), section.data.begin(), section.data.end());
        }
        return image;
    }

private:
    std::uint32_t defaultImageSize() const {
        if (sections.empty()) return sectionAlignment;
        const Section& last = sections.back();
        return (last.va + last.virtualSize + sectionAlignment - 1) / sectionAlignment * sectionAlignment;
    }
};

// An export table of functions (RVAs, 0 for a gap) whose first ordinal is base, and
// names (name, index into functions) in table order.
inline Directory AddExports(SectionData& data, std::uint32_t base, const std::vector<std::uint32_t>& functions,
                            const std::vector<std::pair<std::string, std::uint16_t>>& names) {
    data.align(4);
    const std::uint32_t directory = data.add(Bytes(40));
    const std::uint32_t functionTable = data.here();
    for (std::uint32_t rva : functions) data.addValue(rva, 4);
    std::vector<std::uint32_t> nameRvas;
    for (const auto& [name, index] : names) nameRvas.push_back(data.addText(name));
    data.align(4);
    const std::uint32_t nameTable = data.here();
    for (std::uint32_t rva : nameRvas) data.addValue(rva, 4);
    const std::uint32_t ordinalTable = data.here();
    for (const auto& [name, index] : names) data.addValue(index, 2);
    data.set(directory + 16, base, 4);
    data.set(directory + 20, functions.size(), 4);
    data.set(directory + 24, names.size(), 4);
    data.set(directory + 28, functionTable, 4);
    data.set(directory + 32, nameTable, 4);
    data.set(directory + 36, ordinalTable, 4);
    return {directory, data.here() - directory};
}

// One import descriptor for library, importing functions by name ("#n" imports ordinal
// n); tableSlots receives the RVA of each function's address-table slot.
inline Directory AddImports(SectionData& data, const std::string& library, const std::vector<std::string>& functions,
                            std::vector<std::uint32_t>& tableSlots) {
    std::vector<std::uint64_t> entries;
    for (const std::string& function : functions) {
        if (function.starts_with("#")) {
            entries.push_back(1ull << 63 | std::stoull(function.substr(1)));
        } else {
            data.align(2);
            const std::uint32_t hintName = data.addValue(0, 2);
            data.addText(function);
            entries.push_back(hintName);
        }
    }
    const std::uint32_t name = data.addText(library);
    data.align(8);
    const std::uint32_t lookup = data.here();
    for (std::uint64_t entry : entries) data.addValue(entry, 8);
    data.addValue(0, 8);
    const std::uint32_t addresses = data.here();
    for (std::size_t i = 0; i < entries.size(); ++i) tableSlots.push_back(data.addValue(entries[i], 8));
    data.addValue(0, 8);
    const std::uint32_t directory = data.add(Bytes(40));  // the descriptor and the null one
    data.set(directory, lookup, 4);
    data.set(directory + 12, name, 4);
    data.set(directory + 16, addresses, 4);
    return {directory, 40};
}

// One relocation block for the page at pageRva; entries are (kind << 12 | offset).
inline Directory AddRelocations(SectionData& data, std::uint32_t pageRva, const std::vector<std::uint16_t>& entries) {
    data.align(4);
    const std::uint32_t block = data.addValue(pageRva, 4);
    data.addValue(8 + 2 * entries.size(), 4);
    for (std::uint16_t entry : entries) data.addValue(entry, 2);
    return {block, data.here() - block};
}

// A DLL image with one section holding `code`, exported under `name`.
inline Bytes LibraryExporting(const std::string& name, const Bytes& code) {
    PeBuilder builder;
    SectionData data(builder.nextVa());
    const std::uint32_t function = data.add(code);
    builder.directories[0] = AddExports(data, 1, {function}, {{name, 0}});
    builder.addSection(data);
    return builder.build();
}

}  // namespace sanxing::pe_test
