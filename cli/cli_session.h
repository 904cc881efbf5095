#pragma once
// What the steps of one sanxing-cli run share: the headless window, the output streams,
// the values gathered for --json, the history database (--history) and the analysis
// choice (--lottery, --last, --from/--to, --position), which hold for every step after them.

#include <filesystem>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>
#include <stdexcept>
#include <string>

#include "analysis/draw_range.h"
#include "app/window_model.h"
#include "history/history_db.h"
#include "runtime/recording_platform.h"

namespace sanxing {

// Bad arguments, found before any step runs (exit code 2).
struct BadInput {
    std::string message;
};

// A step that could not be carried out (exit code 1); later steps do not run.
struct StepFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The database that history steps work on. It is opened on first use, so a run that
// never touches the history never creates or opens one.
class HistoryChoice {
public:
    void chooseDatabase(std::filesystem::path file);
    const std::filesystem::path& databasePath() const { return path_; }
    // Opens the database when not yet open; throws StepFailure with the reason.
    history::HistoryDb& database();

private:
    std::filesystem::path path_ = history::DefaultDatabasePath();
    std::shared_ptr<history::HistoryDb> db_;
};

struct Session {
    RecordingPlatform platform;
    WindowModel window;
    std::ostream& out;
    std::ostream& err;
    bool jsonOutput = false;
    nlohmann::json values = nlohmann::json::object();
    // Results of steps other than --get, kept only for --json: every one in order, and the
    // last of each kind ("import", "backtest", ...) at the top level.
    nlohmann::json steps = nlohmann::json::array();
    nlohmann::json results = nlohmann::json::object();
    std::size_t messagesShown = 0;
    HistoryChoice history;
    // The lottery, range and position of the history steps. Parsing makes sure a lottery
    // was chosen before any step that needs one.
    analysis::AnalysisChoice choice;

    Session(std::string programDirectory, std::ostream& o, std::ostream& e)
        : platform(std::move(programDirectory)), window(platform), out(o), err(e) {}
};

// Keeps a step's result for --json; `makeResult` runs only then, so a text run never
// builds JSON it does not print.
template <typename MakeResult>
void KeepResult(Session& s, const char* step, MakeResult makeResult) {
    if (!s.jsonOutput) return;
    nlohmann::json result = makeResult();
    nlohmann::json entry = {{"step", step}};
    entry.update(result);
    s.steps.push_back(std::move(entry));
    s.results[step] = std::move(result);
}

using Step = std::function<void(Session&)>;

}  // namespace sanxing
