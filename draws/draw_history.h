#pragma once
// The draw list's side of the draw history: every draw the list takes is recorded under
// its kind, and a kind whose live load gives nothing is shown from the history. Used on
// the draw list's worker only, one job at a time; the database is opened there on first
// use, and a database that cannot be opened is not tried again.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "draws/draw_record.h"
#include "runtime/result.h"

namespace sanxing {

namespace history {
class HistoryDb;
}

class DrawHistory {
public:
    // With `shippedFrom` (the program's folder), the shipped draws the database was never
    // offered are added when it is opened: the user's own history.
    explicit DrawHistory(std::filesystem::path file, std::optional<std::filesystem::path> shippedFrom = {});
    ~DrawHistory();
    DrawHistory(const DrawHistory&) = delete;
    DrawHistory& operator=(const DrawHistory&) = delete;

    // Records the draws of a kind (an index of 组合框_彩种), with the site letter they came
    // from; fails with the reason when they could not be written.
    Result<void> record(int kind, const DrawRows& draws, char site);
    // The newest `count` draws of a kind, newest first; empty when there are none. Fails
    // with the reason when the database cannot be opened or read.
    Result<DrawRows> newest(int kind, std::size_t count);

    // Conflicts between the shipped draws and stored ones, and corrections of stored ones,
    // once, for the user; then empty.
    std::string takeNote() { return std::exchange(note_, {}); }

private:
    Result<history::HistoryDb*> open();
    void addShippedDraws();

    std::filesystem::path file_;
    std::optional<std::filesystem::path> shippedFrom_;
    std::string note_;
    std::unique_ptr<history::HistoryDb> db_;
    std::string openError_;
};

}  // namespace sanxing
