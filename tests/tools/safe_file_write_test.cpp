// Saves that are killed or that meet what earlier killed saves left behind.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <random>

#include "tools/safe_file_write.h"
#include "tools_fixture.h"

namespace sanxing {
namespace {

std::size_t EntriesIn(const TempFolder& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder.path()), {}));
}

// A process id that no process has: a child that has ended and been reaped.
pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(SafeFileWrite, RemovesTheTemporariesOfEndedSavesOnly) {
    TempFolder folder;
    const std::string dead = folder.file(".sanxing-save-" + std::to_string(EndedProcess()) + "-3");
    const std::string live = folder.file(".sanxing-save-" + std::to_string(::getppid()) + "-0");
    const std::string other = folder.file(".sanxing-save-notes");
    for (const std::string& path : {dead, live, other}) WriteBytes(path, "partial");
    EXPECT_TRUE(WriteFileWhole(folder.file("a.txt"), "new"));
    EXPECT_FALSE(std::filesystem::exists(dead));
    EXPECT_TRUE(std::filesystem::exists(live) && std::filesystem::exists(other));
    EXPECT_EQ(EntriesIn(folder), 3u);
}

// A child process saves 24 MB and is killed at a random moment, 20 times: the target
// always holds the whole old or the whole new text, and after one more save nothing but
// the target is left in the folder.
TEST(SafeFileWrite, KilledSavesLeaveTheOldOrTheNewTextAndNoTemporary) {
    TempFolder folder;
    const std::string target = folder.file("big.txt");
    const std::string texts[2] = {std::string(24u << 20, 'a'), std::string(24u << 20, 'b')};
    ASSERT_TRUE(WriteFileWhole(target, texts[0]));
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(WriteFileWhole(target, texts[1]));
    const auto saveTime =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);

    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<long> moment(0, saveTime.count() * 5 / 4);
    int current = 1;
    for (int kill = 0; kill < 20; ++kill) {
        const int next = 1 - current;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            (void)WriteFileWhole(target, texts[next]);
            ::pause();  // wait for the kill, so a finished save is killed too
            ::_exit(0);
        }
        ::usleep(static_cast<useconds_t>(moment(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = ReadBytes(target);
        ASSERT_TRUE(now == texts[current] || now == texts[next]) << "kill " << kill << ": " << now.size() << " bytes";
        if (now == texts[next]) current = next;
    }
    ASSERT_TRUE(WriteFileWhole(target, texts[current]));
    EXPECT_EQ(EntriesIn(folder), 1u);
}

}  // namespace
}  // namespace sanxing
