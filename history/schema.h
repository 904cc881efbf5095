#pragma once
// The database's layout and the steps that bring any older layout up to the current one.
// `PRAGMA user_version` holds the version; `PRAGMA application_id` marks the file as ours.

#include "history/sqlite_handle.h"

namespace sanxing::history {

inline constexpr int kApplicationId = 0x53585948;  // "SXYH"
// The schema version this program writes; a database with a larger one is refused.
inline constexpr int kSchemaVersion = 1;

// Gives the Chinese reason why the open file is neither empty nor a history database
// this program can use, or success when it is fine.
Result<void> CheckSchema(const sqlite::Connection& connection);

// Brings the database to the current version in one transaction; gives SQLite's message
// on failure.
Result<void> MigrateSchema(const sqlite::Connection& connection);

}  // namespace sanxing::history
