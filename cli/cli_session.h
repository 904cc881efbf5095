#pragma once
// What the steps of one sanxing-cli run share: the headless window, the output streams,
// the values gathered for --json, and the history choices (--history, --lottery), which
// hold for every step after them.

#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>

#include "analysis/analysed_draw.h"
#include "analysis/draw_range.h"
#include "app/window_model.h"
#include "history/history_db.h"
#include "history/lotteries.h"
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

// The database and lottery that history steps work on. The database is opened on first
// use, so a run that never touches the history never creates or opens one.
class HistoryChoice {
public:
    void chooseDatabase(std::filesystem::path file);
    void chooseLottery(const history::Lottery& lottery) { lottery_ = &lottery; }

    const std::filesystem::path& databasePath() const { return path_; }
    // Parsing makes sure a lottery was chosen before any step that needs one.
    const history::Lottery& lottery() const { return *lottery_; }
    // Opens the database when not yet open; throws StepFailure with the reason.
    history::HistoryDb& database();

private:
    std::filesystem::path path_ = history::DefaultDatabasePath();
    const history::Lottery* lottery_ = nullptr;
    std::optional<history::HistoryDb> db_;
};

struct Session {
    RecordingPlatform platform;
    WindowModel window;
    std::ostream& out;
    std::ostream& err;
    bool jsonOutput = false;
    nlohmann::json values = nlohmann::json::object();
    // Results of steps other than --get ("import", ...), printed at the top level of --json.
    nlohmann::json results = nlohmann::json::object();
    std::size_t messagesShown = 0;
    HistoryChoice history;
    // The range and position of --backtest and --trend (--last, --from/--to, --position).
    analysis::RangeChoice range = analysis::RangeChoice::All();
    analysis::Position position = analysis::Position::Front;

    Session(std::string programDirectory, std::ostream& o, std::ostream& e)
        : platform(std::move(programDirectory)), window(platform), out(o), err(e) {}
};

using Step = std::function<void(Session&)>;

}  // namespace sanxing
