#pragma once
// What the steps of one sanxing-cli run share: the headless window, the output streams,
// the values gathered for --json, the history database (--history), the analysis choice
// (--lottery, --last, --from/--to, --position) and the import choices (--import-columns,
// --replace-conflicts), which hold for every step after them.

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "analysis/draw_range.h"
#include "app/window_model.h"
#include "history/draw_import.h"
#include "history/history_db.h"
#include "runtime/recording_platform.h"
#include "runtime/result.h"
#include "services/analysis_report.h"
#include "services/history_session.h"

namespace sanxing {

// Bad arguments, found while the arguments are read, before any step runs: thrown there
// and reported as a failure with ErrorCode::BadArgument (exit code 2).
struct BadInput {
    std::string message;
};

// A JSON object held as the serialized text of each member (in key order, as the JSON
// library writes objects), so a large result is written out without ever being one tree.
using JsonMembers = std::map<std::string, std::shared_ptr<const std::string>>;

JsonMembers Members(const nlohmann::json& object);
// Writes the members as one compact JSON object.
void WriteObject(std::ostream& out, const JsonMembers& members);

struct KeptResult {
    std::string step;  // "import", "backtest", ...
    JsonMembers members;
    // A result that is not an object (the list of "update"): its text; its entry in
    // "steps" holds it under the step's name.
    std::shared_ptr<const std::string> whole;
};

// Says on `err` what opening the history tells: a read-only file, the shipped draws added.
// A file that cannot be opened is the failure of the step that asked.
void SayHistoryNotice(std::ostream& err, const HistoryNotice& notice);

struct Session {
    RecordingPlatform platform;
    WindowModel window;
    std::ostream& out;
    std::ostream& err;
    bool jsonOutput = false;
    nlohmann::json values = nlohmann::json::object();
    // Results of steps other than --get, kept only for --json: every one in order, and the
    // last of each kind ("import", "backtest", ...) at the top level.
    std::vector<KeptResult> steps;
    std::size_t messagesShown = 0;
    // The history of the steps (--history); the user's own gets the shipped draws when it is
    // opened. Its notices go to `err`.
    HistorySession history;
    // The lottery, range and position of the history steps. Parsing makes sure a lottery
    // was chosen before any step that needs one.
    analysis::AnalysisChoice choice;
    // How the import steps read their input (--import-columns, --replace-conflicts).
    history::ImportOptions import;
    // The schemes of --compare for the back-tests after them, each checked when its
    // option was reached; `compareGiven` also when every one was left out.
    std::vector<services::ComparedScheme> compare;
    bool compareGiven = false;

    Session(std::string programDirectory, std::ostream& o, std::ostream& e)
        : platform(std::move(programDirectory)), window(platform), out(o), err(e) {
        history.offerShippedDraws(platform.programDirectory());
        history.onNotice([this](const HistoryNotice& notice) { SayHistoryNotice(err, notice); });
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
};

// The session's history, opened on first use, or why it cannot be.
Result<history::HistoryDb*> HistoryDatabase(Session& s);

// Keeps a step's result for --json; `makeResult` (giving a JSON object or its members)
// runs only then, so a text run never builds JSON it does not print.
template <typename MakeResult>
void KeepResult(Session& s, const char* step, MakeResult makeResult) {
    if (!s.jsonOutput) return;
    auto result = makeResult();
    if constexpr (std::is_same_v<decltype(result), JsonMembers>) {
        s.steps.push_back({step, std::move(result), nullptr});
    } else if (result.is_object()) {
        s.steps.push_back({step, Members(result), nullptr});
    } else {
        auto text = Members({{step, result}}).begin()->second;
        s.steps.push_back({step, {{step, text}}, text});
    }
}

// One step of a run. A step that can fail returns Result<void>: a failure stops the run
// (exit code 1); one that cannot fail returns nothing.
class Step {
public:
    template <typename Run>
    requires std::is_invocable_v<Run&, Session&> Step(Run run) {
        if constexpr (std::is_void_v<std::invoke_result_t<Run&, Session&>>) {
            run_ = [run = std::move(run)](Session& s) mutable -> Result<void> {
                run(s);
                return {};
            };
        } else {
            run_ = std::move(run);
        }
    }

    Result<void> operator()(Session& s) const { return run_(s); }

private:
    std::function<Result<void>(Session&)> run_;
};

}  // namespace sanxing
