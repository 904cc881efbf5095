#include "services/history_session.h"

#include "history/shipped_draws.h"

namespace sanxing {

HistorySession::HistorySession(std::filesystem::path file) : path_(std::move(file)) {}

void HistorySession::chooseFile(std::filesystem::path file) {
    path_ = std::move(file);
    shippedFrom_.reset();
    db_.reset();
    failure_.reset();
}

void HistorySession::offerShippedDraws(std::filesystem::path programDirectory) {
    shippedFrom_ = std::move(programDirectory);
}

Result<std::shared_ptr<history::HistoryDb>> HistorySession::database() {
    if (db_) return db_;
    if (failure_) return *failure_;
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

void HistorySession::tell(HistoryNotice::Kind kind, std::string text) const {
    if (listener_) listener_({kind, std::move(text)});
}

}  // namespace sanxing
