#pragma once
// sanxing-cli's analysis options: --last N, --from ISSUE, --to ISSUE and --position
// (choices that hold for the steps after them), --backtest, --trend and --explain NUMBER.

#include <optional>
#include <string>

#include "cli/cli_session.h"
#include "cli/history_steps.h"

namespace sanxing {

// The step for an analysis option that takes no argument (--backtest, --trend), or nothing.
std::optional<Step> ParseAnalysisFlag(const std::string& option, const HistoryOptions& seen);

// The step for an analysis option with an argument, or nothing when `option` is not one.
// Throws BadInput for a bad argument; --from and --to need a --lottery before them, whose
// issues they are.
std::optional<Step> ParseAnalysisOption(const std::string& option, const std::string& argument,
                                        const HistoryOptions& seen);

std::string AnalysisUsage();

}  // namespace sanxing
