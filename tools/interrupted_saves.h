#pragma once
// A save that writes a file in place keeps a copy of the old text until the new text is
// on the disk. While it runs, a record in the program's state folder names the file, the
// copy and the size and checksum of the new text: a save that is killed leaves the record
// behind, and the next start tells the user where the old text is (or quietly clears up
// when the file turned out whole).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sanxing {

// $XDG_STATE_HOME/sanxing, else ~/.local/state/sanxing; empty when neither is known.
std::string SaveStateFolder();

// Where copies go when the file's own folder takes no new file; empty without a state
// folder. Only the newest kKeptBackups copies stay there.
std::string BackupFolder();
inline constexpr std::size_t kKeptBackups = 10;
void PruneBackups();

// The record of one in-place save, removed when the save ends (whether it succeeded or
// failed: a failure names the copy in its own message). Without a state folder there is
// no record, and the save goes on.
class PendingSave {
public:
    PendingSave(const std::string& target, const std::string& copy, std::string_view newText);
    ~PendingSave();
    PendingSave(const PendingSave&) = delete;
    PendingSave& operator=(const PendingSave&) = delete;

private:
    std::string record_;
};

// A note for the user for each save of an ended process that was killed while its file
// was being written: the file may be cut short, and the copy holds its old text. Records
// of saves that had finished or had not yet touched their file go quietly, with their
// copies.
std::vector<std::string> InterruptedSaveNotes();

}  // namespace sanxing
