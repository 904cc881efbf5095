#include "gui/analysis/analysis_menu.h"

#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTreeWidget>

#include "analysis/analysed_draw.h"
#include "analysis/conditions.h"
#include "app/window_model.h"
#include "gui/analysis/analysis_views.h"
#include "gui/analysis/range_bar.h"
#include "gui/backtest/backtest_dialog.h"
#include "gui/binding/control_widgets.h"
#include "gui/trend/trend_dialog.h"
#include "numbers/set_text.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

std::optional<QString> ThreeDigits(const QString& text) {
    const QString token = text.trimmed();
    if (!NumberValue(token.toStdString())) return std::nullopt;
    return token;
}

// Shows a dialog that lives as long as it is open, or raises the one that is.
template <class Dialog>
Dialog* ShowOnce(QPointer<Dialog>& dialog, const std::function<Dialog*()>& make) {
    if (!dialog) {
        dialog = make();
        dialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

}  // namespace

AnalysisMenu::AnalysisMenu(WindowModel& model, ControlWidgets& widgets, QMainWindow& window, QMenu* historyMenu,
                           HistorySession& history, WindowSettings* settings)
    : QObject(&window), model_(model), widgets_(widgets), window_(window), history_(history), settings_(settings) {
    historyMenu->addSeparator();
    historyMenu->addAction(QStringLiteral("历史验证(&V)…"), this, [this] { showBacktest(); });
    historyMenu->addAction(QStringLiteral("走势图(&T)"), this, [this] { showTrend(); });
    addExplainToResultBox();
    addExplainToDrawList();
}

AnalysisMenu::~AnalysisMenu() {
    delete backtest_.data();
    delete trend_.data();
}

BacktestDialog* AnalysisMenu::showBacktest() {
    const bool open = !backtest_.isNull();
    BacktestDialog* dialog = ShowOnce<BacktestDialog>(
        backtest_, [this] { return new BacktestDialog(model_, history_, settings_, &window_); });
    if (open) dialog->followWindowChoices();
    return dialog;
}

TrendDialog* AnalysisMenu::showTrend() {
    return ShowOnce<TrendDialog>(trend_, [this] {
        auto* dialog = new TrendDialog(model_.platform(), history_, settings_, &window_);
        dialog->rangeBar().follow(analysis::AnalysisChoiceFromControls(model_.controls()));
        dialog->reload();
        return dialog;
    });
}

void AnalysisMenu::historyChanged(const history::Lottery& lottery) {
    if (backtest_) backtest_->rangeBar().historyChanged(lottery);
    if (trend_) trend_->rangeBar().historyChanged(lottery);
}

void AnalysisMenu::explain(const QString& number) {
    const analysis::Conditions conditions = analysis::Conditions::FromControls(model_.controls());
    const auto e = analysis::ExplainNumber(conditions, number.toStdString());
    const std::string text = e ? ExplanationText(*e, conditions).toStdString() : e.error();
    model_.platform().messageBox(text, "查号", e ? MessageIcon::Information : MessageIcon::Warning, MessageButtons::Ok);
}

std::optional<QString> AnalysisMenu::resultNumberAt(const QPoint& position) const {
    auto* box = widgets_.get<QPlainTextEdit>(ctl::kResult);
    if (box->textCursor().hasSelection()) return ThreeDigits(box->textCursor().selectedText());
    QTextCursor cursor = box->cursorForPosition(position);
    cursor.select(QTextCursor::WordUnderCursor);
    return ThreeDigits(cursor.selectedText());
}

std::optional<QString> AnalysisMenu::drawNumberAt(const QPoint& position) const {
    auto* list = widgets_.get<QTreeWidget>(ctl::kDrawList);
    const QTreeWidgetItem* item = list->itemAt(position);
    if (item == nullptr) return std::nullopt;
    const std::string number = item->text(1).trimmed().toStdString();
    const analysis::Position where = analysis::AnalysisChoiceFromControls(model_.controls()).position;
    const auto value = analysis::AnalysedValue(number, static_cast<int>(number.size()), where);
    if (!value) return std::nullopt;
    return QString::fromStdString(NumberText(*value));
}

void AnalysisMenu::addExplainToResultBox() {
    auto* box = widgets_.get<QPlainTextEdit>(ctl::kResult);
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(box, &QWidget::customContextMenuRequested, this, [this, box](const QPoint& position) {
        QMenu* menu = box->createStandardContextMenu(position);
        menu->addSeparator();
        const auto number = resultNumberAt(position);
        QAction* action = menu->addAction(number ? QStringLiteral("查号 %1：为什么在或不在结果中").arg(*number)
                                                 : QStringLiteral("查号（先选中一个三位数）"));
        action->setEnabled(number.has_value());
        if (number) connect(action, &QAction::triggered, this, [this, n = *number] { explain(n); });
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(box->viewport()->mapToGlobal(position));
    });
}

void AnalysisMenu::addExplainToDrawList() {
    auto* list = widgets_.get<QTreeWidget>(ctl::kDrawList);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint& position) {
        const auto number = drawNumberAt(position);
        if (!number) return;
        auto* menu = new QMenu(list);
        menu->addAction(QStringLiteral("查号 %1：为什么在或不在结果中").arg(*number), this,
                        [this, n = *number] { explain(n); });
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(list->viewport()->mapToGlobal(position));
    });
}

}  // namespace sanxing
