#pragma once
// 历史验证's tables, one small class per page: 容错曲线 (the curve beside its chart),
// 条件 (the groups, sortable, with the Bonferroni legend), 逐期 (the draws) and 逐年 (the
// years beside their chart). Each shows what the back-test report gives.

#include <QWidget>
#include <vector>

#include "analysis/backtest.h"
#include "analysis/years.h"

class QChartView;
class QLabel;
class QStackedWidget;
class QTableView;

namespace sanxing {

class ValueTableModel;

class CurvePage final : public QWidget {
public:
    explicit CurvePage(QWidget* parent = nullptr);
    void showFigures(const analysis::Backtest& backtest, const analysis::Conditions& conditions);
    void clear();
    QTableView* table() const { return table_; }
    // The chart, or a label when no group is active.
    QWidget* view() const;

private:
    ValueTableModel* model_;
    QTableView* table_;
    QStackedWidget* stack_;
    QChartView* chart_;
    QLabel* noActiveGroup_;
};

class GroupsPage final : public QWidget {
public:
    explicit GroupsPage(QWidget* parent = nullptr);
    void showFigures(const analysis::Backtest& backtest);
    void clear();
    QTableView* table() const { return table_; }
    QString legendText() const;

private:
    ValueTableModel* model_;
    QTableView* table_;
    QLabel* legend_;
};

class DrawsPage final : public QWidget {
public:
    explicit DrawsPage(QWidget* parent = nullptr);
    // 三码 is hidden where it is the whole number (a three-digit lottery).
    void showFigures(const analysis::Backtest& backtest, const analysis::Conditions& conditions, bool wholeNumber);
    void clear();
    QTableView* table() const { return table_; }

private:
    ValueTableModel* model_;
    QTableView* table_;
};

class YearsPage final : public QWidget {
public:
    explicit YearsPage(QWidget* parent = nullptr);
    // `chance`: the hit rate of chance at the current tolerance, drawn beside the years'.
    void showFigures(const std::vector<analysis::YearFigures>& years, double chance);
    void clear();
    QTableView* table() const { return table_; }

private:
    ValueTableModel* model_;
    QTableView* table_;
    QChartView* chart_;
};

}  // namespace sanxing
