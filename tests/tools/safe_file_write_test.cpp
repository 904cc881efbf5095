// Saves that are killed, that meet what earlier killed saves left behind, or that find
// the disk full.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <iostream>
#include <random>

#include "runtime/file_descriptor.h"
#include "runtime/small_disk.h"
#include "runtime/system_error_text.h"
#include "tools/interrupted_saves.h"
#include "tools/safe_file_write.h"
#include "tools_fixture.h"

namespace sanxing {
namespace {

namespace fs = std::filesystem;

// Entries of a folder, leaving out the temporaries of ended saves (the next save into the
// folder removes them) when `temporaries` is false.
std::size_t EntriesIn(const std::string& folder, bool temporaries = true) {
    std::size_t count = 0;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        count += temporaries || !entry.path().filename().string().starts_with(".sanxing-save-") ? 1 : 0;
    }
    return count;
}

// A process id that no process has: a child that has ended and been reaped.
pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

class SafeFileWrite : public ::testing::Test {
protected:
    TemporaryStateFolder state;
    TempFolder folder;
};

TEST_F(SafeFileWrite, RemovesTheTemporariesOfEndedSavesOnly) {
    const std::string dead = folder.file(".sanxing-save-" + std::to_string(EndedProcess()) + "-3");
    const std::string live = folder.file(".sanxing-save-" + std::to_string(::getppid()) + "-0");
    const std::string other = folder.file(".sanxing-save-notes");
    for (const std::string& path : {dead, live, other}) WriteBytes(path, "partial");
    EXPECT_TRUE(WriteFileWhole(folder.file("a.txt"), "new"));
    EXPECT_FALSE(fs::exists(dead));
    EXPECT_TRUE(fs::exists(live) && fs::exists(other));
    EXPECT_EQ(EntriesIn(folder.path()), 3u);
}

// How the target stood after each kill of a save.
struct KillFigures {
    int wholeOld = 0;
    int wholeNew = 0;
    int damagedWithWholeOldCopy = 0;
};

std::ostream& operator<<(std::ostream& out, const KillFigures& f) {
    return out << f.wholeOld + f.wholeNew + f.damagedWithWholeOldCopy << " kills: " << f.wholeOld << " whole old, "
               << f.wholeNew << " whole new, " << f.damagedWithWholeOldCopy << " cut short with a whole-old copy";
}

// Waits until the first byte of the file written in place differs from `old`, or the
// time is up: a kill then lands while the file is being written.
void WaitForTheFirstChange(const std::string& target, char old, long long limitMs) {
    const FileDescriptor file(::open(target.c_str(), O_RDONLY | O_CLOEXEC));
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    char now = old;
    while (now == old && std::chrono::steady_clock::now() < until) {
        if (::pread(file.get(), &now, 1, 0) != 1) now = old;
    }
}

// A child process (as "nobody" when `unprivileged` and the tests run as root) saves the
// other of two texts over `target` and is killed, `kills` times: at a random moment, or
// (every other kill when `inPlace`) as soon as the file starts to change. After
// each kill the target holds the whole old or the whole new text, or it is damaged and the
// note of the next start names a copy holding the whole old text; the folder holds only
// its `entries` and temporaries of ended saves, which one more save at the end removes.
KillFigures KillSaves(const std::string& target, const std::string (&texts)[2], int kills, bool inPlace,
                      bool unprivileged, std::size_t entries) {
    const auto saveInChild = [&](const std::string& text, bool wait) {
        const pid_t child = ::fork();
        if (child == 0) {
            if (unprivileged && ::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(2);
            const bool saved = static_cast<bool>(WriteFileWhole(target, text));
            if (wait) ::pause();  // wait for the kill, so a finished save is killed too
            ::_exit(saved ? 0 : 1);
        }
        return child;
    };
    int current = 0;
    WriteBytes(target, texts[current]);
    const long long saveMs = MillisecondsOf(
        [&] { EXPECT_EQ(WaitForChild(saveInChild(texts[1], false)), 0) << "a save that is left alone succeeds"; });
    current = 1;
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<long> moment(0, (saveMs + 1) * 1250);
    KillFigures figures;
    const std::string folder = fs::path(target).parent_path().string();
    for (int kill = 0; kill < kills; ++kill) {
        const int next = 1 - current;
        const pid_t child = saveInChild(texts[next], true);
        if (child <= 0) {  // never kill(-1): it reaches every process
            ADD_FAILURE() << "fork failed";
            return figures;
        }
        if (inPlace && kill % 2 == 1) {
            WaitForTheFirstChange(target, texts[current][0], saveMs * 4 + 1000);
        } else {
            ::usleep(static_cast<useconds_t>(moment(random)));
        }
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = ReadBytes(target);
        const std::vector<std::string> notes = InterruptedSaveNotes();
        if (now == texts[current] || now == texts[next]) {
            EXPECT_TRUE(notes.empty()) << "kill " << kill << ": " << notes.front();
            ++(now == texts[current] ? figures.wholeOld : figures.wholeNew);
            current = now == texts[current] ? current : next;
        } else {
            EXPECT_EQ(notes.size(), 1u) << "kill " << kill << ": " << now.size() << " bytes, no note";
            if (notes.size() != 1) return figures;
            const std::string copy =
                notes[0].substr(notes[0].rfind("“") + 3, notes[0].rfind("”") - notes[0].rfind("“") - 3);
            EXPECT_EQ(ReadBytes(copy), texts[current]) << "kill " << kill << ": the copy " << copy;
            ++figures.damagedWithWholeOldCopy;
            std::ofstream(target, std::ios::binary | std::ios::trunc) << texts[current];  // the user puts it back
            fs::remove(copy);
        }
        EXPECT_EQ(EntriesIn(folder, false), entries) << "kill " << kill;
    }
    EXPECT_EQ(WaitForChild(saveInChild(texts[current], false)), 0);
    EXPECT_EQ(EntriesIn(folder), entries);
    return figures;
}

// Different lengths, so that a file cut short or a new text over an old tail shows.
const std::string kTexts[2] = {std::string(8u << 20, 'a'), std::string(6u << 20, 'b')};

TEST_F(SafeFileWrite, KilledSavesLeaveTheOldOrTheNewTextAndNoTemporary) {
    const KillFigures figures = KillSaves(folder.file("big.txt"), kTexts, 20, false, false, 1);
    EXPECT_EQ(figures.damagedWithWholeOldCopy, 0) << "a replaced file is never damaged";
    std::cout << "replaced file: " << figures << '\n';
}

TEST_F(SafeFileWrite, KilledSavesOfAHardLinkedFileKeepAWholeCopy) {
    WriteBytes(folder.file("linked.txt"), "");
    fs::create_hard_link(folder.file("linked.txt"), folder.file("other.txt"));
    const KillFigures figures = KillSaves(folder.file("linked.txt"), kTexts, 20, true, false, 2);
    EXPECT_TRUE(fs::equivalent(folder.file("linked.txt"), folder.file("other.txt")));
    std::cout << "hard link: " << figures << '\n';
}

TEST_F(SafeFileWrite, KilledSavesInAReadOnlyFolderKeepAWholeCopyInTheBackups) {
    const std::string target = folder.file("shared.txt");
    WriteBytes(target, "");
    ::chmod(target.c_str(), 0666);
    ::chmod(folder.path().c_str(), 0555);
    const KillFigures figures = KillSaves(target, kTexts, 20, true, true, 1);
    EXPECT_LE(EntriesIn(state.backups()), kKeptBackups);
    std::cout << "read-only folder: " << figures << '\n';
}

// 16 KB of old text on a 48 KB disk: its copy fits, the 40 KB of new text does not. Both
// the replaced and the hard-linked file fail before a byte of them changes.
TEST_F(SafeFileWrite, AFullDiskFailsBeforeTheFileChanges) {
    const std::string disk = folder.file("disk");
    fs::create_directory(disk);
    WithSmallDisk(disk, 48 << 10, [&] {
        const std::string old(16 << 10, 'o');
        for (const bool linked : {false, true}) {
            const std::string target = disk + "/result.txt";
            WriteBytes(target, old);
            if (linked) fs::create_hard_link(target, disk + "/link.txt");
            const Result<void> saved = WriteFileWhole(target, std::string(40 << 10, 'n'));
            EXPECT_EQ(saved.error(), SystemErrorText(ENOSPC)) << (linked ? "hard link" : "replaced");
            EXPECT_EQ(ReadBytes(target), old);
            EXPECT_EQ(EntriesIn(disk), linked ? 2u : 1u) << "no copy, no temporary";
            fs::remove(target);
        }
    });
}

}  // namespace
}  // namespace sanxing
