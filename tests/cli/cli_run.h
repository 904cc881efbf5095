#pragma once
// Runs sanxing-cli in-process and captures what it prints.

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace sanxing {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

inline CliRun RunArgs(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

}  // namespace sanxing
