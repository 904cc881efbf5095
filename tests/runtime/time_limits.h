#pragma once
// Time in the tests: the one limit of every wait (for a condition, a child process),
// generous so that only a fault reaches it and well under the limit CTest puts on a whole
// test (SANXING_TEST_TIMEOUT), and the time a piece of work takes.

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <thread>

namespace sanxing {

inline constexpr std::chrono::seconds kWaitLimit{30};

// Checks `done` every millisecond until it holds: true, or false once kWaitLimit passed.
inline bool WaitUntil(const std::function<bool()>& done) {
    const auto until = std::chrono::steady_clock::now() + kWaitLimit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Waits for a child process to end: its status, as waitpid gives it. A child still
// running at kWaitLimit is killed, so that its status tells a signal.
inline int WaitForChild(pid_t child) {
    if (child <= 0) return -1;  // no child (a failed fork): never wait for, or kill, "any process"
    int status = 0;
    const bool ended = WaitUntil([&] { return ::waitpid(child, &status, WNOHANG) != 0; });
    if (!ended) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    }
    return status;
}

// Milliseconds that `work` takes.
template <typename Work>
long long MillisecondsOf(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace sanxing
