#include "services/history_session.h"

#include <system_error>
#include <utility>

#include "history/lotteries.h"
#include "history/shipped_draws.h"

namespace sanxing {

namespace {

// `file` and the folders above it that do not exist yet, deepest first: what opening it
// would create.
std::vector<std::filesystem::path> Missing(const std::filesystem::path& file) {
    std::vector<std::filesystem::path> missing;
    std::error_code error;
    for (std::filesystem::path at = file; !at.empty() && !std::filesystem::exists(at, error) && !error;
         at = at.parent_path()) {
        missing.push_back(at);
        if (at == at.parent_path()) break;
    }
    return missing;
}

}  // namespace

HistorySession::HistorySession(std::filesystem::path file) : path_(std::move(file)) {}

void HistorySession::chooseFile(std::filesystem::path file) {
    path_ = std::move(file);
    shippedFrom_.reset();
    db_.reset();
    failure_.reset();
    created_.clear();
}

void HistorySession::offerShippedDraws(std::filesystem::path programDirectory) {
    shippedFrom_ = std::move(programDirectory);
}

Result<std::shared_ptr<history::HistoryDb>> HistorySession::database() {
    if (db_) return db_;
    if (failure_) return *failure_;
    created_ = Missing(path_);
    auto opened = history::HistoryDb::shared(path_);
    if (!opened) {
        if (opened.code() == ErrorCode::Busy) {
            tell(HistoryNotice::Kind::Busy, opened.error());
        } else {
            failure_ = opened.failure();
            tell(HistoryNotice::Kind::Off, opened.error());
        }
        return opened.failure();
    }
    db_ = std::move(*opened);
    if (db_->readOnly()) tell(HistoryNotice::Kind::ReadOnly, history::ReadOnlyNotice(path_));
    if (shippedFrom_) {
        if (auto added = addShippedDraws(*shippedFrom_); !added) return added.failure();
    }
    return db_;
}

Result<std::shared_ptr<history::HistoryDb>> HistorySession::writable() {
    const bool wasOpen = db_ != nullptr;
    auto db = database();
    if (!db || !(*db)->readOnly()) return db;
    const std::string notice = history::ReadOnlyNotice(path_);
    if (wasOpen) tell(HistoryNotice::Kind::ReadOnly, notice);
    return Failure{notice, ErrorCode::ReadOnly};
}

Result<history::HistoryDb> HistorySession::ownConnection() const { return history::HistoryDb::open(path_); }

Result<void> HistorySession::addShippedDraws(const std::filesystem::path& programDirectory) {
    auto db = database();
    if (!db) return db.failure();
    auto added = history::AddShippedDraws(**db, programDirectory);
    if (!added) return added.failure();
    tell(HistoryNotice::Kind::ShippedDraws, history::ShippedSummary(*added));
    return {};
}

void HistorySession::forgetIfCreatedEmpty() {
    if (created_.empty() || !db_) return;
    for (const history::Lottery& lottery : history::Lotteries()) {
        auto count = db_->count(lottery.name);
        if (!count || *count > 0) return;
    }
    const std::weak_ptr<history::HistoryDb> held = std::exchange(db_, nullptr);
    std::error_code error;
    // Closing the last connection removes the -wal; one left means another holds the file.
    if (!held.expired() || std::filesystem::exists(path_.string() + "-wal", error)) return;
    for (const char* suffix : {"-shm", "-journal"}) std::filesystem::remove(path_.string() + suffix, error);
    for (const std::filesystem::path& made : std::exchange(created_, {})) std::filesystem::remove(made, error);
}

void HistorySession::tell(HistoryNotice::Kind kind, std::string text) const {
    if (listener_) listener_({kind, std::move(text)});
}

}  // namespace sanxing
