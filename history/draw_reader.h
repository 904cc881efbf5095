#pragma once
// Reading a draw file, or the same text from memory, line by line: GBK, UTF-8 (with or
// without BOM) or UTF-16 with its BOM, CR LF or LF, or a JSON list of records
// (json_draws.h); binary input, web pages and spreadsheet workbooks refused, each with its
// own reason. The columns are detected
// from the first lines (or given), then every line is read with them. The input is
// streamed, so memory does not grow with its size; the import and its preview both read
// through here, so the preview tells what the import will do.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "history/column_detect.h"
#include "history/draw_line.h"
#include "runtime/result.h"

namespace sanxing::history {

// Larger input is refused: a century of draws every ten minutes stays far below.
inline constexpr std::uintmax_t kMaxImportBytes = 256ull * 1024 * 1024;
// A longer line cannot be a draw; it is rejected without being kept whole.
inline constexpr std::size_t kMaxLineBytes = 1024;

enum class ReadEnd { Done, Binary, Html, Workbook, TooLarge, TooLargeJson, JsonTooDeep, ReadError, Stopped, Cancelled };

// What the reader hands on, in order.
class DrawLineHandler {
public:
    virtual ~DrawLineHandler() = default;
    // The columns the lines will be read with (incomplete when none were found), and the
    // first non-blank line; false stops the reading.
    virtual bool columnsKnown(const Detection& detection, std::string_view firstLine) = 0;
    // Every line, blank and header lines too: its number from 1, its fields and what it
    // gave; false stops the reading.
    virtual bool line(std::size_t number, std::span<const std::string_view> fields, ParsedLine& parsed) = 0;
};

struct ReadOptions {
    const ColumnMap* columns = nullptr;  // detected from the first lines when null
    const std::atomic<bool>* cancel = nullptr;
};

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using DrawFile = std::unique_ptr<std::FILE, CloseFile>;

// Opens a draw file to read, or says why it cannot be read ("文件不存在", "这不是普通
// 文件", too large, ...). What is checked is what was opened: the open does not wait, so a
// FIFO or device put in the file's place is refused rather than blocking.
Result<DrawFile> OpenDrawFile(const std::filesystem::path& file);

// Reads `input` to its end (a file, or standard input).
ReadEnd ReadDrawLines(std::FILE* input, const Lottery& lottery, const ReadOptions& options, DrawLineHandler& handler);
// Reads text already in memory.
ReadEnd ReadDrawLines(std::string_view text, const Lottery& lottery, const ReadOptions& options,
                      DrawLineHandler& handler);

// Why reading ended early, in words for the user ("文件含有二进制内容，不是文本文件"); empty
// for Done and Stopped. `readErrno`: errno after a ReadError.
std::string ReadEndReason(ReadEnd end, int readErrno = 0);

// Why a file could not be opened or read, by its errno ("没有读取权限", ...).
std::string ReadErrorReason(int error);

}  // namespace sanxing::history
