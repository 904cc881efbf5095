#include "history/draw_reader.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "history/draw_fields.h"
#include "history/json_draws.h"
#include "runtime/file_descriptor.h"
#include "runtime/gbk.h"
#include "runtime/json_shape.h"
#include "runtime/system_error_text.h"
#include "runtime/text.h"
#include "runtime/today.h"

namespace sanxing::history {

namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const std::size_t width = (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (width == 0 || i + width > text.size()) return false;
        for (std::size_t k = 1; k < width; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += width;
    }
    return true;
}

// Control bytes that no text file holds (NUL and the like): the input is binary. Without
// branches, so that the compiler checks many bytes at once.
bool HasBinaryBytes(std::string_view chunk) {
    bool binary = false;
    for (char c : chunk) {
        const auto byte = static_cast<unsigned char>(c);
        binary |= (byte < 0x09) | ((byte > 0x0D) & (byte < 0x1A));
    }
    return binary;
}

// Turns decoded lines into parsed ones: holds the first lines back until the columns are
// known, then reads every line with them.
class LineCollector {
public:
    LineCollector(const Lottery& lottery, const ReadOptions& options, DrawLineHandler& handler)
        : lottery_(lottery), handler_(handler) {
        if (options.columns) columns_ = *options.columns;
    }

    // False when the handler stopped the reading. `unended`: the input's last line, which no
    // line break ends, so that it may have been cut short.
    bool take(std::size_t number, std::string_view raw, bool tooLong, bool unended) {
        const bool utf8 = IsUtf8(raw);
        if (known_) return utf8 ? read(number, raw, tooLong, unended) : read(number, GbkToUtf8(raw), tooLong, unended);
        std::string text = utf8 ? std::string(raw) : GbkToUtf8(raw);
        if (tooLong || splitter_.split(text).empty()) {
            hold(number, tooLong, unended);
            return true;
        }
        waiting_.push_back({number, std::move(text), tooLong, unended});
        if (++nonBlank_ == kDetectionLines + 1) return settle();
        return true;
    }

    // Decides the columns when the input ended before enough lines came.
    bool finish() { return known_ || settle(); }

private:
    struct Waiting {
        std::size_t number;
        std::string text;
        bool tooLong;
        bool unended;
        std::size_t count = 1;  // blank or overlong lines in a row, held as one
    };

    // A blank or overlong line before the columns are known: its text is never read, so
    // only its number is kept, and a run of such lines as one, so that any number of them
    // (a document of millions of empty records) takes no memory.
    void hold(std::size_t number, bool tooLong, bool unended) {
        if (!waiting_.empty()) {
            Waiting& last = waiting_.back();
            if (last.text.empty() && last.tooLong == tooLong && !last.unended && !unended &&
                last.number + last.count == number) {
                ++last.count;
                return;
            }
        }
        waiting_.push_back({number, {}, tooLong, unended});
    }

    bool settle() {
        std::vector<std::string> sample;
        std::string_view firstLine;
        for (const Waiting& w : waiting_) {
            if (w.tooLong || splitter_.split(w.text).empty()) continue;
            if (sample.empty()) {
                firstLine = w.text;
                firstNumber_ = w.number;
            }
            sample.push_back(w.text);
        }
        const Detection detection =
            columns_ ? CountFitting(sample, *columns_, lottery_) : DetectColumns(sample, lottery_);
        columns_ = detection.columns;
        headerNumber_ = detection.firstLineIsHeader ? firstNumber_ : 0;
        known_ = true;
        if (!handler_.columnsKnown(detection, firstLine)) return false;
        for (const Waiting& w : waiting_) {
            for (std::size_t k = 0; k < w.count; ++k) {
                if (!read(w.number + k, w.text, w.tooLong, w.unended)) return false;
            }
        }
        waiting_.clear();
        return true;
    }

    bool read(std::size_t number, std::string_view text, bool tooLong, bool unended) {
        ParsedLine parsed;
        std::span<const std::string_view> fields;
        if (tooLong) {
            parsed = Refused("此行太长（超过 " + std::to_string(kMaxLineBytes) + " 字节），不是开奖号码");
        } else if (fields = splitter_.split(text); fields.empty()) {
            parsed.kind = ParsedLine::Kind::Blank;
        } else if (isHeader(number, text, fields)) {
            parsed.kind = ParsedLine::Kind::Header;
        } else if (splitter_.tooMany()) {
            parsed = Refused("此行栏目太多（超过 " + std::to_string(kMaxFields) + " 个），不是一期开奖号码");
        } else if (!columns_->complete()) {
            parsed = Refused("无法识别期号和号码所在的列");
        } else {
            parsed = ReadDrawFields(fields, *columns_, lottery_, today_);
            if (parsed.kind == ParsedLine::Kind::Draw && unended) {
                if (std::string cut = CutShortReason(fields, *columns_, issueWidth_); !cut.empty()) {
                    parsed = Refused("此行在文件末尾中断：" + cut);
                }
            }
            if (parsed.kind == ParsedLine::Kind::Draw)
                issueWidth_ = fields[static_cast<std::size_t>(columns_->issue)].size();
        }
        return handler_.line(number, fields, parsed);
    }

