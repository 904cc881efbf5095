#include "history/history_db.h"

#include <cstdlib>
#include <ctime>

#include "history/history_db_impl.h"
#include "history/lotteries.h"

namespace sanxing::history {

// Rows carry the lottery's kindIndex: a small integer keeps keys short and compares fast.
std::int64_t detail::LotteryKey(std::string_view lottery) {
    const Lottery* known = FindLottery(lottery);
    return known ? known->kindIndex : -1;
}

std::filesystem::path DefaultDatabasePath() {
    const char* data = std::getenv("XDG_DATA_HOME");
    std::filesystem::path base;
    if (data && *data && std::filesystem::path(data).is_absolute()) {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home && *home ? home : ".") / ".local" / "share";
    }
    return base / "sanxing" / "history.sqlite";
}

std::string NowUtc() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

HistoryDb::HistoryDb(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
HistoryDb::HistoryDb(HistoryDb&&) noexcept = default;
HistoryDb& HistoryDb::operator=(HistoryDb&&) noexcept = default;
HistoryDb::~HistoryDb() = default;

const std::filesystem::path& HistoryDb::path() const { return impl_->path; }

bool HistoryDb::readOnly() const { return impl_->readOnly; }

}  // namespace sanxing::history
