#pragma once
// Writing a lottery's draws out as CSV and deleting stored draws, for the window and the
// CLI alike.

#include <cstddef>
#include <string>
#include <vector>

#include "history/history_db.h"
#include "history/lotteries.h"
#include "runtime/result.h"
#include "services/history_session.h"

namespace sanxing {

// Writes the draws of `lottery` in `db` to `file` as CSV (history::ExportCsv), whole or
// not at all; gives how many draws it holds.
Result<std::size_t> ExportDraws(const history::HistoryDb& db, const history::Lottery& lottery, const std::string& file);

// Deletes the draws of `issues` from the session's history; gives how many were stored.
Result<std::size_t> DeleteDraws(HistorySession& session, const history::Lottery& lottery,
                                const std::vector<std::string>& issues);

}  // namespace sanxing
