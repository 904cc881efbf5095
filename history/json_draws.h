#pragma once
// Draw files served as JSON (as data repositories and site interfaces give them): the
// first list of records in the document becomes lines of fields, with the first record's
// keys as the header, so that column detection reads them as it reads a CSV file.
//   [{"issue": "2024144", "number": "816", "date": "2024-05-30"}, …]
//   {"data": [{"expect": "2024144", "opencode": "8,1,6"}, …]}
//   [["2024144", 8, 1, 6], …]

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sanxing::history {

// JSON draw files larger than this are refused: their records are read whole.
inline constexpr std::size_t kMaxJsonBytes = 16u << 20;

// Whether `text` (after a BOM) begins as a JSON document would.
bool LooksLikeJson(std::string_view text);

// The records as lines (a header line of keys first for records that are objects); nothing
// when `text` is not JSON or holds no list of records.
std::optional<std::string> JsonRecordsAsLines(std::string_view text);

}  // namespace sanxing::history
