#include "runtime/manual_loop.h"

namespace sanxing {

void ManualLoop::post(std::function<void()> task) {
    std::lock_guard lock(mutex_);
    posted_.push_back(std::move(task));
}

bool ManualLoop::hasPosted() const {
    std::lock_guard lock(mutex_);
    return !posted_.empty();
}

void ManualLoop::startTimer(std::chrono::milliseconds delay, std::function<void()> task) {
    if (delay < std::chrono::milliseconds::zero()) delay = std::chrono::milliseconds::zero();
    timers_.emplace(std::make_pair(now_ + delay, started_++), std::move(task));
}

std::size_t ManualLoop::runPosted() {
    std::size_t ran = 0;
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard lock(mutex_);
            if (posted_.empty()) return ran;
            task = std::move(posted_.front());
            posted_.pop_front();
        }
        task();  // without the lock: a task may post again
        ++ran;
    }
}

std::size_t ManualLoop::runTimers() {
    std::size_t ran = 0;
    while (!timers_.empty()) {
        auto next = timers_.begin();
        now_ = next->first.first;
        std::function<void()> task = std::move(next->second);
        timers_.erase(next);
        task();
        ++ran;
    }
    return ran;
}

}  // namespace sanxing
