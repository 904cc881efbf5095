#include "services/history_refresh.h"

#include <algorithm>

namespace sanxing {

bool UpdateReport::anyFailed() const {
    return std::any_of(updates.begin(), updates.end(), [](const HistoryUpdate& u) { return !u.error.empty(); });
}

bool UpdateReport::allFailed() const {
    return !updates.empty() &&
           std::all_of(updates.begin(), updates.end(), [](const HistoryUpdate& u) { return !u.error.empty(); });
}

std::string UpdateReport::text() const {
    std::string text = std::string(kUpdateCaption) + "：";
    for (const HistoryUpdate& update : updates) {
        text += '\n';
        text += UpdateLine(update);
    }
    return text;
}

Result<UpdateReport> UpdateDraws(HistorySession& session, const DrawHosts& hosts) {
    auto db = session.database();
    if (!db) return db.failure();
    return UpdateReport{UpdateHistory(**db, hosts, {})};
}

}  // namespace sanxing
