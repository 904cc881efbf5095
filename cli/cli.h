#pragma once
// sanxing-cli: the main window without a display. Arguments are carried out in order;
// see Usage() for the list.

#include <iosfwd>
#include <string>
#include <vector>

namespace sanxing {

std::string Usage();

// Returns the exit code: 0 when every step ran, 2 for bad arguments (nothing is carried
// out then), 1 when a step failed: it reported a failure (Platform::reportFailure, shown
// like any message; the steps after it still run) or could not be carried out (its reason
// on `err`; the run ends there).
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace sanxing
