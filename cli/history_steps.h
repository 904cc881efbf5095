#pragma once
// sanxing-cli's history options: --history FILE, --lottery NAME, --import-columns SPEC
// and --replace-conflicts (choices that hold for the steps after them), --import-draws FILE
// (or - for standard input), --export-draws FILE and --add-shipped-draws.

#include <optional>
#include <string>

#include "cli/cli_session.h"

namespace sanxing {

// What parsing has seen so far, so that a step needing a lottery is refused before any
// step runs when no --lottery comes before it.
struct HistoryOptions {
    bool lotteryChosen = false;
    const history::Lottery* lottery = nullptr;  // the last --lottery so far

    // Throws BadInput naming `option` when no --lottery came before it.
    void requireLottery(const std::string& option) const;
};

// The step for a history option, or nothing when `option` is not one of them. Throws
// BadInput for a bad argument.
std::optional<Step> ParseHistoryOption(const std::string& option, const std::string& argument, HistoryOptions& seen);

// The step for a history flag without argument (--add-shipped-draws, --replace-conflicts),
// or nothing.
std::optional<Step> ParseHistoryFlag(const std::string& option);

std::string HistoryUsage();

}  // namespace sanxing
