#pragma once
// 历史验证: the current conditions tried on past draws. Lottery, range and position at the
// top; a summary line; the tolerance curve as a table and a chart, the condition groups
// (sortable, those that killed more often than chance stand out) and the draws; copy and
// CSV export of the table in view. It runs again when the conditions or the range change.
// A 查号 box explains one number.

#include <QDialog>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <optional>

#include "analysis/backtest.h"
#include "analysis/draw_range.h"
#include "history/history_db.h"

class QChartView;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableView;

namespace sanxing {

class RangeBar;
class ValueTableModel;
class WindowModel;

class BacktestDialog final : public QDialog {
    Q_OBJECT
public:
    BacktestDialog(WindowModel& model, std::filesystem::path database, QWidget* parent = nullptr);
    ~BacktestDialog() override;

    // Takes the lottery and position from the draw area's combo boxes.
    void followWindowChoices();
    // Looks up one number in the 查号 box.
    void explain(const QString& number);

    RangeBar& rangeBar() { return *rangeBar_; }
    const analysis::Backtest& result() const { return backtest_; }
    QString summaryText() const;
    QString explanationText() const;
    // The tables by tab: 0 the tolerance curve, 1 the groups, 2 the draws.
    QTableView* table(int tab) const;
    void showTab(int tab);
    // Copy and CSV export work on the table of the tab in view.
    void copyTable();
    void exportTable();

private:
    void reload();     // the range changed: fetch the draws again
    void recompute();  // the conditions changed
    void showResult();
    void showProblem(const QString& text);
    QTableView* currentTable() const;
    QWidget* buildCurvePage();

    WindowModel& model_;
    std::filesystem::path database_;
    std::shared_ptr<history::HistoryDb> db_;  // opened on the first load
    int observer_ = 0;
    QTimer rerun_;

    RangeBar* rangeBar_;
    QLabel* summary_;
    QLabel* note_;
    QLineEdit* lookup_;
    QLabel* explanation_;
    QTabWidget* tabs_;
    QTableView* curveTable_;
    QTableView* groupsTable_;
    QTableView* drawsTable_;
    QChartView* chart_;
    ValueTableModel* curveModel_;
    ValueTableModel* groupsModel_;
    ValueTableModel* drawsModel_;

    std::optional<analysis::RangeDraws> draws_;
    std::unique_ptr<analysis::Conditions> conditions_;
    analysis::Backtest backtest_;
};

}  // namespace sanxing
