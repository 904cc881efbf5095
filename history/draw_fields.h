#pragma once
// The fields of one line of a draw file. Fields end at a comma, tab, semicolon, "|" or
// "、" (ASCII or full width), or at a run of spaces; spaces around a field are not part of
// it, and two separators in a row leave an empty field between them, so a field keeps its
// place in every line. A field in double quotes may hold separators ("" is a quote).

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sanxing::history {

// A line with more fields cannot be a draw line; its fields past this are not kept.
inline constexpr std::size_t kMaxFields = 64;

class FieldSplitter {
public:
    // The fields of `line` (UTF-8, no line break); they stay valid until the next split of
    // this splitter and while `line` lives. A blank line, or one of separators only, has none.
    std::span<const std::string_view> split(std::string_view line);
    // The last line split had more than kMaxFields fields.
    bool tooMany() const { return tooMany_; }

private:
    void add(std::string_view field);
    std::size_t readQuoted(std::string_view line, std::size_t at);

    std::vector<std::string_view> fields_;
    std::string unquoted_;  // the text of quoted fields; reserved whole, so views stay valid
    bool tooMany_ = false;
};

// A whole line's fields as strings, for lines kept beyond the next split.
std::vector<std::string> SplitFields(std::string_view line);

}  // namespace sanxing::history
