#include "history/draw_export.h"

namespace history {

std::string ExportCsv(const HistoryDb& db, std::string_view lottery) {
    std::string csv = "期号,号码,开奖日期\n";
    // Issues and numbers are digits and dates YYYY-MM-DD, so no field needs quoting.
    for (const StoredDraw& draw : db.Between(lottery, {}, {})) {
        csv += draw.issue;
        csv += ',';
        csv += draw.number;
        csv += ',';
        csv += draw.date;
        csv += '\n';
    }
    return csv;
}

}  // namespace history
