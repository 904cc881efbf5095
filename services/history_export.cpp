#include "services/history_export.h"

#include "history/draw_export.h"
#include "tools/safe_file_write.h"

namespace sanxing {

Result<std::size_t> ExportDraws(const history::HistoryDb& db, const history::Lottery& lottery,
                                const std::string& file) {
    const auto csv = history::ExportCsv(db, lottery.name);
    if (!csv) return csv.failure();
    const auto count = db.count(lottery.name);
    if (!count) return count.failure();
    if (auto written = WriteFileWhole(file, *csv); !written) {
        return Failure{"无法写入“" + file + "”：" + written.error(), written.code()};
    }
    return *count;
}

Result<std::size_t> DeleteDraws(HistorySession& session, const history::Lottery& lottery,
                                const std::vector<std::string>& issues) {
    auto db = session.database();
    if (!db) return db.failure();
    return (*db)->remove(lottery.name, issues);
}

}  // namespace sanxing
