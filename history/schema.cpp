#include "history/schema.h"

#include <array>

namespace sanxing::history {

namespace {

// Step i takes a database from version i to version i + 1; a new version appends a step
// and never edits an old one.
constexpr std::array<const char*, kSchemaVersion> kMigrations{{
    // 0 -> 1: the draws of every lottery, unique on (lottery, issue); lottery is the
    // lottery's kindIndex (0 重庆时时彩, 1 江西时时彩, 2 新疆时时彩, 3 龙江时时彩, 4 福彩3D, 5 排列三).
    "CREATE TABLE draws ("
    " lottery INTEGER NOT NULL,"
    " issue TEXT NOT NULL,"
    " number TEXT NOT NULL,"
    " date TEXT NOT NULL DEFAULT '',"
    " source TEXT NOT NULL DEFAULT '',"
    " recorded TEXT NOT NULL,"
    " PRIMARY KEY (lottery, issue)"
    ") WITHOUT ROWID;",
}};

Result<void> CheckOwnership(std::int64_t application, std::int64_t version, std::int64_t tables) {
    const bool foreign =
        (application != 0 && application != kApplicationId) || (application == 0 && (version != 0 || tables != 0));
    if (foreign)
        return Failure{"这不是 sanxing 的开奖历史数据库（里面已有其他程序的数据），文件未作改动", ErrorCode::BadInput};
    // Our mark with version 0 is never written beside tables: the schema and its version
    // are set in one transaction.
    if (application == kApplicationId && version == 0 && tables != 0) {
        return Failure{"这是格式不明或已损坏的 sanxing 开奖历史数据库（结构版本为 0，却已有数据表），文件未作改动",
                       ErrorCode::Damaged};
    }
    if (version > kSchemaVersion) {
        return Failure{"数据库由较新版本的 sanxing 建立（结构版本 " + std::to_string(version) + "，本程序只认识到 " +
                           std::to_string(kSchemaVersion) + "），请使用新版本；文件未作改动",
                       ErrorCode::BadInput};
    }
    return {};
}

}  // namespace

Result<void> CheckSchema(const sqlite::Connection& connection) {
    // One statement, one snapshot: another program creating the file at this moment is
    // seen before or after its schema transaction, never half-way.
    sqlite::Statement marks(connection.get(),
                            "SELECT (SELECT application_id FROM pragma_application_id),"
                            " (SELECT user_version FROM pragma_user_version), (SELECT count(*) FROM sqlite_master)");
    if (marks.step() != SQLITE_ROW) return {};  // read errors are named by the caller's probe
    return CheckOwnership(marks.integer(0), marks.integer(1), marks.integer(2));
}

Result<void> MigrateSchema(const sqlite::Connection& connection) {
    sqlite::Transaction transaction(connection);
    if (!transaction.begun()) return transaction.begun();
    // Another process may have migrated while this one waited for the lock.
    const auto version = connection.intQuery("PRAGMA user_version");
    if (!version) return Failure{connection.lastError()};
    for (std::int64_t step = *version; step < kSchemaVersion; ++step) {
        if (auto done = connection.exec(kMigrations[static_cast<std::size_t>(step)]); !done) return done;
    }
    if (auto done = connection.exec("PRAGMA user_version = " + std::to_string(kSchemaVersion) +
                                    "; PRAGMA application_id = " + std::to_string(kApplicationId));
        !done) {
        return done;
    }
    return transaction.commit();
}

}  // namespace sanxing::history
