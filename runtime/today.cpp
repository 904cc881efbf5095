#include "runtime/today.h"

#include <atomic>

namespace sanxing {

namespace {

std::atomic<TodayFunction> installed{nullptr};

}  // namespace

std::chrono::sys_days Today() {
    if (const TodayFunction today = installed.load()) return today();
    return std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
}

TodayFunction SetTodayFunction(TodayFunction today) { return installed.exchange(today); }

}  // namespace sanxing
