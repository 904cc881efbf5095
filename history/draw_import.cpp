#include "history/draw_import.h"

#include <algorithm>
#include <cerrno>
#include <memory>

#include "history/staged_import.h"
#include "runtime/text.h"

namespace sanxing::history {

namespace {

std::string Quoted(std::string_view name) { return "“" + std::string(name) + "”"; }

// A line's fields as the report names it: one space apart, control characters escaped, cut.
std::string ShownFields(std::span<const std::string_view> fields) {
    std::string joined;
    for (std::string_view field : fields) {
        if (!joined.empty()) joined += ' ';
        joined += field;
    }
    return ShownText(joined);
}

Failure CannotImport(std::string_view name, std::string_view reason) {
    return {"无法导入" + Quoted(name) + "：" + std::string(reason) + "；开奖历史未作改动"};
}

template <typename Entry>
void Keep(std::vector<Entry>& list, std::size_t& notListed, Entry entry) {
    if (list.size() < kListLimit) {
        list.push_back(std::move(entry));
    } else {
        ++notListed;
    }
}

// Takes the reader's lines: stages the draws block by block and keeps the report.
class ImportSink final : public DrawLineHandler {
public:
    ImportSink(StagedImport& staging, const Lottery& lottery, ImportReport& report)
        : staging_(staging), lottery_(lottery), report_(report) {}

    bool columnsKnown(const Detection& detection, std::string_view firstLine) override {
        report_.columns = detection.columns;
        report_.better = detection.better;
        // Without a line to read (a header only) there is nothing to detect.
        if (detection.columns.complete() || detection.sampled == 0) return true;
        undetected_ = UndetectedMessage(detection, firstLine, lottery_);
        return false;
    }

    bool line(std::size_t number, std::span<const std::string_view> fields, ParsedLine& parsed) override {
        ++report_.lines;
        if (parsed.kind == ParsedLine::Kind::Header && report_.headerLine == 0) {
            report_.headerLine = number;
            report_.header = ShownFields(fields);
        }
        if (parsed.issueRestored) ++report_.restoredIssues;
        if (parsed.kind == ParsedLine::Kind::Rejected) {
            Keep(report_.rejected, report_.rejectedNotListed, {number, std::move(parsed.reason)});
        }
        if (parsed.kind != ParsedLine::Kind::Draw) return true;
        ++report_.drawLines;
        pending_.push_back({number, std::move(parsed.issue), std::move(parsed.number), std::move(parsed.date)});
        return pending_.size() < StagedImport::kBlock || flush();
    }

    // Stages the waiting draws; false when the database failed (failure()).
    bool flush() {
        auto outcomes = staging_.stage(pending_);
        if (!outcomes) {
            failure_ = outcomes.failure();
            return false;
        }
        for (std::size_t i = 0; i < outcomes->size(); ++i) {
            const Staged& staged = (*outcomes)[i];
            if (staged.kind == Staged::Kind::Repeat) ++report_.repeated;
            if (staged.kind != Staged::Kind::Conflict) continue;
            const FileDraw& draw = pending_[i];
            if (staged.firstTimeConflict) {
                ++report_.fileConflicts;
                Keep(report_.conflicts, report_.conflictsNotListed,
                     {staged.firstLine, draw.issue, {}, staged.firstNumber, draw.line});
            }
            Keep(report_.conflicts, report_.conflictsNotListed,
                 {draw.line, draw.issue, {}, draw.number, staged.firstLine});
        }
        pending_.clear();
        return true;
    }

