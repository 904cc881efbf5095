#include "history/draw_import.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "history/draw_line.h"
#include "runtime/gbk.h"

namespace sanxing::history {

namespace {

std::string Quoted(const std::filesystem::path& file) { return "“" + file.string() + "”"; }

Failure CannotImport(const std::filesystem::path& file, std::string_view reason) {
    return {"无法导入" + Quoted(file) + "：" + std::string(reason) + "；开奖历史未作改动"};
}

std::string ReadErrorReason(int error) {
    switch (error) {
        case EACCES:
        case EPERM: return "没有读取权限";
        case ENOENT: return "文件不存在";
        case EISDIR: return "这是一个文件夹，不是文件";
        default: return std::string("读取失败（") + std::strerror(error) + "）";
    }
}

// Why the file cannot be imported at all, or success.
Result<void> CheckImportFile(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (!std::filesystem::exists(status)) return Failure{"文件不存在"};
    if (std::filesystem::is_directory(status)) return Failure{"这是一个文件夹，不是文件"};
    if (!std::filesystem::is_regular_file(status)) return Failure{"这不是普通文件"};
    const auto size = std::filesystem::file_size(file, error);
    if (!error && size > kMaxImportBytes) {
        return Failure{"文件太大（" + std::to_string(size / (1024 * 1024)) + " MB，开奖号码文件最多 " +
                       std::to_string(kMaxImportBytes / (1024 * 1024)) + " MB），不像开奖号码文件"};
    }
    return {};
}

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t width = lead < 0x80           ? 1
                                  : (lead >> 5) == 0x6  ? 2
                                  : (lead >> 4) == 0xE  ? 3
                                  : (lead >> 3) == 0x1E ? 4
                                                        : 0;
        if (width == 0 || i + width > text.size()) return false;
        for (std::size_t k = 1; k < width; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += width;
    }
    return true;
}

// Control bytes that no text file holds (NUL and the like): the file is binary.
bool HasBinaryBytes(std::string_view chunk) {
    for (char c : chunk) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x09 || (byte > 0x0D && byte < 0x1A)) return true;
    }
    return false;
}

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Feeds parsed lines into the open write transaction and keeps the report.
class LineSink {
public:
    LineSink(DrawWriter& writer, const Lottery& lottery, std::string source)
        : writer_(writer), lottery_(lottery), source_(std::move(source)), recorded_(NowUtc()) {}

    // False when the database failed.
    bool Take(std::size_t lineNumber, std::string_view raw, bool tooLong) {
        if (tooLong) {
            Reject(lineNumber, "此行太长（超过 " + std::to_string(kMaxLineBytes) + " 字节），不是开奖号码");
            return true;
        }
        const std::string converted = IsUtf8(raw) ? std::string() : sanxing::GbkToUtf8(raw);
        ParsedLine parsed = ParseDrawLine(converted.empty() ? raw : std::string_view(converted), lottery_);
        if (parsed.kind == ParsedLine::Kind::Rejected) Reject(lineNumber, std::move(parsed.reason));
        if (parsed.kind != ParsedLine::Kind::Draw) return true;
        pending_.push_back(
            {std::move(parsed.issue), std::move(parsed.number), std::move(parsed.date), source_, recorded_});
        pendingLines_.push_back(lineNumber);
        return pending_.size() < DrawWriter::kBlock || Flush();
    }

    // Hands the waiting draws to the database; false when it failed.
    bool Flush() {
        const auto added = writer_.addAll(lottery_.name, pending_);
        for (std::size_t i = 0; i < added.size(); ++i) {
            switch (added[i].outcome) {
                case DrawWriter::Outcome::Stored: ++report_.stored; break;
                case DrawWriter::Outcome::Present: ++report_.present; break;
                case DrawWriter::Outcome::Conflict:
                    Conflict(pendingLines_[i], pending_[i], added[i].storedNumber);
                    break;
                case DrawWriter::Outcome::Failed: return false;
            }
        }
        pending_.clear();
        pendingLines_.clear();
        return true;
    }

    ImportReport& report() { return report_; }

private:
    void Conflict(std::size_t lineNumber, const StoredDraw& draw, std::string stored) {
        if (report_.conflicts.size() < kListLimit) {
            report_.conflicts.push_back({lineNumber, draw.issue, std::move(stored), draw.number});
        } else {
            ++report_.conflictsNotListed;
        }
    }

    void Reject(std::size_t lineNumber, std::string reason) {
        if (report_.rejected.size() < kListLimit) {
            report_.rejected.push_back({lineNumber, std::move(reason)});
        } else {
            ++report_.rejectedNotListed;
        }
    }

