#include "history/staged_import.h"

#include <optional>

#include "history/history_db_impl.h"

namespace sanxing::history {

namespace {

// The staged draws stay in memory up to 4 MiB (a file of some 80,000 lines), as the
// database's own pages do, and go to SQLite's temporary file beyond.
constexpr const char* kCreateStage =
    "PRAGMA temp.cache_size = -4096;"
    "DROP TABLE IF EXISTS temp.staged_draws;"
    "CREATE TEMP TABLE staged_draws ("
    " issue TEXT PRIMARY KEY,"
    " number TEXT NOT NULL,"
    " date TEXT NOT NULL,"
    " line INTEGER NOT NULL,"
    " conflicted INTEGER NOT NULL DEFAULT 0"
    ") WITHOUT ROWID";

// How many of SQLite's steps a statement takes between looks at the cancel flag.
constexpr int kStepsBetweenCancelChecks = 1000;

int StopWhenCancelled(void* cancel) { return static_cast<const std::atomic<bool>*>(cancel)->load() ? 1 : 0; }

std::string StageSql(std::size_t rows) {
    std::string sql = "INSERT INTO staged_draws (issue, number, date, line) VALUES ";
    for (std::size_t i = 0; i < rows; ++i) sql += i ? ",(?,?,?,?)" : "(?,?,?,?)";
    return sql + " ON CONFLICT (issue) DO NOTHING";
}

}  // namespace

struct StagedImport::State {
    HistoryDb::Impl* db;
    std::int64_t key;
    // Staging writes the temp schema only, so the history stays open to other writers while
    // the input is read; the write lock is taken for the store alone.
    std::optional<sqlite::Transaction> staging, store;
    sqlite::Statement stageOne, stageBlock, lookup, markConflict;

    State(HistoryDb::Impl& owner, std::int64_t lottery) : db(&owner), key(lottery) {}
    // A store that was not committed leaves the staged draws behind: they go.
    ~State() {
        if (!store) return;
        store.reset();
        (void)db->connection.exec("DROP TABLE IF EXISTS temp.staged_draws");
    }
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    sqlite3* handle() const { return db->connection.get(); }

    Result<void> prepare() {
        if (auto sound = detail::CheckBeforeWriting(*db); !sound) return sound;
        staging.emplace(db->connection, sqlite::Transaction::Start::Deferred);
        if (!staging->begun() || !db->connection.exec(kCreateStage)) return detail::WriteProblem(*db);
        stageOne = sqlite::Statement(handle(), StageSql(1));
        stageBlock = sqlite::Statement(handle(), StageSql(kBlock));
        lookup = sqlite::Statement(handle(), "SELECT number, line, conflicted FROM staged_draws WHERE issue = ?1");
        markConflict = sqlite::Statement(handle(), "UPDATE staged_draws SET conflicted = 1 WHERE issue = ?1");
        if (!stageOne.ok() || !stageBlock.ok() || !lookup.ok() || !markConflict.ok()) return detail::WriteProblem(*db);
        return {};
    }

    // Adds `rows` draws with one statement; whether all of them were new.
    Result<bool> insert(sqlite::Statement& statement, std::span<const FileDraw> rows) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const int at = static_cast<int>(i) * 4;
            statement.bind(at + 1, rows[i].issue).bind(at + 2, rows[i].number).bind(at + 3, rows[i].date);
            statement.bind(at + 4, static_cast<std::int64_t>(rows[i].line));
        }
        const int step = statement.step();
        statement.reset();
        if (step != SQLITE_DONE) return detail::WriteProblem(*db);
        return static_cast<std::size_t>(sqlite3_changes(handle())) == rows.size();
    }

    // What the draw is beside the staged line of its issue (its own line when it was new).
    Result<Staged> resolve(const FileDraw& draw) {
        lookup.bind(1, draw.issue);
        if (lookup.step() != SQLITE_ROW) {
            lookup.reset();
            return detail::WriteProblem(*db);
        }
        const std::string number = lookup.text(0);
        const auto line = static_cast<std::size_t>(lookup.integer(1));
        const bool conflicted = lookup.integer(2) != 0;
        lookup.reset();
        Staged staged;
        if (line == draw.line) return staged;
        staged.firstLine = line;
        if (!conflicted && number == draw.number) {
            staged.kind = Staged::Kind::Repeat;
            return staged;
        }
        staged.kind = Staged::Kind::Conflict;
        staged.firstNumber = number;
        if (conflicted) return staged;
        staged.firstTimeConflict = true;
        markConflict.bind(1, draw.issue);
        const int step = markConflict.step();
        markConflict.reset();
        if (step != SQLITE_DONE) return detail::WriteProblem(*db);
        return staged;
    }

    // Ends the staging and takes the write lock (waiting for another writer up to the
    // busy timeout).
    Result<void> beginStore() {
        if (auto staged = staging->commit(); !staged) return detail::WriteProblem(*db);
        store.emplace(db->connection);
        if (!store->begun()) return detail::WriteProblem(*db);
        return {};
    }

    Result<void> compare(Finished& finished, bool replace, std::size_t listLimit, std::string_view source,
                         std::string_view recorded);
};

