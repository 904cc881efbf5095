#pragma once
// 走势图: the grids of a range of past draws (newest at the bottom, scrolled into view) with
// the omission figures under each, counted back through the whole history, and line charts
// of 和值 and 跨度. Tabs: 号码走势, 形态走势, 组选分布, 和值/跨度, 折线图. Lottery, range
// and position at the top; 显示遗漏 and 连线 for the grids; the figures export as CSV, the
// tab in view as a PNG picture of the whole grid or chart.

#include <QDialog>
#include <filesystem>
#include <memory>
#include <vector>

#include "analysis/draw_range.h"
#include "analysis/trend.h"
#include "gui/platform/remembered_folder.h"
#include "history/history_db.h"
#include "services/history_session.h"

class QCheckBox;
class QLabel;
class QTabWidget;

namespace sanxing {

class Platform;
class RangeBar;
class WindowSettings;
class TrendCharts;
class TrendGridModel;
class TrendGridView;
class ValueTableModel;

class TrendDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kGridTabs = 4;  // then the charts
    static constexpr int kChartsTab = kGridTabs;

    // `settings` keeps the folder of the CSV and PNG exports.
    TrendDialog(Platform& platform, HistorySession& history, WindowSettings* settings = nullptr,
                QWidget* parent = nullptr);

    RangeBar& rangeBar() { return *rangeBar_; }
    // The grid of tab `tab` (0 号码走势, 1 形态走势, 2 组选分布, 3 和值/跨度).
    TrendGridView* grid(int tab = 0) const { return grids_[static_cast<std::size_t>(tab)]; }
    const TrendGridModel& gridModel(int tab = 0) const { return *models_[static_cast<std::size_t>(tab)]; }
    TrendCharts& charts() const { return *charts_; }
    QCheckBox* omissionToggle() const { return omission_; }
    QCheckBox* lineToggle() const { return lines_; }
    QLabel* definitionsLink() const { return definitions_; }
    QString statusText() const;
    // Fetches the chosen range (and the history before it) again and redraws everything.
    void reload();
    void showTab(int tab);
    // The figures of every category as CSV; the tab in view as PNG.
    void exportFigures();
    void exportPicture();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showProblem(const QString& text);
    void showStatus(const QString& text, const char* colour);
    void fillFigures(const analysis::Trend& trend);
    // Wide enough for the whole 号码走势 grid where the screen allows.
    void fitWidth();
    // "福彩3D 号码走势  2024001 至 2024400，400 期  ·  导出于 2026-12-08": lottery, tab,
    // range, today.
    QString pictureTitle() const;

    Platform& platform_;
    RememberedFolder exports_;
    HistorySession& history_;
    RangeBar* rangeBar_;
    QLabel* status_;
    QCheckBox* omission_;
    QCheckBox* lines_;
    QLabel* definitions_;
    QTabWidget* tabs_;
    std::vector<TrendGridModel*> models_;
    std::vector<TrendGridView*> grids_;
    TrendCharts* charts_;
    ValueTableModel* figures_;        // what the CSV export writes
    analysis::AnalysisChoice shown_;  // what the grids show
    QString range_;                   // "2024001 至 2024400，400 期"
    QString rangeStatus_;             // what the status line says about the range
};

}  // namespace sanxing
