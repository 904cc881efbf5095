#include "cli/history_steps.h"

#include "history/column_map.h"
#include "history/draw_import.h"
#include "services/history_export.h"
#include "services/history_import.h"
#include "services/history_refresh.h"

namespace sanxing {

namespace {

using nlohmann::json;

json ImportJson(const history::ImportReport& report) {
    json conflicts = json::array();
    for (const auto& c : report.conflicts) {
        json conflict = {{"line", c.line}, {"issue", c.issue}, {"stored", c.stored}, {"file", c.file}};
        if (c.otherLine) conflict["otherLine"] = c.otherLine;  // a conflict between two lines of the file
        conflicts.push_back(std::move(conflict));
    }
    json replaced = json::array();
    for (const auto& r : report.replaced) {
        replaced.push_back({{"line", r.line}, {"issue", r.issue}, {"stored", r.before}, {"file", r.after}});
    }
    json rejected = json::array();
    for (const auto& r : report.rejected) rejected.push_back({{"line", r.line}, {"reason", r.reason}});
    json result = {{"columns", history::ColumnMapText(report.columns)},
                   {"stored", report.stored},
                   {"present", report.present},
                   {"repeated", report.repeated},
                   {"restored", report.restoredIssues},
                   {"header", report.header},
                   {"conflicts", conflicts},
                   {"replaced", replaced},
                   {"rejected", rejected}};
    // Only a file of more than ten thousand such lines gets these.
    if (report.conflictsNotListed) result["conflictsNotListed"] = report.conflictsNotListed;
    if (report.replacedNotListed) result["replacedNotListed"] = report.replacedNotListed;
    if (report.rejectedNotListed) result["rejectedNotListed"] = report.rejectedNotListed;
    return result;
}

void PrintImport(std::ostream& out, const std::string& file, const history::Lottery& lottery,
                 const history::ImportReport& report) {
    out << "导入 " << file << " 到" << lottery.name << "：" << history::ImportSummary(report) << '\n';
    for (const auto& c : report.conflicts) {
        out << "冲突 第" << c.line << "行 期号 " << c.issue << "：";
        if (c.otherLine) {
            out << "文件为 " << c.file << "，与第" << c.otherLine << "行不同，都不存入\n";
        } else {
            out << "保留 " << c.stored << "，文件为 " << c.file << '\n';
        }
    }
    for (const auto& r : report.replaced) {
        out << "替换 第" << r.line << "行 期号 " << r.issue << "：" << r.before << " 改为 " << r.after << '\n';
    }
    for (const auto& r : report.rejected) out << "拒绝 第" << r.line << "行：" << r.reason << '\n';
    const std::size_t more = report.conflictsNotListed + report.replacedNotListed + report.rejectedNotListed;
    if (more) out << "另有 " << more << " 行冲突、替换或被拒绝，未一一列出\n";
}

Result<void> ImportStep(Session& s, const std::string& file) {
    const history::Lottery& lottery = *s.choice.lottery;
    // A file that cannot be imported leaves no new database behind.
    auto source = file == "-" ? ImportSource::StandardInput() : ImportSource::File(file);
    if (!source) return source.failure();
    // Opened first: what opening says comes before the import's words.
    if (auto db = HistoryDatabase(s); !db) return db.failure();
    auto report = ImportDraws(s.history, *source, lottery, s.import);
    if (!report) return report.failure();
    if (!s.import.columns && report->columns.complete()) {
        s.err << "检测到的列：" << history::ColumnMapText(report->columns) << "（可用 --import-columns 指定）\n";
    }
    if (!s.jsonOutput) PrintImport(s.out, source->name(), lottery, *report);
    KeepResult(s, "import", [&] { return ImportJson(*report); });
    return {};
}

Result<void> ExportStep(Session& s, const std::string& file) {
    const history::Lottery& lottery = *s.choice.lottery;
    const auto db = HistoryDatabase(s);
    if (!db) return db.failure();
    const auto exported = ExportDraws(**db, lottery, file);
    if (!exported) return exported.failure();
    const std::size_t count = *exported;
    if (!s.jsonOutput) s.out << "导出 " << lottery.name << " " << count << " 期到 " << file << '\n';
    KeepResult(s, "export", [&] { return json{{"file", file}, {"draws", count}}; });
    return {};
}

// Every draw-file address of --sources ("history"), one line or JSON entry each. A failed
// address is a message (stderr, or "messages"); when every address failed, the step failed.
Result<void> UpdateStep(Session& s) {
    const auto report = UpdateDraws(s.history, s.window.drawHosts());
    if (!report) return report.failure();
    const std::vector<HistoryUpdate>& updates = report->updates;
    if (updates.empty() && !s.jsonOutput) s.err << "sources.json 中没有开奖文件的地址（\"history\"）\n";
    for (const HistoryUpdate& update : updates) {
        if (update.error.empty()) {
            if (!s.jsonOutput) s.out << UpdateLine(update) << '\n';
        } else if (report->allFailed()) {
            s.platform.reportFailure(UpdateLine(update), kUpdateCaption);
        } else {
            s.platform.messageBox(UpdateLine(update), kUpdateCaption, MessageIcon::Warning, MessageButtons::Ok);
        }
    }
    KeepResult(s, "update", [&] {
        json list = json::array();
        for (const HistoryUpdate& u : updates) {
            list.push_back({{"lottery", u.lottery},
                            {"url", u.url},
                            {"added", u.added},
                            {"present", u.present},
                            {"conflicts", u.conflicts},
                            {"rejected", u.rejected},
                            {"error", u.error}});
        }
        return list;
    });
    return {};
}

}  // namespace

void SayHistoryNotice(std::ostream& err, const HistoryNotice& notice) {
    switch (notice.kind) {
        case HistoryNotice::Kind::ReadOnly: err << notice.text << '\n'; break;
        case HistoryNotice::Kind::ShippedDraws: err << notice.text; break;
        case HistoryNotice::Kind::Off:
        case HistoryNotice::Kind::Busy: break;  // the step that asked fails with it
    }
}

Result<history::HistoryDb*> HistoryDatabase(Session& s) {
    auto db = s.history.database();
    if (!db) return db.failure();
    return db->get();
}

void HistoryOptions::requireLottery(const std::string& option) const {
    if (!lotteryChosen) throw BadInput{option + " 之前需要 --lottery 彩种"};
}

std::optional<Step> ParseHistoryOption(const std::string& option, const std::string& argument, HistoryOptions& seen) {
    if (option == "--history") {
        if (argument.empty()) throw BadInput{"--history 需要文件名"};
        return [argument](Session& s) { s.history.chooseFile(argument); };
    }
    if (option == "--lottery") {
        const history::Lottery* lottery = history::FindLottery(argument);
        if (!lottery) {
            throw BadInput{"--lottery：未知的彩种“" + argument + "”（可选：" + std::string(history::LotteryNames()) +
                           "）"};
        }
        seen.lotteryChosen = true;
        seen.lottery = lottery;
        return [lottery](Session& s) { s.choice.lottery = lottery; };
    }
    if (option == "--import-columns") {
        auto columns = history::ParseColumnMap(argument);
        if (!columns) throw BadInput{option + ": " + columns.error()};
        if (seen.lottery) {
            if (auto fits = history::CheckColumnMap(*columns, *seen.lottery); !fits) {
                throw BadInput{option + ": " + fits.error()};
            }
        }
        return [columns = *columns](Session& s) { s.import.columns = columns; };
    }
    if (option == "--import-draws") {
        seen.requireLottery(option);
        return [argument](Session& s) { return ImportStep(s, argument); };
    }
    if (option == "--export-draws") {
        seen.requireLottery(option);
        return [argument](Session& s) { return ExportStep(s, argument); };
    }
    return std::nullopt;
}

std::optional<Step> ParseHistoryFlag(const std::string& option) {
    if (option == "--add-shipped-draws") {
        return [](Session& s) { return s.history.addShippedDraws(s.platform.programDirectory()); };
    }
    if (option == "--replace-conflicts") return Step([](Session& s) { s.import.replaceConflicts = true; });
    if (option == "--update-draws") return Step(UpdateStep);
    return std::nullopt;
}

std::string HistoryUsage() {
    return "  --history FILE         the draw history database for the steps after it\n"
           "                         (default $XDG_DATA_HOME/sanxing/history.sqlite)\n"
           "  --lottery NAME         the lottery for the steps after it:\n"
           "                         " +
           std::string(history::LotteryNames()) +
           "\n"
           "  --add-shipped-draws    add the shipped draws of 福彩3D and 排列三 that the database\n"
           "                         was never offered (the default database gets them on its own)\n"
           "  --update-draws         import the draws the history lacks from the draw-file addresses\n"
           "                         of --sources (\"history\": lottery -> list of addresses), 60 s\n"
           "                         at most in all; a failed address is said on stderr, and when\n"
           "                         every address failed the exit status is 1\n"
           "  --import-draws FILE    import a file of draws (- reads standard input); the columns of\n"
           "                         issue, number and date are detected and printed on stderr\n"
           "  --import-columns 期号=1,号码=3-5[,日期=2]\n"
           "                         the columns of the imports after it (from 1; 号码=3-5: a digit a column)\n"
           "  --replace-conflicts    the imports after it replace stored draws that differ (以文件为准)\n"
           "  --export-draws FILE    write the lottery's draws as CSV (期号,号码,开奖日期), oldest first\n";
}

}  // namespace sanxing
