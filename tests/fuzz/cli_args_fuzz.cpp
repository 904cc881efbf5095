// sanxing-cli in-process: the input, cut at NUL bytes, is the argument list. Paths given
// to the options that open or save files are replaced by one of a few prepared files in
// a private folder, so the run never reads a device or writes outside that folder.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli.h"
#include "fuzz_input.h"

using namespace sanxing;

namespace {

const std::vector<std::string>& PreparedFiles() {
    static const std::vector<std::string> files = [] {
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() / ("sanxing-fuzz-cli-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        const std::pair<const char*, const char*> contents[] = {
            {"scheme.json", R"({"选择框_百位7": false, "组合框_容错": "0-1", "杀百位": "1\r\n2"})"},
            {"sources.json", R"({"A": "http://127.0.0.1:9", "announcement": "http://127.0.0.1:9/"})"},
            {"base.txt", "123 045 999 1234 5 678\r\n"},
            {"empty.txt", ""},
        };
        std::vector<std::string> paths;
        for (const auto& [name, text] : contents) {
            std::ofstream(folder / name, std::ios::binary) << text;
            paths.push_back((folder / name).string());
        }
        paths.push_back((folder / "missing.txt").string());
        paths.push_back((folder / "saved").string());
        return paths;
    }();
    return files;
}

std::string Prepared(std::string_view path) {
    const std::vector<std::string>& files = PreparedFiles();
    return files[path.empty() ? 0 : static_cast<unsigned char>(path[0]) % files.size()];
}

// The history options too: --import-draws - would wait for standard input, and a
// database or an export must not land outside the folder.
bool TakesPath(const std::string& option) {
    return option == "--scheme" || option == "--sources" || option == "--open-path" || option == "--save-path" ||
           option == "--history" || option == "--import-draws" || option == "--export-draws";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args;
    for (const std::string_view piece : fuzz::Pieces(fuzz::Bytes(data, size), 24)) {
        if (!args.empty() && TakesPath(args.back())) {
            args.push_back(Prepared(piece));
        } else if (!args.empty() && args.back() == "--set-file") {
            const std::size_t eq = piece.find('=');
            args.push_back(std::string(piece.substr(0, eq)) + "=" +
                           Prepared(piece.substr(eq == piece.npos ? 0 : eq + 1)));
        } else {
            args.emplace_back(piece);
        }
    }
    while (!args.empty() && args.back().empty()) args.pop_back();
    std::ostringstream out, err;
    const int code = RunCli(args, out, err);
    fuzz::Check(code >= 0 && code <= 2, "exit status 0, 1 or 2");
    fuzz::Check(code != 2 || out.str().empty(), "bad input carries out no step");
    return 0;
}
