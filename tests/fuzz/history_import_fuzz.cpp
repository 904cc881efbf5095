// A draw file imported into a history database twice. The first byte picks the lottery;
// the rest is the file. The second import stores nothing new and meets every draw again;
// the preview finds as many draws as the import. (The lines themselves are fuzzed by
// column_detect.)

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "fuzz_input.h"
#include "history/draw_import.h"
#include "history/draw_preview.h"

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
        const auto preview = history::PreviewDrawFile(draws, lottery, first->columns);
        fuzz::Check(preview && preview->draws == first->draws(), "the preview finds the draws the import finds");
    }
    return 0;
}
