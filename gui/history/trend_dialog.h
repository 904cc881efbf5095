#pragma once
// 走势图: the trend grid of a range of past draws (newest at the bottom, scrolled into
// view), the omission figures under it, and line charts of 和值 and 跨度 on a second tab.
// Lottery, range and position at the top; the figures export as CSV, the chart as PNG.

#include <QDialog>
#include <filesystem>
#include <memory>

#include "analysis/trend.h"
#include "history/history_db.h"

class QCheckBox;
class QLabel;
class QTabWidget;
class QTableView;
class QChartView;

namespace sanxing {

class Platform;
class RangeBar;
class TrendGridModel;
class ValueTableModel;

class TrendDialog final : public QDialog {
    Q_OBJECT
public:
    TrendDialog(Platform& platform, std::filesystem::path database, QWidget* parent = nullptr);

    RangeBar& rangeBar() { return *rangeBar_; }
    QTableView* grid() const { return grid_; }
    const TrendGridModel& gridModel() const { return *gridModel_; }
    QCheckBox* omissionToggle() const { return omission_; }
    QString statusText() const;
    // Fetches the chosen range again and redraws everything.
    void reload();
    void showTab(int tab);
    // The figures of every category as CSV; the tab in view as PNG.
    void exportFigures();
    void exportPicture();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showProblem(const QString& text);
    void showCharts(const std::vector<analysis::AnalysedDraw>& draws);
    void fillFigures(const analysis::Trend& trend);

    Platform& platform_;
    std::filesystem::path database_;
    std::shared_ptr<history::HistoryDb> db_;  // opened on the first load
    RangeBar* rangeBar_;
    QLabel* status_;
    QCheckBox* omission_;
    QTabWidget* tabs_;
    QTableView* grid_;
    TrendGridModel* gridModel_;
    ValueTableModel* figures_;  // what the CSV export writes
    QChartView* sumChart_;
    QChartView* spanChart_;
};

}  // namespace sanxing
