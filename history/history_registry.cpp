#include <map>
#include <mutex>

#include "history/history_db.h"

namespace sanxing::history {

namespace {

// One connection per file in this process; entries of closed connections are replaced.
struct SharedHistories {
    std::mutex lock;
    std::map<std::filesystem::path, std::weak_ptr<HistoryDb>> open;
};

SharedHistories& Shared() {
    static SharedHistories* histories = new SharedHistories;  // outlives every static holder
    return *histories;
}

std::filesystem::path SharedKey(const std::filesystem::path& file) {
    std::error_code error;
    auto key = std::filesystem::weakly_canonical(std::filesystem::absolute(file, error), error);
    return error ? file.lexically_normal() : key;
}

}  // namespace

Result<std::shared_ptr<HistoryDb>> HistoryDb::shared(const std::filesystem::path& file) {
    SharedHistories& histories = Shared();
    std::lock_guard lock(histories.lock);
    std::weak_ptr<HistoryDb>& entry = histories.open[SharedKey(file)];
    if (auto held = entry.lock()) return held;
    auto opened = open(file);
    if (!opened) return opened.failure();
    auto held = std::make_shared<HistoryDb>(std::move(*opened));
    entry = held;
    return held;
}

}  // namespace sanxing::history
