#pragma once
// 历史验证's 对比方案 page: up to four saved scheme files beside the current conditions over
// the same draws. Each scheme is tried on a copy of the window's controls, never on them.

#include <QStringList>
#include <QWidget>
#include <nlohmann/json.hpp>
#include <span>
#include <utility>
#include <vector>

#include "analysis/backtest.h"
#include "analysis/money.h"
#include "runtime/control_store.h"

class QLabel;
class QTableView;

namespace sanxing {

class Platform;
class ValueTableModel;

class ComparePage final : public QWidget {
    Q_OBJECT
public:
    ComparePage(Platform& platform, const ControlStore& controls, QWidget* parent = nullptr);

    // Asks for scheme files in the platform's dialog and compares them.
    void choose();
    // Reads the files in place of the ones compared before; one that cannot be used is
    // named with its reason in one message and left out, past four the rest are too.
    void compareWith(const QStringList& files);
    int schemeCount() const { return static_cast<int>(schemes_.size()); }

    // The current conditions' back-test, then each scheme over the same draws.
    void showFigures(const analysis::Backtest& current, std::span<const analysis::AnalysedDraw> draws,
                     const analysis::Prices& prices);
    void clear();
    QTableView* table() const { return table_; }

signals:
    void schemesChanged();

private:
    Platform& platform_;
    const ControlStore& controls_;
    std::vector<std::pair<QString, nlohmann::json>> schemes_;  // file and its checked scheme
    QLabel* hint_;
    ValueTableModel* model_;
    QTableView* table_;
};

}  // namespace sanxing
