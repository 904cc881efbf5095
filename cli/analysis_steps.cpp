#include "cli/analysis_steps.h"

#include <algorithm>

#include "analysis/backtest.h"
#include "app/scheme.h"
#include "cli/analysis_json.h"
#include "history/canonical_issue.h"
#include "runtime/regular_file.h"
#include "runtime/text.h"
#include "services/analysis_report.h"
#include "services/trend_report.h"

namespace sanxing {

namespace {

using namespace analysis;

// The draws of the chosen lottery and range; a range larger than the history is said on
// the error stream.
template <typename Loaded>
Result<Loaded> Chosen(Session& s, Result<Loaded> loaded) {
    if (loaded && !loaded->note.empty()) s.err << loaded->note << '\n';
    return loaded;
}

Result<void> BacktestStep(Session& s) {
    const Conditions conditions = Conditions::FromControls(s.window.controls());
    const services::Pricing pricing{DefaultPrices(*s.choice.lottery), s.window.controls(), s.compare};
    const auto db = HistoryDatabase(s);
    if (!db) return db.failure();
    // The range is not kept past the report: its draws are in the back-test.
    auto range = Chosen(s, services::ReadAnalysisRange(**db, s.choice));
    if (!range) return range.failure();
    const services::BacktestReport report = services::MakeBacktestReport(std::move(*range), conditions, pricing);
    if (!s.jsonOutput) WriteBacktestText(s.out, conditions, report, s.compareGiven);
    KeepResult(s, "backtest", [&] {
        JsonMembers members = Members(BacktestJson(conditions, report, s.compareGiven));
        members["draws"] = std::make_shared<const std::string>(BacktestDrawsJson(conditions, report.backtest));
        return members;
    });
    return {};
}

// The scheme in a --compare file (a regular file only, as the 方案 menu reads it), or why
// it cannot be used.
Result<nlohmann::json> ReadComparedScheme(const Controls& controls, const std::string& file) {
    const auto text = ReadRegularFile(file, kMaxSchemeFileBytes);
    if (OverLimit(text, file)) return Failure{"方案文件太大（超过 4 MB），不是方案"};
    if (!text) return Failure{"无法读取方案文件：" + text.error()};
    return CheckConditionScheme(controls, *text);
}

// Checks the scheme of --compare FILE: a usable one joins the comparison of the back-tests
// after it; one that cannot be used is named with its reason and left out.
void CompareStep(Session& s, const std::string& file) {
    s.compareGiven = true;
    auto scheme = ReadComparedScheme(s.window.controls(), file);
    if (!scheme) {
        s.platform.reportFailure("方案文件“" + file + "”无法使用，未计入对比：" + scheme.error(), "对比方案");
        return;
    }
    s.compare.push_back({file, std::move(*scheme)});
}

Result<void> TrendStep(Session& s) {
    // Omission counts back through the whole history; the range picks the rows.
    const auto db = HistoryDatabase(s);
    if (!db) return db.failure();
    const auto report = Chosen(s, services::ReadTrendReport(**db, s.choice));
    if (!report) return report.failure();
    if (!s.jsonOutput) s.out << TrendText(report->trend);
    KeepResult(s, "trend", [&] { return TrendJson(report->trend); });
    return {};
}

Result<void> ExplainStep(Session& s, const std::string& number) {
    const Conditions conditions = Conditions::FromControls(s.window.controls());
    const auto explanation = ExplainNumber(conditions, number);
    if (!explanation) return explanation.failure();
    if (!s.jsonOutput) s.out << ExplainText(*explanation);
    KeepResult(s, "explain", [&] { return ExplainJson(*explanation); });
    return {};
}

// A count of draws: 1 to 10,000,000.
std::size_t ParseCount(const std::string& option, const std::string& argument) {
    const bool digits =
        !argument.empty() && argument.size() <= 8 && std::all_of(argument.begin(), argument.end(), IsAsciiDigit);
    const long long count = digits ? std::stoll(argument) : 0;
    if (count < 1 || count > 10'000'000) {
        throw BadInput{option + " 需要 1 到 10000000 之间的期数，收到“" + std::string(ShortenedText(argument, 24)) +
                       "”"};
    }
    return static_cast<std::size_t>(count);
}

// --from and --to set one end of an issue range, in the stored form of the lottery chosen
// then; the other end stays when the range was already one, else it is open.
Result<void> SetIssueEnd(Session& s, const std::string& option, const std::string& text) {
    auto issue = history::CanonicalIssue(text, *s.choice.lottery);
    if (!issue) return Failure{option + ": " + issue.error(), issue.code()};
    RangeChoice& range = s.choice.range;
    if (range.kind != RangeChoice::Kind::Issues) range = RangeChoice::Issues({}, {});
    (option == "--from" ? range.from : range.to) = std::move(*issue);
    return {};
}

}  // namespace

std::optional<Step> ParseAnalysisFlag(const std::string& option, const HistoryOptions& seen) {
    if (option == "--backtest") {
        seen.requireLottery(option);
        return Step(BacktestStep);
    }
    if (option == "--trend") {
        seen.requireLottery(option);
        return Step(TrendStep);
    }
    return std::nullopt;
}

std::optional<Step> ParseAnalysisOption(const std::string& option, const std::string& argument,
                                        const HistoryOptions& seen) {
    if (option == "--last") {
        const std::size_t count = ParseCount(option, argument);
        return [count](Session& s) { s.choice.range = RangeChoice::Newest(count); };
    }
    if (option == "--from" || option == "--to") {
        // Checked now against the lottery chosen so far, and again when the step runs.
        seen.requireLottery(option);
        if (auto issue = history::CanonicalIssue(argument, *seen.lottery); !issue) {
            throw BadInput{option + ": " + issue.error()};
        }
        return [option, argument](Session& s) { return SetIssueEnd(s, option, argument); };
    }
    if (option == "--position") {
        const auto position = PositionFromName(argument);
        if (!position)
            throw BadInput{"--position 只能是 前三、中三 或 后三，收到“" + std::string(ShortenedText(argument, 24)) +
                           "”"};
        return [where = *position](Session& s) { s.choice.position = where; };
    }
    if (option == "--compare") return [argument](Session& s) { CompareStep(s, argument); };
    if (option == "--explain") {
        if (auto checked = CheckNumberText(argument); !checked) throw BadInput{"--explain: " + checked.error()};
        return [argument](Session& s) { return ExplainStep(s, argument); };
    }
    return std::nullopt;
}

std::string AnalysisUsage() {
    return "  --last N               the newest N draws for the steps after it (default: all)\n"
           "  --from ISSUE           first issue of the range (with --to: both included), an issue\n"
           "                         of the --lottery before it (2024144, 24144, 20241012-023, ...)\n"
           "  --to ISSUE             last issue of the range\n"
           "  --position P           前三, 中三 or 后三: the three digits of a five-digit number\n"
           "                         (default 前三; three-digit lotteries use the whole number)\n"
           "  --backtest             try the current conditions on the range's draws (历史验证):\n"
           "                         hits against chance (exact binomial p-value), year by\n"
           "                         year, money at the lottery's price and prize; with fair\n"
           "                         draws any scheme's expected return is prize/1000/price\n"
           "                         of its cost (52% for 福彩3D), whatever its conditions\n"
           "  --compare FILE         a scheme file to compare with the current conditions in\n"
           "                         the back-tests after it (repeatable)\n"
           "  --trend                omission figures (走势图): rows of the range, omission counted\n"
           "                         back through the whole history\n"
           "  --explain NUMBER       the groups a three-digit number fails (查号)\n";
}

}  // namespace sanxing