StagedImport::StagedImport(std::unique_ptr<State> state) : state_(std::move(state)) {}
StagedImport::StagedImport(StagedImport&&) noexcept = default;
StagedImport& StagedImport::operator=(StagedImport&&) noexcept = default;

StagedImport::~StagedImport() {
    if (!state_) return;
    std::lock_guard lock(state_->db->turn);
    sqlite3_progress_handler(state_->handle(), 0, nullptr, nullptr);  // the rollback must run whole
    state_.reset();                                                   // rolls back an uncommitted transaction
}

Result<StagedImport> StagedImport::begin(HistoryDb& db, const Lottery& lottery) {
    HistoryDb::Impl& impl = *db.impl_;
    std::lock_guard lock(impl.turn);
    auto state = std::make_unique<State>(impl, detail::LotteryKey(lottery.name));
    if (auto prepared = state->prepare(); !prepared) return prepared.failure();
    return StagedImport(std::move(state));
}

void StagedImport::cancelWith(const std::atomic<bool>* cancel) {
    std::lock_guard lock(state_->db->turn);
    if (cancel == nullptr) return sqlite3_progress_handler(state_->handle(), 0, nullptr, nullptr);
    // SQLite only reads the flag; the handler takes it as a plain pointer.
    sqlite3_progress_handler(state_->handle(), kStepsBetweenCancelChecks, StopWhenCancelled,
                             const_cast<std::atomic<bool>*>(cancel));
}

Result<std::vector<Staged>> StagedImport::stage(std::span<const FileDraw> draws) {
    std::lock_guard lock(state_->db->turn);
    State& s = *state_;
    std::vector<Staged> outcomes;
    outcomes.reserve(draws.size());
    const auto resolved = [&](const FileDraw& draw) -> Result<void> {
        auto staged = s.resolve(draw);
        if (!staged) return staged.failure();
        outcomes.push_back(std::move(*staged));
        return {};
    };
    // Full blocks go in with one statement each; a block that met a staged issue has each
    // of its draws looked up.
    std::size_t start = 0;
    for (; start + kBlock <= draws.size(); start += kBlock) {
        const auto block = draws.subspan(start, kBlock);
        auto allNew = s.insert(s.stageBlock, block);
        if (!allNew) return allNew.failure();
        if (*allNew) {
            outcomes.resize(outcomes.size() + kBlock);
            continue;
        }
        for (const FileDraw& draw : block) {
            if (auto done = resolved(draw); !done) return done.failure();
        }
    }
    for (const FileDraw& draw : draws.subspan(start)) {
        auto isNew = s.insert(s.stageOne, {&draw, 1});
        if (!isNew) return isNew.failure();
        if (*isNew) {
            outcomes.emplace_back();
        } else if (auto done = resolved(draw); !done) {
            return done.failure();
        }
    }
    return outcomes;
}

