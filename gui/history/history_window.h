#pragma once
// The 开奖历史 window: the draws of one lottery, newest first, with their count, the first
// and last issue and the gaps; selected draws can be deleted after a question.

#include <QDialog>
#include <functional>

#include "history/lotteries.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace sanxing {

class DrawTableModel;
class HistoryAccess;
class Platform;

class HistoryWindow final : public QDialog {
public:
    HistoryWindow(HistoryAccess& access, Platform& platform, QWidget* parent);

    void showLottery(const history::Lottery& lottery);
    // Reads the chosen lottery's draws anew (after an import, say).
    void refresh();
    void deleteSelected();
    // `listener` hears of every delete that removed draws.
    void onDrawsDeleted(std::function<void(const history::Lottery&)> listener) { deleted_ = std::move(listener); }

    const history::Lottery& lottery() const;
    QTableView* table() const { return table_; }
    QLabel* summary() const { return summary_; }

private:
    void updateSummary();

    HistoryAccess& access_;
    Platform& platform_;
    QComboBox* lotteries_;
    QLabel* summary_;
    QTableView* table_;
    QPushButton* delete_;
    DrawTableModel* model_;
    std::function<void(const history::Lottery&)> deleted_;
};

// "共 N 期，第一期 X，最后一期 Y" and the gaps, for the summary line.
QString HistorySummary(const std::vector<std::string>& issuesNewestFirst, const history::Lottery& lottery);

}  // namespace sanxing
