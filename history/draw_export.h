#pragma once
// The history of one lottery as a UTF-8 CSV text: a byte order mark (so that Excel and WPS
// read the Chinese), header 期号,号码,开奖日期, oldest first. Importing it gives back the
// same draws.

#include <string>
#include <string_view>

#include "history/history_db.h"

namespace sanxing::history {

// Fails with the reason when the history cannot be read.
Result<std::string> ExportCsv(const HistoryDb& db, std::string_view lottery);

}  // namespace sanxing::history
