#pragma once
// 历史验证's 盈亏 page: the price per 注 and the 直选 prize of the lottery (editable,
// remembered per lottery in the settings), what the range would have cost and won beside
// what chance alone wins, and the running net as a chart.

#include <QWidget>

#include "analysis/money.h"
#include "history/lotteries.h"
#include "services/analysis_report.h"

class QChartView;
class QLabel;
class QLineEdit;
class QTableView;

namespace sanxing {

class Platform;
class ValueTableModel;
class WindowSettings;

class MoneyPage final : public QWidget {
    Q_OBJECT
public:
    // Without settings the prices are the lotteries' defaults and are not kept.
    MoneyPage(Platform& platform, WindowSettings* settings, QWidget* parent = nullptr);

    // Shows the lottery's prices in the boxes.
    void setLottery(const history::Lottery& lottery);
    const analysis::Prices& prices() const { return prices_; }
    // Takes the texts as if typed into the boxes: an amount that is not a whole number of
    // 元 from 1 up is refused with a message, and its box shows the amount in use again.
    void enterPrices(const QString& price, const QString& prize);

    void showFigures(const services::MoneyFigures& figures);
    void clear();
    QTableView* table() const { return table_; }

signals:
    void pricesChanged();

private:
    void takeTypedPrices();
    void showPrices();

    Platform& platform_;
    WindowSettings* settings_;
    const history::Lottery* lottery_ = nullptr;
    analysis::Prices prices_;
    analysis::Money money_;  // what the table shows
    QLineEdit* price_;
    QLineEdit* prize_;
    QLabel* lotteryName_;
    QLabel* fairReturn_;
    ValueTableModel* model_;
    QTableView* table_;
    QChartView* chart_;
};

}  // namespace sanxing
