#include "history/draw_export.h"

#include "runtime/text.h"

namespace sanxing::history {

Result<std::string> ExportCsv(const HistoryDb& db, std::string_view lottery) {
    const auto draws = db.between(lottery, {}, {});
    if (!draws) return draws.failure();
    std::string csv = std::string(kUtf8Bom) + "期号,号码,开奖日期\n";
    // Issues and numbers are digits and dates YYYY-MM-DD, so no field needs quoting.
    for (const StoredDraw& draw : *draws) {
        csv += draw.issue;
        csv += ',';
        csv += draw.number;
        csv += ',';
        csv += draw.date;
        csv += '\n';
    }
    return csv;
}

}  // namespace sanxing::history
