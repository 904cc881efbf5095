#pragma once
// 历史验证's 对比方案 page: up to four saved scheme files beside the current conditions over
// the same draws. Each scheme is tried on a copy of the window's controls, never on them.

#include <QStringList>
#include <QWidget>
#include <vector>

#include "analysis/comparison.h"
#include "runtime/control_store.h"
#include "services/analysis_report.h"

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

    // What is compared, as the back-test report gives it.
    const std::vector<services::ComparedScheme>& schemes() const { return schemes_; }
    // The current conditions first, then each scheme, over `draws` draws.
    void showFigures(const std::vector<analysis::SchemeFigures>& rows, int draws);
    void clear();
    QTableView* table() const { return table_; }

signals:
    void schemesChanged();

private:
    Platform& platform_;
    const ControlStore& controls_;
    std::vector<services::ComparedScheme> schemes_;
    std::vector<analysis::SchemeFigures> rows_;  // what the table shows
    int draws_ = 0;
    QLabel* hint_;
    ValueTableModel* model_;
    QTableView* table_;
};

}  // namespace sanxing
