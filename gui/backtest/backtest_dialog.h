#pragma once
// 历史验证: the current conditions tried on past draws. Lottery, range and position at the
// top; a summary line and whether the hits differ from chance; the tolerance curve as a
// table and a chart, the condition groups (sortable; those whose kills differ from chance
// beyond the Bonferroni threshold stand out), the draws, the years, the money and the
// schemes compared; copy and CSV export of the table in view. It runs again when the
// conditions or the range change. A 查号 box explains one number.

#include <QDialog>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <optional>

#include "analysis/backtest.h"
#include "gui/platform/remembered_folder.h"
#include "history/history_db.h"
#include "services/analysis_report.h"
#include "services/history_session.h"

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableView;
class QVBoxLayout;

namespace sanxing {

class ComparePage;
class CurvePage;
class DrawsPage;
class GroupsPage;
class MoneyPage;
class RangeBar;
class YearsPage;
class WindowModel;
class WindowSettings;

class BacktestDialog final : public QDialog {
    Q_OBJECT
public:
    // `settings` keeps the prices of the 盈亏 page (without it they are the defaults) and
    // the folder of the CSV exports.
    BacktestDialog(WindowModel& model, HistorySession& history, WindowSettings* settings = nullptr,
                   QWidget* parent = nullptr);
    ~BacktestDialog() override;

    // Takes the lottery and position from the draw area's combo boxes.
    void followWindowChoices();
    // Looks up one number in the 查号 box.
    void explain(const QString& number);

    RangeBar& rangeBar() { return *rangeBar_; }
    const analysis::Backtest& result() const { return report_.backtest; }
    QString summaryText() const;
    // Whether the hits differ from chance, in words.
    QString verdictText() const;
    QString groupsLegendText() const;
    QString explanationText() const;
    QLabel* definitionsLink() const { return definitions_; }
    // What the 容错曲线 page shows beside its table: the chart, or a label when no group is active.
    QWidget* curveView() const;
    MoneyPage& moneyPage() { return *money_; }
    ComparePage& comparePage() { return *compare_; }
    // The tables by tab: 0 the tolerance curve, 1 the groups, 2 the draws, 3 the years,
    // 4 the money, 5 the schemes compared.
    QTableView* table(int tab) const;
    void showTab(int tab);
    // Copy and CSV export work on the table of the tab in view.
    void copyTable();
    void exportTable();

private:
    QVBoxLayout* makeSummary();    // the summary, the verdict beside 口径说明, the note
    QHBoxLayout* makeLookupRow();  // 查号
    void reload();                 // the range changed: read its draws again
    void recompute();              // the conditions changed
    void reprice();                // the prices or the schemes compared changed
    services::Pricing pricing() const;
    void showResult();
    void showSummary();
    void showProblem(const QString& text);
    void showExplanation(const QString& text, bool failed);
    QTableView* currentTable() const;

    WindowModel& model_;
    RememberedFolder exports_;
    HistorySession& history_;
    int observer_ = 0;
    QTimer rerun_;

    RangeBar* rangeBar_;
    QLabel* summary_;
    QLabel* verdict_;
    QLabel* note_;
    QLabel* definitions_;
    QLineEdit* lookup_;
    QLabel* explanation_;
    bool lookupFailed_ = false;  // the 查号 box holds no number: not looked up again by a recompute
    QTabWidget* tabs_;
    CurvePage* curve_;
    GroupsPage* groups_;
    DrawsPage* draws_;
    YearsPage* years_;
    MoneyPage* money_;
    ComparePage* compare_;

    const history::Lottery* lottery_ = nullptr;     // of the range read
    std::optional<services::AnalysisRange> range_;  // the draws read
    std::unique_ptr<analysis::Conditions> conditions_;
    services::BacktestReport report_;
};

}  // namespace sanxing
