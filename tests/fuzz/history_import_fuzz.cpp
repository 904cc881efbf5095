// A draw file imported into a history database twice. The first byte picks the lottery;
// the rest is the file. Every line parsed as a draw has the lottery's digit count and
// issue length; the second import stores nothing new and meets every draw again.

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "fuzz_input.h"
#include "history/draw_import.h"
#include "history/draw_line.h"
#include "runtime/gbk.h"
#include "runtime/split.h"

using namespace sanxing;

namespace {

// A private folder, in memory where the machine has /dev/shm: each input opens a database.
const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        const std::filesystem::path base = std::filesystem::exists("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                                               : std::filesystem::temp_directory_path();
        const std::filesystem::path made = base / ("sanxing-fuzz-history-" + std::to_string(::getpid()));
        std::filesystem::create_directories(made);
        return made;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > 64 * 1024) return -1;
    const history::Lottery& lottery = history::Lotteries()[data[0] % history::Lotteries().size()];
    const std::string_view file = fuzz::Bytes(data + 1, size - 1);

    ForEachToken(GbkToUtf8(file), "\n", [&](std::string_view line) {
        if (line.ends_with('\r')) line.remove_suffix(1);
        const history::ParsedLine parsed = history::ParseDrawLine(line, lottery);
        if (parsed.kind != history::ParsedLine::Kind::Draw) return;
        fuzz::Check(parsed.number.size() == static_cast<std::size_t>(lottery.digits),
                    "a draw has the lottery's digits");
        fuzz::Check(parsed.issue.size() == static_cast<std::size_t>(lottery.issueLength), "an issue has its length");
    });

    const std::filesystem::path draws = Folder() / "draws.txt", database = Folder() / "history.sqlite";
    std::filesystem::remove(database);
    std::ofstream(draws, std::ios::binary) << file;
    auto db = history::HistoryDb::open(database);
    fuzz::Check(static_cast<bool>(db), "a new database opens");
    const auto first = history::ImportDrawFile(*db, lottery, draws);
    const auto second = history::ImportDrawFile(*db, lottery, draws);
    fuzz::Check(static_cast<bool>(first) == static_cast<bool>(second), "the same file imports the same way");
    if (first) {
        fuzz::Check(second->stored == 0, "a second import stores nothing new");
        fuzz::Check(second->draws() == first->draws(), "a second import meets every draw again");
        fuzz::Check(db->count(lottery.name).value() == first->stored, "the database holds what was stored");
    }
    return 0;
}