    DrawWriter& writer_;
    const Lottery& lottery_;
    std::string source_;
    std::string recorded_;
    std::vector<StoredDraw> pending_;  // parsed, not yet written
    std::vector<std::size_t> pendingLines_;
    ImportReport report_;
};

enum class StreamEnd { Done, Binary, Utf16, ReadError, DatabaseError, Cancelled };

// Reads the file in chunks and hands each line (without its break) to the sink; a line
// longer than kMaxLineBytes is cut off and flagged, so memory stays bounded.
StreamEnd StreamLines(std::FILE* file, LineSink& sink, const std::atomic<bool>* cancel) {
    std::vector<char> chunk(64 * 1024);
    std::string line;
    bool tooLong = false, first = true;
    std::size_t lineNumber = 1;
    auto flush = [&] {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const bool ok = sink.Take(lineNumber++, line, tooLong);
        line.clear();
        tooLong = false;
        return ok;
    };
    for (;;) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file);
        if (got == 0) break;
        if (cancel && cancel->load()) return StreamEnd::Cancelled;
        std::string_view data(chunk.data(), got);
        if (first) {
            first = false;
            if (data.starts_with("\xFF\xFE") || data.starts_with("\xFE\xFF")) return StreamEnd::Utf16;
            if (data.starts_with("\xEF\xBB\xBF")) data.remove_prefix(3);
        }
        if (HasBinaryBytes(data)) return StreamEnd::Binary;
        while (!data.empty()) {
            const std::size_t end = data.find('\n');
            const std::string_view piece = data.substr(0, end);
            const std::size_t room = kMaxLineBytes + 1 - std::min(line.size(), kMaxLineBytes + 1);
            line.append(piece.substr(0, room));
            if (piece.size() > room) tooLong = true;
            if (end == std::string_view::npos) break;
            if (!flush()) return StreamEnd::DatabaseError;
            data.remove_prefix(end + 1);
        }
    }
    if (std::ferror(file)) return StreamEnd::ReadError;
    if ((!line.empty() || tooLong) && !flush()) return StreamEnd::DatabaseError;
    return sink.Flush() ? StreamEnd::Done : StreamEnd::DatabaseError;
}

}  // namespace

Result<void> CheckDrawFile(const std::filesystem::path& file) {
    if (auto importable = CheckImportFile(file); !importable) return CannotImport(file, importable.error());
    return {};
}

Result<ImportReport> ImportDrawFile(HistoryDb& db, const Lottery& lottery, const std::filesystem::path& file,
                                    const std::atomic<bool>* cancel) {
    if (auto importable = CheckImportFile(file); !importable) return CannotImport(file, importable.error());
    std::unique_ptr<std::FILE, CloseFile> input(std::fopen(file.c_str(), "rb"));
    if (!input) return CannotImport(file, ReadErrorReason(errno));

    auto writer = db.startWriting();
    if (!writer) return Failure{writer.error()};
    LineSink sink(*writer, lottery, file.filename().string());
    switch (StreamLines(input.get(), sink, cancel)) {
        case StreamEnd::Done: break;
        case StreamEnd::Binary: return CannotImport(file, "文件含有二进制内容，不是文本文件");
        case StreamEnd::Utf16: return CannotImport(file, "文件是 UTF-16 编码，请另存为 UTF-8 或 GBK");
        case StreamEnd::ReadError: return CannotImport(file, ReadErrorReason(errno));
        case StreamEnd::DatabaseError: return Failure{writer->error()};
        case StreamEnd::Cancelled: return CannotImport(file, "导入已取消");
    }
    ImportReport& report = sink.report();
    // A file without a draw leaves the database exactly as it was: the writer rolls back.
    if (report.draws() == 0) return std::move(report);
    if (auto committed = writer->commit(); !committed) return Failure{committed.error()};
    return std::move(report);
}

std::string ImportSummary(const ImportReport& report) {
    const std::size_t rejected = report.rejected.size() + report.rejectedNotListed;
    if (report.draws() == 0) {
        return "文件中没有开奖号码（" + std::to_string(rejected) + " 行被拒绝），开奖历史未作改动";
    }
    return "新存入 " + std::to_string(report.stored) + " 期，已有 " + std::to_string(report.present) + " 期，冲突 " +
           std::to_string(report.conflicts.size() + report.conflictsNotListed) + " 期，拒绝 " +
           std::to_string(rejected) + " 行";
}

}  // namespace sanxing::history
