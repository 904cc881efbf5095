#pragma once
// 历史 → 历史验证… and 历史 → 走势图, and 查号 in the context menus of the result box and
// the draw list: why a number is in the result or not, under the current conditions.

#include <QObject>
#include <QPointer>
#include <QString>
#include <filesystem>
#include <optional>

#include "history/lotteries.h"
#include "services/history_session.h"

class QMainWindow;
class QMenu;
class QPoint;

namespace sanxing {

class BacktestDialog;
class ControlWidgets;
class TrendDialog;
class WindowModel;
class WindowSettings;

class AnalysisMenu final : public QObject {
public:
    // `settings` keeps what the back-test remembers (its prices).
    AnalysisMenu(WindowModel& model, ControlWidgets& widgets, QMainWindow& window, QMenu* historyMenu,
                 HistorySession& history, WindowSettings* settings);
    // Closes the dialogs: they read the window's controls.
    ~AnalysisMenu() override;

    // Open the dialog, or raise it when it is open.
    BacktestDialog* showBacktest();
    TrendDialog* showTrend();
    // Tells in a message box how the number fares under the current conditions.
    void explain(const QString& number);
    // The draws of `lottery` changed: the open dialogs that show it read them again.
    void historyChanged(const history::Lottery& lottery);

    // The number a context menu offers: the selection or the token under the cursor in the
    // result box; the analysed three digits of a draw-list row.
    std::optional<QString> resultNumberAt(const QPoint& position) const;
    std::optional<QString> drawNumberAt(const QPoint& position) const;

private:
    void addExplainToResultBox();
    void addExplainToDrawList();

    WindowModel& model_;
    ControlWidgets& widgets_;
    QMainWindow& window_;
    HistorySession& history_;
    WindowSettings* settings_;
    QPointer<BacktestDialog> backtest_;
    QPointer<TrendDialog> trend_;
};

}  // namespace sanxing
