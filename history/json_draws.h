#pragma once
// Draw files served as JSON (as data repositories and site interfaces give them): the
// first list of records in the document becomes lines of fields, with the first record's
// keys as the header, so that column detection reads them as it reads a CSV file.
//   [{"issue": "2024144", "number": "816", "date": "2024-05-30"}, …]
//   {"data": [{"expect": "2024144", "opencode": "8,1,6"}, …]}
//   [["2024144", 8, 1, 6], …]
// The document is read as a stream of parser events, one record at a time: time and memory
// grow with the text, whatever its shape (many records, wide records, long lists).

#include <cstddef>
#include <functional>
#include <string_view>

namespace sanxing::history {

// JSON draw files larger than this are refused: the document is held whole while read.
inline constexpr std::size_t kMaxJsonBytes = 16u << 20;

// Whether `text` (after a BOM) begins as a JSON document would.
bool LooksLikeJson(std::string_view text);

enum class JsonRecords {
    Read,        // every record was handed on
    NotRecords,  // not JSON, or no list of records in it: to be read as the text it is
    TooDeep,     // nested deeper than kMaxJsonDepth: refused
    Stopped,     // `line` returned false
};

// Hands the records to `line` as lines of quoted, comma-separated fields, one call per
// line, a header line of keys first for records that are objects. Only the first
// kMaxFields + 1 keys of the first record are columns: a wider record cannot be a draw.
JsonRecords ReadJsonRecords(std::string_view text, const std::function<bool(std::string_view)>& line);

}  // namespace sanxing::history