    // The first line taken for a header is read as a line when digits stand where the
    // issue is, so that a draw is never dropped as a header without a word.
    bool isHeader(std::size_t number, std::string_view text, std::span<const std::string_view> fields) const {
        if (IsHeaderLine(text)) return true;
        if (number != headerNumber_) return false;
        if (!columns_->complete() || static_cast<std::size_t>(columns_->issue) >= fields.size()) return true;
        const std::string_view issue = fields[static_cast<std::size_t>(columns_->issue)];
        return std::none_of(issue.begin(), issue.end(), IsAsciiDigit);
    }

    static ParsedLine Refused(std::string reason) {
        ParsedLine parsed;
        parsed.kind = ParsedLine::Kind::Rejected;
        parsed.reason = std::move(reason);
        return parsed;
    }

    const Lottery& lottery_;
    const std::chrono::sys_days today_ = Today();  // one day for the whole input
    DrawLineHandler& handler_;
    FieldSplitter splitter_;
    std::optional<ColumnMap> columns_;  // given, or known once detected
    bool known_ = false;
    std::vector<Waiting> waiting_;  // lines held back until the columns are known
    std::size_t nonBlank_ = 0;
    std::size_t firstNumber_ = 0;
    std::size_t headerNumber_ = 0;  // the header's line number, 0 when there is none
    std::size_t issueWidth_ = 0;    // of the issue field of the last draw read
};

// A web page saved or served where a draw file was expected: it begins with a tag and
// names a page or a table near its start.
bool IsWebPage(std::string_view data) {
    const std::size_t start = data.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || data[start] != '<') return false;
    std::string head(data.substr(start, 4096));
    std::transform(head.begin(), head.end(), head.begin(), [](unsigned char c) { return std::tolower(c); });
    for (std::string_view tag : {"<!doctype html", "<html", "<head", "<body", "<table", "<tr"}) {
        if (head.find(tag) != std::string::npos) return true;
    }
    return false;
}

// Cuts chunks into lines (without their breaks) for the collector; a line longer than
// kMaxLineBytes is cut off and flagged, so memory stays bounded.
class LineCutter {
public:
    explicit LineCutter(LineCollector& collector) : collector_(collector) {}

    ReadEnd feed(std::string_view data) {
        if (first_ && (data.starts_with("\xFF\xFE") || data.starts_with("\xFE\xFF"))) {
            utf16_.emplace(data[0] == '\xFE');  // big-endian when FE FF
            data.remove_prefix(2);
        }
        if (utf16_) data = utf16_->decode(data);
        if (first_) {
            first_ = false;
            while (data.starts_with(kUtf8Bom)) data.remove_prefix(kUtf8Bom.size());
            if (IsWebPage(data)) return ReadEnd::Html;
            // A workbook as Excel or WPS saves it: .xlsx (a zip archive) or .xls / .et.
            if (data.starts_with("PK\x03\x04") || data.starts_with("\xD0\xCF\x11\xE0")) return ReadEnd::Workbook;
            json_ = LooksLikeJson(data);
        }
        if (HasBinaryBytes(data)) return ReadEnd::Binary;
        if (json_) {
            if (jsonText_.size() + data.size() > kMaxJsonBytes) return ReadEnd::TooLargeJson;
            jsonText_.append(data);
            return ReadEnd::Done;
        }
        // A line ends at LF, CR LF or a lone CR.
        while (!data.empty()) {
            if (std::exchange(afterCr_, false) && data.front() == '\n') {
                data.remove_prefix(1);
                continue;
            }
            const std::size_t end = data.find_first_of("\r\n");
            const std::string_view piece = data.substr(0, end);
            if (end != std::string_view::npos && line_.empty() && !tooLong_ && piece.size() <= kMaxLineBytes) {
                // The whole line lies in this chunk: handed on where it is.
                if (!collector_.take(number_++, piece, false, false)) return ReadEnd::Stopped;
            } else {
                const std::size_t room = kMaxLineBytes + 1 - std::min(line_.size(), kMaxLineBytes + 1);
                line_.append(piece.substr(0, room));
                if (piece.size() > room) tooLong_ = true;
                if (end == std::string_view::npos) break;
                if (!flush(false)) return ReadEnd::Stopped;
            }
            afterCr_ = data[end] == '\r';
            data.remove_prefix(end + 1);
        }
        return ReadEnd::Done;
    }

    ReadEnd end() {
        if (json_) {
            json_ = false;
            utf16_.reset();  // the document was decoded as it came
            return endJson(std::exchange(jsonText_, {}));
        }
        if ((!line_.empty() || tooLong_) && !flush(true)) return ReadEnd::Stopped;
        return collector_.finish() ? ReadEnd::Done : ReadEnd::Stopped;
    }

private:
    // Reads the document's records as lines; a document without records is read as the
    // text it is.
    ReadEnd endJson(const std::string& document) {
        ReadEnd fed = ReadEnd::Done;
        std::string line;
        const JsonRecords read = ReadJsonRecords(document, [&](std::string_view record) {
            line.assign(record);
            line += '\n';
            fed = feed(line);
            return fed == ReadEnd::Done;
        });
        if (read == JsonRecords::TooDeep) return ReadEnd::JsonTooDeep;
        if (fed != ReadEnd::Done) return fed;
        if (read == JsonRecords::NotRecords && (fed = feed(document)) != ReadEnd::Done) return fed;
        return end();
    }

