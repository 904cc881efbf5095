#pragma once
// The UI thread's task queue and timers for running without a display (the command line
// and the tests). Tasks posted from any thread wait until the owner runs them on its own
// thread; timers run on a virtual clock that only moves when the owner advances it, so a
// sequence of timed steps runs in order, at once and without sleeping.

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <utility>

namespace sanxing {

class ManualLoop {
public:
    // Any thread.
    void post(std::function<void()> task);
    bool hasPosted() const;

    // The owner's thread only.
    void startTimer(std::chrono::milliseconds delay, std::function<void()> task);
    // Runs the posted tasks, including those posted meanwhile; how many ran.
    std::size_t runPosted();
    // Runs every pending timer in order of due time, moving the clock to each; timers
    // started meanwhile run too. How many ran.
    std::size_t runTimers();
    std::chrono::milliseconds now() const { return now_; }

private:
    mutable std::mutex mutex_;
    std::deque<std::function<void()>> posted_;
    // Due time and start order, so timers due together run in the order they were started.
    std::map<std::pair<std::chrono::milliseconds, std::uint64_t>, std::function<void()>> timers_;
    std::uint64_t started_ = 0;
    std::chrono::milliseconds now_{0};
};

}  // namespace sanxing
