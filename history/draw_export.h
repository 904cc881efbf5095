#pragma once
// The history of one lottery as a UTF-8 CSV text: header 期号,号码,开奖日期, oldest first.
// Importing it gives back the same draws.

#include <string>
#include <string_view>

#include "history/history_db.h"

namespace history {

std::string ExportCsv(const HistoryDb& db, std::string_view lottery);

}  // namespace history
