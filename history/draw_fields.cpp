#include "history/draw_fields.h"

#include <algorithm>
#include <array>

namespace sanxing::history {

namespace {

// A colon ends a label: "开奖号码：816" is the label and the number.
constexpr std::array<std::string_view, 5> kWideSeparators{"，", "；", "、", "｜", "："};
constexpr std::array<std::string_view, 2> kWideSpaces{"　", "\xC2\xA0"};  // ideographic, no-break

// What an ASCII byte is to the splitter; bytes from 0x80 on may begin a wide separator.
enum class ByteKind : unsigned char { Plain, Separator, Space, Wide };

constexpr std::array<ByteKind, 256> kByteKinds = [] {
    std::array<ByteKind, 256> kinds{};
    for (int c = 0x80; c < 0x100; ++c) kinds[c] = ByteKind::Wide;
    for (unsigned char c : {',', ';', '|', '\t', ':'}) kinds[c] = ByteKind::Separator;
    for (unsigned char c : {' ', '\r', '\f', '\v'}) kinds[c] = ByteKind::Space;
    return kinds;
}();

ByteKind KindOf(char c) { return kByteKinds[static_cast<unsigned char>(c)]; }

// The width of a separator that ends a field at `at`, or 0.
std::size_t SeparatorAt(std::string_view line, std::size_t at) {
    const char c = line[at];
    if (c == ',' || c == ';' || c == '|' || c == '\t' || c == ':') return 1;
    if (static_cast<unsigned char>(c) < 0x80) return 0;
    for (std::string_view separator : kWideSeparators) {
        if (line.substr(at).starts_with(separator)) return separator.size();
    }
    return 0;
}

// The width of a space at `at`, or 0.
std::size_t SpaceAt(std::string_view line, std::size_t at) {
    const char c = line[at];
    if (c == ' ' || c == '\r' || c == '\f' || c == '\v') return 1;
    if (static_cast<unsigned char>(c) < 0x80) return 0;
    for (std::string_view space : kWideSpaces) {
        if (line.substr(at).starts_with(space)) return space.size();
    }
    return 0;
}

std::size_t SkipSpaces(std::string_view line, std::size_t at) {
    while (at < line.size()) {
        const std::size_t width = SpaceAt(line, at);
        if (width == 0) break;
        at += width;
    }
    return at;
}

}  // namespace

void FieldSplitter::add(std::string_view field) {
    if (fields_.size() < kMaxFields) {
        fields_.push_back(field);
    } else {
        tooMany_ = true;
    }
}

// Reads the quoted field that starts at `at` (and whatever follows its closing quote up
// to the next separator) into unquoted_; gives where it ends.
std::size_t FieldSplitter::readQuoted(std::string_view line, std::size_t at) {
    const std::size_t start = unquoted_.size();
    for (++at; at < line.size(); ++at) {
        if (line[at] != '"') {
            unquoted_ += line[at];
        } else if (at + 1 < line.size() && line[at + 1] == '"') {
            unquoted_ += '"';
            ++at;
        } else {
            ++at;
            break;
        }
    }
    while (at < line.size() && SeparatorAt(line, at) == 0 && SpaceAt(line, at) == 0) unquoted_ += line[at++];
    add(std::string_view(unquoted_).substr(start));
    return at;
}

std::span<const std::string_view> FieldSplitter::split(std::string_view line) {
    fields_.clear();
    unquoted_.clear();
    unquoted_.reserve(line.size());
    tooMany_ = false;
    std::size_t at = SkipSpaces(line, 0);
    if (at == line.size()) return {};
    for (;;) {
        if (line[at] == '"') {
            at = readQuoted(line, at);
        } else {
            const std::size_t start = at;
            while (at < line.size()) {
                const ByteKind kind = KindOf(line[at]);
                if (kind == ByteKind::Plain ||
                    (kind == ByteKind::Wide && SeparatorAt(line, at) == 0 && SpaceAt(line, at) == 0)) {
                    ++at;
                } else {
                    break;
                }
            }
            add(line.substr(start, at - start));
        }
        at = SkipSpaces(line, at);
        if (at == line.size()) break;
        if (const std::size_t width = SeparatorAt(line, at)) {
            at = SkipSpaces(line, at + width);
            if (at == line.size()) {
                add({});  // a separator at the end leaves an empty last field
                break;
            }
        }
    }
    // A line of separators only (",,," from a spreadsheet's empty row) is blank.
    if (std::all_of(fields_.begin(), fields_.end(), [](std::string_view field) { return field.empty(); })) {
        fields_.clear();
    }
    return fields_;
}

std::vector<std::string> SplitFields(std::string_view line) {
    FieldSplitter splitter;
    std::vector<std::string> fields;
    for (std::string_view field : splitter.split(line)) fields.emplace_back(field);
    return fields;
}

}  // namespace sanxing::history
