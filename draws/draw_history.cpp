#include "draws/draw_history.h"

#include <algorithm>

#include "history/history_db.h"
#include "history/lotteries.h"
#include "history/shipped_draws.h"

namespace sanxing {

namespace {

const history::Lottery* LotteryOfKind(int kind) {
    const auto all = history::Lotteries();
    return kind >= 0 && kind < static_cast<int>(all.size()) ? &all[static_cast<std::size_t>(kind)] : nullptr;
}

// The draw date that a time-based issue carries (YYMMDD before its serial); empty for
// the daily lotteries, whose issues count the draws of a year.
std::string DateOfIssue(const history::Lottery& lottery, const std::string& issue) {
    if (lottery.digits != 5 || issue.size() != static_cast<std::size_t>(lottery.issueLength)) return {};
    const std::size_t at = issue.size() - static_cast<std::size_t>(lottery.serialLength) - 6;
    return "20" + issue.substr(at, 2) + "-" + issue.substr(at + 2, 2) + "-" + issue.substr(at + 4, 2);
}

}  // namespace

DrawHistory::DrawHistory(std::filesystem::path file, std::optional<std::filesystem::path> shippedFrom)
    : file_(std::move(file)), shippedFrom_(std::move(shippedFrom)) {}

DrawHistory::~DrawHistory() = default;

Result<history::HistoryDb*> DrawHistory::open() {
    if (db_) return db_.get();
    if (openError_.empty()) {
        auto opened = history::HistoryDb::open(file_);
        if (opened) {
            db_ = std::make_unique<history::HistoryDb>(std::move(*opened));
            if (shippedFrom_) addShippedDraws();
            return db_.get();
        }
        openError_ = opened.error();
    }
    return Failure{openError_};
}

void DrawHistory::addShippedDraws() {
    auto added = history::AddShippedDraws(*db_, *shippedFrom_);
    if (!added) {
        note_ = "内置的开奖号码未能加入开奖历史：" + added.error();
        return;
    }
    // Conflicts and corrections are said, once; plain additions go without a word.
    for (const history::ShippedAddition& addition : *added) {
        if (!addition.report.conflicts.empty() || !addition.report.corrected.empty()) {
            note_ = history::ShippedSummary(*added);
        }
    }
}

Result<void> DrawHistory::record(int kind, const DrawRows& draws, char site) {
    const history::Lottery* lottery = LotteryOfKind(kind);
    if (lottery == nullptr || draws.empty()) return {};
    auto opened = open();
    if (!opened) return Failure{opened.error()};
    history::HistoryDb* db = *opened;
    const std::string recorded = history::NowUtc();
    std::vector<history::StoredDraw> stored;
    stored.reserve(draws.size());
    for (const DrawRecord& draw : draws) {
        stored.push_back({draw.issue, draw.number, DateOfIssue(*lottery, draw.issue), std::string(1, site), recorded});
    }
    auto written = db->record(lottery->name, stored);
    if (!written) return Failure{written.error()};
    return {};
}

Result<DrawRows> DrawHistory::newest(int kind, std::size_t count) {
    const history::Lottery* lottery = LotteryOfKind(kind);
    if (lottery == nullptr) return DrawRows{};
    auto db = open();
    if (!db) return Failure{db.error()};
    auto stored = (*db)->newest(lottery->name, count);
    if (!stored) return Failure{stored.error()};
    DrawRows rows;
    for (history::StoredDraw& draw : *stored) {
        rows.push_back({std::move(draw.issue), std::move(draw.number)});
    }
    std::reverse(rows.begin(), rows.end());  // the history gives the oldest first
    return rows;
}

}  // namespace sanxing
