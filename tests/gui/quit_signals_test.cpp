// The program under SIGTERM, SIGINT and SIGHUP: the window closes as 退出 does (settings
// saved, hanging transfers cancelled, exit code 0); a second signal ends it at once. Runs
// the real program on the offscreen platform, its draw sources on a server that never
// answers.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "net/local_http_server.h"
#include "runtime/temp_folder.h"
#include "runtime/time_limits.h"

namespace sanxing::test {
namespace {

using sanxing::testing::LocalHttpServer;

class QuitSignal : public ::testing::Test {
protected:
    QuitSignal() {
        std::filesystem::create_directories(home.file("config/sanxing"));
        std::string sources = "{\"announcement\": \"" + server.base() + "/\"";
        for (const char site : std::string("ABCDEFGH"))
            sources += ", \"" + std::string(1, site) + "\": \"" + server.base() + "\"";
        WriteBytes(home.file("config/sanxing/sources.json"), sources + "}");
    }

    // Starts the program and waits until its window is up and a transfer hangs; -1 when
    // no process could be made (a signal must then go nowhere: kill(-1) reaches every process).
    pid_t start() {
        const std::size_t before = server.requestCount();
        const pid_t child = ::fork();
        if (child < 0) {
            ADD_FAILURE() << "fork failed";
            return -1;
        }
        if (child == 0) {
            ::setenv("XDG_CONFIG_HOME", home.file("config").c_str(), 1);
            ::setenv("XDG_DATA_HOME", home.file("data").c_str(), 1);
            ::setenv("XDG_STATE_HOME", home.file("state").c_str(), 1);
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            if (!std::freopen("/dev/null", "w", stderr)) ::_exit(126);
            ::execl(SANXING_PATH, "sanxing", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        EXPECT_TRUE(WaitUntil([&] { return server.requestCount() > before; })) << "the window never asked for draws";
        return child;
    }

    TempFolder home;
    LocalHttpServer server{[](const auto&) { return sanxing::testing::Silent(); }};
};

TEST_F(QuitSignal, ClosesTheWindowAsQuitDoes) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        std::filesystem::remove(home.file("config/sanxing/settings.ini"));
        const pid_t program = start();
        ASSERT_GT(program, 0);
        int status = 0;
        const long long ms = MillisecondsOf([&] {
            ::kill(program, signal);
            status = WaitForChild(program);
        });
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << strsignal(signal) << ": status " << status;
        EXPECT_NE(ReadBytes(home.file("config/sanxing/settings.ini")).find("geometry"), std::string::npos)
            << strsignal(signal) << ": the settings are saved";
        std::cout << strsignal(signal) << ": closed " << ms << " ms after the signal, a transfer hanging\n";
    }
}

TEST_F(QuitSignal, ASecondSignalEndsTheProgramAtOnce) {
    const pid_t program = start();
    ASSERT_GT(program, 0);
    ::kill(program, SIGTERM);
    ::kill(program, SIGINT);
    const int status = WaitForChild(program);
    EXPECT_TRUE(WIFSIGNALED(status) && (WTERMSIG(status) == SIGTERM || WTERMSIG(status) == SIGINT))
        << "status " << status;
}

}  // namespace
}  // namespace sanxing::test