    bool flush(bool unended) {
        const bool going = collector_.take(number_++, line_, tooLong_, unended);
        line_.clear();
        tooLong_ = false;
        return going;
    }

    LineCollector& collector_;
    std::string line_;
    bool tooLong_ = false;
    bool first_ = true;
    bool afterCr_ = false;               // the last line ended at a CR: an LF right after it belongs to it
    std::optional<Utf16Decoder> utf16_;  // a file that begins with a UTF-16 byte-order mark
    bool json_ = false;                  // a JSON document: gathered whole, read at the end
    std::string jsonText_;               // bounded by kMaxJsonBytes
    std::size_t number_ = 1;
};

bool Cancelled(const ReadOptions& options) { return options.cancel && options.cancel->load(); }

}  // namespace

ReadEnd ReadDrawLines(std::FILE* input, const Lottery& lottery, const ReadOptions& options, DrawLineHandler& handler) {
    LineCollector collector(lottery, options, handler);
    LineCutter cutter(collector);
    std::vector<char> chunk(kChunkBytes);
    std::uintmax_t total = 0;
    for (;;) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), input);
        if (got == 0) break;
        if (Cancelled(options)) return ReadEnd::Cancelled;
        if ((total += got) > kMaxImportBytes) return ReadEnd::TooLarge;
        if (const ReadEnd fed = cutter.feed({chunk.data(), got}); fed != ReadEnd::Done) return fed;
    }
    if (std::ferror(input)) return ReadEnd::ReadError;
    return cutter.end();
}

ReadEnd ReadDrawLines(std::string_view text, const Lottery& lottery, const ReadOptions& options,
                      DrawLineHandler& handler) {
    if (text.size() > kMaxImportBytes) return ReadEnd::TooLarge;
    LineCollector collector(lottery, options, handler);
    LineCutter cutter(collector);
    for (std::size_t at = 0; at < text.size(); at += kChunkBytes) {
        if (Cancelled(options)) return ReadEnd::Cancelled;
        if (const ReadEnd fed = cutter.feed(text.substr(at, kChunkBytes)); fed != ReadEnd::Done) return fed;
    }
    return cutter.end();
}

Result<DrawFile> OpenDrawFile(const std::filesystem::path& file) {
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid()) return Failure{ReadErrorReason(errno)};
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0) return Failure{ReadErrorReason(errno)};
    if (S_ISDIR(status.st_mode)) return Failure{ReadErrorReason(EISDIR)};
    if (!S_ISREG(status.st_mode)) return Failure{"这不是普通文件"};
    const auto size = static_cast<std::uintmax_t>(status.st_size);
    if (size > kMaxImportBytes) {
        return Failure{"文件太大（" + std::to_string(size / (1024 * 1024)) + " MB，开奖号码文件最多 " +
                       std::to_string(kMaxImportBytes / (1024 * 1024)) + " MB），不像开奖号码文件"};
    }
    // Reads of a regular file wait for the disk as usual.
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return Failure{ReadErrorReason(errno)};
    DrawFile stream(::fdopen(fd.get(), "rb"));
    if (!stream) return Failure{ReadErrorReason(errno)};
    fd.release();
    return stream;
}

std::string ReadErrorReason(int error) {
    switch (error) {
        case EACCES:
        case EPERM: return "没有读取权限";
        case ENOENT: return "文件不存在";
        case EISDIR: return "这是一个文件夹，不是文件";
        default: return "读取失败：" + SystemErrorText(error);
    }
}

std::string ReadEndReason(ReadEnd end, int readErrno) {
    switch (end) {
        case ReadEnd::Binary: return "文件含有二进制内容，不是文本文件";
        case ReadEnd::Html:
            return "这是网页（HTML），不是开奖号码文件：请在浏览器中选中开奖表格复制，再用菜单 历史 → 从剪贴板导入";
        case ReadEnd::TooLarge:
            return "内容太大（开奖号码文件最多 " + std::to_string(kMaxImportBytes / (1024 * 1024)) + " MB）";
        case ReadEnd::Workbook:
            return "这是 Excel/WPS 工作簿，不是文本文件：请在 Excel 或 WPS 中“另存为” CSV 文件后再导入";
        case ReadEnd::TooLargeJson:
            return "JSON 文件太大（最多 " + std::to_string(kMaxJsonBytes / (1024 * 1024)) +
                   " MB），请改用 CSV 或文本文件";
        case ReadEnd::JsonTooDeep: return JsonTooDeepReason() + "，不是开奖号码文件";
        case ReadEnd::ReadError: return ReadErrorReason(readErrno);
        case ReadEnd::Cancelled: return "导入已取消";
        case ReadEnd::Done:
        case ReadEnd::Stopped: return {};
    }
    return {};
}

}  // namespace sanxing::history