    const std::string& undetected() const { return undetected_; }
    const Failure& failure() const { return failure_; }

private:
    StagedImport& staging_;
    const Lottery& lottery_;
    ImportReport& report_;
    std::vector<FileDraw> pending_;
    std::string undetected_;
    Failure failure_;
};

// Thousands apart with commas: 5,872.
std::string Counted(std::size_t count) {
    const std::string digits = std::to_string(count);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

// When most staged draws that meet stored draws of `lottery` give another number, and most
// of them agree with another lottery's history of the same digit count: why the file
// seems to be of that lottery; empty otherwise.
Result<std::string> WrongLottery(StagedImport& staging, const Lottery& lottery) {
    constexpr std::size_t kFewest = 5;  // shared issues needed before a file is judged
    auto own = staging.agreement(lottery);
    if (!own) return own.failure();
    if (own->other < kFewest || own->other * 2 <= own->same + own->other) return std::string();
    for (const Lottery& other : Lotteries()) {
        if (&other == &lottery || other.digits != lottery.digits) continue;
        auto theirs = staging.agreement(other);
        if (!theirs) return theirs.failure();
        if (theirs->same >= kFewest && theirs->same * 2 > theirs->same + theirs->other && theirs->same > own->same) {
            return "这些号码与" + std::string(other.name) + "的开奖历史一致（" + Counted(theirs->same) + " 期），与" +
                   std::string(lottery.name) + "的不一致：是不是选错了彩种？";
        }
    }
    return std::string();
}

// The staged draws against the history, into the report; with `replace`, the stored
// draws in conflict are replaced and listed.
Result<void> StoreStaged(StagedImport& staging, std::string_view source, bool replace, ImportReport& report) {
    auto finished = staging.finish(source, NowUtc(), replace, kListLimit);
    if (!finished) return finished.failure();
    report.stored = finished->stored;
    report.present = finished->present;
    if (finished->replaced) {
        for (StoredConflict& c : finished->conflicts) {
            report.replaced.push_back({c.line, std::move(c.issue), std::move(c.stored), std::move(c.file)});
        }
        report.replacedNotListed = finished->conflictsNotListed;
        return {};
    }
    report.storedConflicts = finished->conflicts.size() + finished->conflictsNotListed;
    for (StoredConflict& c : finished->conflicts) {
        Keep(report.conflicts, report.conflictsNotListed,
             {c.line, std::move(c.issue), std::move(c.stored), std::move(c.file), 0});
    }
    report.conflictsNotListed += finished->conflictsNotListed;
    return {};
}

// Reads the input with `read` (a function of the options and the sink) and stores it.
template <typename Read>
Result<ImportReport> Import(HistoryDb& db, const Lottery& lottery, std::string_view name, std::string_view source,
                            const ImportOptions& options, Read read) {
    if (options.columns) {
        if (auto fits = CheckColumnMap(*options.columns, lottery); !fits) return CannotImport(name, fits.error());
    }
    auto staging = StagedImport::begin(db, lottery);
    if (!staging) return staging.failure();
    ImportReport report;
    ImportSink sink(*staging, lottery, report);
    const ReadOptions readOptions{options.columns ? &*options.columns : nullptr, options.cancel};
    const ReadEnd end = read(readOptions, sink);
    const int readErrno = errno;
    if (end == ReadEnd::Stopped && !sink.undetected().empty()) return CannotImport(name, sink.undetected());
    if (end == ReadEnd::Stopped || (end == ReadEnd::Done && !sink.flush())) return sink.failure();
    if (end != ReadEnd::Done) return CannotImport(name, ReadEndReason(end, readErrno));
    // An input without a draw leaves the database exactly as it was: the staging rolls back.
    if (report.draws() == 0) return report;
    if (!options.otherLotteryConfirmed) {
        auto wrong = WrongLottery(*staging, lottery);
        if (!wrong) return wrong.failure();
        if (!wrong->empty()) return Failure{CannotImport(name, *wrong).error, ErrorCode::OtherLottery};
    }
    // Cancelled while storing (the store stops then) or after: rolled back.
    staging->cancelWith(options.cancel);
    auto stored = StoreStaged(*staging, source, options.replaceConflicts, report);
    if (options.cancel && options.cancel->load()) return CannotImport(name, ReadEndReason(ReadEnd::Cancelled));
    if (!stored) return stored.failure();
    std::stable_sort(report.conflicts.begin(), report.conflicts.end(),
                     [](const ImportConflict& a, const ImportConflict& b) { return a.line < b.line; });
    if (auto committed = staging->commit(); !committed) return committed.failure();
    return report;
}

}  // namespace

Result<DrawFile> OpenImportFile(const std::filesystem::path& file) {
    auto opened = OpenDrawFile(file);
    if (!opened) return CannotImport(file.string(), opened.error());
    return opened;
}

Result<ImportReport> ImportDrawFile(HistoryDb& db, const Lottery& lottery, const std::filesystem::path& file,
                                    const ImportOptions& options) {
    auto input = OpenImportFile(file);
    if (!input) return input.failure();
    return ImportDrawFile(db, lottery, file, input->get(), options);
}

Result<ImportReport> ImportDrawFile(HistoryDb& db, const Lottery& lottery, const std::filesystem::path& file,
                                    std::FILE* input, const ImportOptions& options) {
    std::rewind(input);
    return Import(
        db, lottery, file.string(), file.filename().string(), options,
        [&](const ReadOptions& read, DrawLineHandler& sink) { return ReadDrawLines(input, lottery, read, sink); });
}

Result<ImportReport> ImportDrawText(HistoryDb& db, const Lottery& lottery, std::string_view text,
                                    std::string_view source, const ImportOptions& options) {
    return Import(db, lottery, source, source, options, [&](const ReadOptions& read, DrawLineHandler& sink) {
        return ReadDrawLines(text, lottery, read, sink);
    });
}

Result<ImportReport> ImportDrawStream(HistoryDb& db, const Lottery& lottery, std::FILE* input, std::string_view source,
                                      const ImportOptions& options) {
    return Import(db, lottery, source, source, options, [&](const ReadOptions& read, DrawLineHandler& sink) {
        return ReadDrawLines(input, lottery, read, sink);
    });
}

std::string ImportSummary(const ImportReport& report) {
    const std::string rejected = std::to_string(report.rejectedCount());
    if (report.draws() == 0) return "文件中没有开奖号码（" + rejected + " 行被拒绝），开奖历史未作改动";
    std::string summary = "新存入 " + std::to_string(report.stored) + " 期，已有 " + std::to_string(report.present) +
                          " 期，冲突 " + std::to_string(report.conflictCount()) + " 期，拒绝 " + rejected + " 行";
    if (report.replacedCount() > 0) summary += "，以文件为准替换 " + std::to_string(report.replacedCount()) + " 期";
    if (report.repeated > 0) summary += "；文件中重复的 " + std::to_string(report.repeated) + " 行只存一次";
    if (report.restoredIssues > 0) {
        summary += "；" + std::to_string(report.restoredIssues) +
                   " 行的期号缺了开头的 0（电子表格会去掉），已按开奖日期的年份补全";
    }
    // A header with digits might have been a draw: it is named, so that none goes unseen.
    if (report.headerLine > 0 && std::any_of(report.header.begin(), report.header.end(), IsAsciiDigit)) {
        summary += "；第 " + std::to_string(report.headerLine) + " 行当作标题跳过：“" + report.header + "”";
    }
    return summary;
}

}  // namespace sanxing::history
