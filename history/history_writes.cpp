#include <algorithm>
#include <mutex>

#include "history/history_db_impl.h"
#include "history/lotteries.h"

namespace sanxing::history {

using detail::LastProblem;
using detail::LotteryKey;
using detail::Problem;
using detail::WriteProblem;

namespace {

bool IsValidDraw(std::string_view lottery, const StoredDraw& draw) {
    const Lottery* known = FindLottery(lottery);
    if (!known) return false;
    const bool digitsOnly =
        std::all_of(draw.number.begin(), draw.number.end(), [](char c) { return c >= '0' && c <= '9'; });
    return !draw.issue.empty() && digitsOnly && draw.number.size() == static_cast<std::size_t>(known->digits);
}

}  // namespace

// A write meets only the pages it touches, so damage elsewhere would go unnoticed and be
// built upon. The whole file is checked once per connection, before its first write and
// outside any transaction: quick_check reads every page once (some 10 ms for the shipped
// draws, 0.15 s at a million draws).
Result<void> detail::CheckBeforeWriting(HistoryDb::Impl& db) {
    if (db.checkedWhole) return {};
    sqlite::Statement check(db.connection.get(), "PRAGMA quick_check(1)");
    const int step = check.step();
    if (step != SQLITE_ROW) return LastProblem(db);
    if (check.textView(0) != "ok") return Problem(db.path, SQLITE_CORRUPT, sqlite3_errstr(SQLITE_CORRUPT));
    db.checkedWhole = true;
    return {};
}

Result<RecordCounts> HistoryDb::record(std::string_view lottery, const std::vector<StoredDraw>& draws) {
    if (!FindLottery(lottery)) return detail::UnknownLottery(lottery);
    auto writer = startWriting();
    if (!writer) return writer.failure();
    RecordCounts counts;
    std::vector<StoredDraw> valid;
    for (const StoredDraw& draw : draws) {
        if (IsValidDraw(lottery, draw)) {
            valid.push_back(draw);
        } else {
            ++counts.invalid;
        }
    }
    auto added = writer->addAll(lottery, valid);
    if (!added) return added.failure();
    for (const DrawWriter::Added& one : *added) {
        switch (one.outcome) {
            case DrawWriter::Outcome::Stored: ++counts.stored; break;
            case DrawWriter::Outcome::Present: ++counts.present; break;
            case DrawWriter::Outcome::Conflict: ++counts.conflicts; break;
        }
    }
    if (auto committed = writer->commit(); !committed) return committed.failure();
    return counts;
}

Result<void> HistoryDb::checkWritable() {
    if (impl_->readOnly) return detail::ReadOnlyFailure(impl_->path);
    std::lock_guard lock(impl_->turn);
    return detail::CheckBeforeWriting(*impl_);
}

Result<std::size_t> HistoryDb::remove(std::string_view lottery, const std::vector<std::string>& issues) {
    if (impl_->readOnly) return detail::ReadOnlyFailure(impl_->path);
    std::lock_guard lock(impl_->turn);
    if (auto sound = detail::CheckBeforeWriting(*impl_); !sound) return sound.failure();
    const sqlite::Connection& connection = impl_->connection;
    sqlite::Transaction transaction(connection);
    if (!transaction.begun()) return WriteProblem(*impl_);
    sqlite::Statement remove(connection.get(), "DELETE FROM draws WHERE lottery = ?1 AND issue = ?2");
    std::size_t deleted = 0;
    for (const std::string& issue : issues) {
        remove.bind(1, LotteryKey(lottery)).bind(2, issue);
        if (remove.step() != SQLITE_DONE) return WriteProblem(*impl_);
        deleted += static_cast<std::size_t>(sqlite3_changes(connection.get()));
        remove.reset();
    }
    if (auto committed = transaction.commit(); !committed) return WriteProblem(*impl_);
    return deleted;
}

Result<OfferReport> HistoryDb::offer(std::string_view lottery, const std::vector<StoredDraw>& draws) {
    const Offer one{lottery, draws};
    auto reports = offer({&one, 1});
    if (!reports) return reports.failure();
    return std::move(reports->front());
}

namespace {

// Whether every draw of an offer of `count` was offered before (the table may not exist).
bool AllOfferedBefore(const sqlite::Connection& connection, std::int64_t key, std::size_t count,
                      const char* table = "offered") {
    sqlite::Statement offered(connection.get(), "SELECT count(*) FROM " + std::string(table) + " WHERE lottery = ?1");
    offered.bind(1, key);
    return offered.ok() && offered.step() == SQLITE_ROW && static_cast<std::size_t>(offered.integer(0)) >= count;
}

// Each correction once: a stored draw with the offered source and the earlier edition's
// number takes the offered draw's number; another stored number is a conflict. False when
// the database failed.
bool OfferCorrections(const sqlite::Connection& connection, std::int64_t key, const HistoryDb::Offer& offer,
                      OfferReport& report) {
    // Kept beside the draws, as `offered` is, so an older sanxing still opens the file.
    if (!connection.exec("CREATE TABLE IF NOT EXISTS corrected (lottery INTEGER NOT NULL, issue TEXT NOT NULL,"
                         " number TEXT NOT NULL, PRIMARY KEY (lottery, issue, number)) WITHOUT ROWID")) {
        return false;
    }
    sqlite::Statement mark(connection.get(),
                           "INSERT INTO corrected (lottery, issue, number) VALUES (?1, ?2, ?3) ON CONFLICT DO NOTHING");
    sqlite::Statement correct(connection.get(),
                              "UPDATE draws SET number = ?3 WHERE lottery = ?1 AND issue = ?2 AND number = ?4"
                              " AND source = ?5");
    sqlite::Statement lookup(connection.get(), "SELECT number FROM draws WHERE lottery = ?1 AND issue = ?2");
    if (!mark.ok() || !correct.ok() || !lookup.ok()) return false;
    for (const OfferCorrection& c : offer.corrections) {
        const auto right = std::find_if(offer.draws.begin(), offer.draws.end(),
                                        [&](const StoredDraw& draw) { return draw.issue == c.issue; });
        if (right == offer.draws.end()) continue;
        mark.bind(1, key).bind(2, c.issue).bind(3, right->number);
        if (mark.step() != SQLITE_DONE) return false;
        mark.reset();
        if (sqlite3_changes(connection.get()) == 0) continue;
        correct.bind(1, key).bind(2, c.issue).bind(3, right->number).bind(4, c.before).bind(5, right->source);
        if (correct.step() != SQLITE_DONE) return false;
        correct.reset();
        if (sqlite3_changes(connection.get()) == 1) {
            report.corrected.push_back({std::string(c.issue), std::string(c.before), right->number});
            continue;
        }
        lookup.bind(1, key).bind(2, c.issue);
        const int step = lookup.step();
        if (step == SQLITE_ROW && lookup.textView(0) != right->number) {
            report.conflicts.push_back({std::string(c.issue), lookup.text(0), right->number});
        } else if (step != SQLITE_ROW && step != SQLITE_DONE) {
            return false;
        }
        lookup.reset();
    }
    return true;
}

}  // namespace

Result<std::vector<OfferReport>> HistoryDb::offer(std::span<const Offer> offers) {
    for (const Offer& o : offers) {
        if (LotteryKey(o.lottery) < 0) return detail::UnknownLottery(o.lottery);
    }
    if (impl_->readOnly) return detail::ReadOnlyFailure(impl_->path);
    std::lock_guard lock(impl_->turn);
    const sqlite::Connection& connection = impl_->connection;
    // The usual case costs one read a lottery: everything was offered before.
    std::vector<OfferReport> reports(offers.size());
    bool allOffered = true;
    for (std::size_t i = 0; i < offers.size(); ++i) {
        reports[i].offeredBefore = offers[i].draws.size();
        const std::int64_t key = LotteryKey(offers[i].lottery);
        allOffered = allOffered && AllOfferedBefore(connection, key, offers[i].draws.size()) &&
                     (offers[i].corrections.empty() ||
                      AllOfferedBefore(connection, key, offers[i].corrections.size(), "corrected"));
    }
    if (allOffered) return reports;
    if (auto sound = detail::CheckBeforeWriting(*impl_); !sound) return sound.failure();
    sqlite::Transaction transaction(connection);
    if (!transaction.begun()) return WriteProblem(*impl_);
    // Kept beside the draws, without a new schema version, so an older sanxing still
    // opens the file.
    if (!connection.exec("CREATE TABLE IF NOT EXISTS offered (lottery INTEGER NOT NULL, issue TEXT NOT NULL,"
                         " PRIMARY KEY (lottery, issue)) WITHOUT ROWID")) {
        return WriteProblem(*impl_);
    }
    sqlite::Statement mark(connection.get(),
                           "INSERT INTO offered (lottery, issue) VALUES (?1, ?2) ON CONFLICT DO NOTHING");
    sqlite::Statement insert(connection.get(),
                             "INSERT INTO draws (lottery, issue, number, date, source, recorded)"
                             " VALUES (?1, ?2, ?3, ?4, ?5, ?6) ON CONFLICT (lottery, issue) DO NOTHING");
    sqlite::Statement lookup(connection.get(), "SELECT number FROM draws WHERE lottery = ?1 AND issue = ?2");
    if (!mark.ok() || !insert.ok() || !lookup.ok()) return WriteProblem(*impl_);
    const std::string recorded = NowUtc();
    for (std::size_t i = 0; i < offers.size(); ++i) {
        const std::int64_t key = LotteryKey(offers[i].lottery);
        OfferReport& report = reports[i];
        report = {};
        for (const StoredDraw& draw : offers[i].draws) {
            if (!IsValidDraw(offers[i].lottery, draw)) continue;
            mark.bind(1, key).bind(2, draw.issue);
            if (mark.step() != SQLITE_DONE) return WriteProblem(*impl_);
            mark.reset();
            if (sqlite3_changes(connection.get()) == 0) {
                ++report.offeredBefore;
                continue;
            }
            insert.bind(1, key).bind(2, draw.issue).bind(3, draw.number).bind(4, draw.date).bind(5, draw.source);
            insert.bind(6, draw.recorded.empty() ? std::string_view(recorded) : std::string_view(draw.recorded));
            if (insert.step() != SQLITE_DONE) return WriteProblem(*impl_);
            insert.reset();
            if (sqlite3_changes(connection.get()) == 1) {
                ++report.added;
                continue;
            }
            lookup.bind(1, key).bind(2, draw.issue);
            if (lookup.step() != SQLITE_ROW) return WriteProblem(*impl_);
            if (lookup.textView(0) == draw.number) {
                ++report.present;
            } else {
                report.conflicts.push_back({draw.issue, lookup.text(0), draw.number});
            }
            lookup.reset();
        }
        if (!offers[i].corrections.empty() && !OfferCorrections(connection, key, offers[i], report)) {
            return WriteProblem(*impl_);
        }
    }
    if (auto committed = transaction.commit(); !committed) return WriteProblem(*impl_);
    return reports;
}

}  // namespace sanxing::history