Result<void> StagedImport::State::compare(Finished& finished, bool replace, std::size_t listLimit,
                                          std::string_view source, std::string_view recorded) {
    sqlite::Statement matches(handle(),
                              "SELECT s.line, s.issue, d.number, s.number FROM staged_draws s"
                              " JOIN draws d ON d.lottery = ?1 AND d.issue = s.issue"
                              " WHERE s.conflicted = 0 ORDER BY s.line");
    matches.bind(1, key);
    int step;
    while ((step = matches.step()) == SQLITE_ROW) {
        if (matches.textView(2) == matches.textView(3)) {
            ++finished.present;
        } else if (finished.conflicts.size() < listLimit) {
            finished.conflicts.push_back(
                {static_cast<std::size_t>(matches.integer(0)), matches.text(1), matches.text(2), matches.text(3)});
        } else {
            ++finished.conflictsNotListed;
        }
    }
    if (step != SQLITE_DONE) return detail::WriteProblem(*db);
    if (!replace || (finished.conflicts.empty() && finished.conflictsNotListed == 0)) return {};
    sqlite::Statement update(handle(),
                             "UPDATE draws SET number = s.number,"
                             " date = CASE WHEN s.date <> '' THEN s.date ELSE draws.date END,"
                             " source = ?2, recorded = ?3 FROM staged_draws s"
                             " WHERE draws.lottery = ?1 AND draws.issue = s.issue AND s.conflicted = 0"
                             " AND draws.number <> s.number");
    update.bind(1, key).bind(2, source).bind(3, recorded);
    if (update.step() != SQLITE_DONE) return detail::WriteProblem(*db);
    finished.replaced = true;
    return {};
}

Result<Finished> StagedImport::finish(std::string_view source, std::string_view recorded, bool replaceConflicts,
                                      std::size_t listLimit) {
    std::lock_guard lock(state_->db->turn);
    State& s = *state_;
    if (auto begun = s.beginStore(); !begun) return begun.failure();
    Finished finished;
    // Comparing with the history is needed only where stored draws lie among the staged
    // issues: an import of new draws skips it.
    sqlite::Statement overlap(s.handle(),
                              "SELECT 1 FROM draws WHERE lottery = ?1 AND issue BETWEEN"
                              " (SELECT min(issue) FROM staged_draws) AND (SELECT max(issue) FROM staged_draws)"
                              " LIMIT 1");
    overlap.bind(1, s.key);
    const int probe = overlap.step();
    overlap.reset();  // a statement still reading the table would keep it from being dropped
    if (probe != SQLITE_ROW && probe != SQLITE_DONE) return detail::WriteProblem(*s.db);
    if (probe == SQLITE_ROW) {
        if (auto compared = s.compare(finished, replaceConflicts, listLimit, source, recorded); !compared) {
            return compared.failure();
        }
    }
    sqlite::Statement store(s.handle(),
                            "INSERT INTO draws (lottery, issue, number, date, source, recorded)"
                            " SELECT ?1, issue, number, date, ?2, ?3 FROM staged_draws WHERE conflicted = 0"
                            " ON CONFLICT (lottery, issue) DO NOTHING");
    store.bind(1, s.key).bind(2, source).bind(3, recorded);
    if (store.step() != SQLITE_DONE) return detail::WriteProblem(*s.db);
    finished.stored = static_cast<std::size_t>(sqlite3_changes(s.handle()));
    if (!s.db->connection.exec("DROP TABLE temp.staged_draws")) return detail::WriteProblem(*s.db);
    return finished;
}

Result<StagedImport::Agreement> StagedImport::agreement(const Lottery& lottery) {
    std::lock_guard lock(state_->db->turn);
    State& s = *state_;
    sqlite::Statement count(s.handle(),
                            "SELECT coalesce(sum(d.number = s.number), 0), coalesce(sum(d.number <> s.number), 0)"
                            " FROM staged_draws s JOIN draws d ON d.lottery = ?1 AND d.issue = s.issue"
                            " WHERE s.conflicted = 0");
    count.bind(1, detail::LotteryKey(lottery.name));
    if (count.step() != SQLITE_ROW) return detail::WriteProblem(*s.db);
    return Agreement{static_cast<std::size_t>(count.integer(0)), static_cast<std::size_t>(count.integer(1))};
}

Result<void> StagedImport::commit() {
    std::lock_guard lock(state_->db->turn);
    if (!state_->store) return Failure{"no transaction"};
    if (auto committed = state_->store->commit(); !committed) return detail::WriteProblem(*state_->db);
    state_->store.reset();
    return {};
}

}  // namespace sanxing::history
