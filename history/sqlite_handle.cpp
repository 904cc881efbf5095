#include "history/sqlite_handle.h"

namespace sanxing::history::sqlite {

Statement::Statement(sqlite3* db, std::string_view sql) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr) == SQLITE_OK) {
        stmt_.reset(stmt);
    }
}

Statement& Statement::bind(int index, std::string_view text) {
    // An empty view may have no data pointer, which SQLite would bind as NULL.
    sqlite3_bind_text(stmt_.get(), index, text.empty() ? "" : text.data(), static_cast<int>(text.size()),
                      SQLITE_STATIC);
    return *this;
}

Statement& Statement::bind(int index, std::int64_t value) {
    sqlite3_bind_int64(stmt_.get(), index, value);
    return *this;
}

int Statement::step() { return stmt_ ? sqlite3_step(stmt_.get()) : SQLITE_MISUSE; }

void Statement::reset() {
    sqlite3_reset(stmt_.get());
    sqlite3_clear_bindings(stmt_.get());
}

std::string_view Statement::textView(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_.get(), column));
    return text ? std::string_view(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt_.get(), column)))
                : std::string_view();
}

std::string Statement::text(int column) const { return std::string(textView(column)); }

std::int64_t Statement::integer(int column) const { return sqlite3_column_int64(stmt_.get(), column); }

namespace {

// "file:" URI of a path, with the characters a URI gives a meaning to escaped.
std::string ImmutableUri(const std::string& file) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = "file:";
    for (const unsigned char c : file) {
        if (c == '%' || c == '?' || c == '#' || c < 0x20) {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 0xF];
        } else {
            uri += static_cast<char>(c);
        }
    }
    return uri + "?immutable=1";
}

}  // namespace

std::optional<Connection> Connection::open(const std::string& file, Mode mode, OpenFailure& failure) {
    sqlite3* db = nullptr;
    int flags = SQLITE_OPEN_NOMUTEX;
    switch (mode) {
        case Mode::Create: flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE; break;
        case Mode::ReadOnly: flags |= SQLITE_OPEN_READONLY; break;
        case Mode::Immutable: flags |= SQLITE_OPEN_READONLY | SQLITE_OPEN_URI; break;
    }
    const std::string name = mode == Mode::Immutable ? ImmutableUri(file) : file;
    const int code = sqlite3_open_v2(name.c_str(), &db, flags, nullptr);
    Connection connection;
    connection.db_.reset(db);
    if (code != SQLITE_OK) {
        failure = {code, db ? sqlite3_system_errno(db) : 0, db ? sqlite3_errmsg(db) : sqlite3_errstr(code)};
        return std::nullopt;
    }
    sqlite3_extended_result_codes(db, 1);
    return connection;
}

Result<void> Connection::exec(const std::string& sql) const {
    char* error = nullptr;
    if (sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, &error) == SQLITE_OK) return {};
    std::string message = error ? error : lastError();
    sqlite3_free(error);
    return Failure{std::move(message)};
}

std::optional<std::int64_t> Connection::intQuery(std::string_view sql) const {
    Statement statement(db_.get(), sql);
    if (statement.step() != SQLITE_ROW) return std::nullopt;
    return statement.integer(0);
}

Transaction::Transaction(const Connection& connection, Start start) : connection_(connection) {
    begun_ = connection_.exec(start == Start::Immediate ? "BEGIN IMMEDIATE" : "BEGIN");
    open_ = static_cast<bool>(begun_);
}

Transaction::~Transaction() {
    if (open_) (void)connection_.exec("ROLLBACK");  // nothing is left to tell a failure to
}

Result<void> Transaction::commit() {
    if (!open_) return begun_ ? Failure{"no transaction"} : begun_;
    auto committed = connection_.exec("COMMIT");
    if (committed) open_ = false;
    return committed;
}

}  // namespace sanxing::history::sqlite
