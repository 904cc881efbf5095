#include "gui/backtest/backtest_money_page.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

#include "gui/analysis/analysis_views.h"
#include "gui/analysis/value_table_model.h"
#include "gui/backtest/backtest_cells.h"
#include "gui/backtest/backtest_charts.h"
#include "gui/backtest/backtest_columns.h"
#include "gui/platform/window_settings.h"
#include "runtime/platform.h"

namespace sanxing {

using namespace analysis;

namespace {

// Whole 元, sorted and aligned as numbers.
TableCell Yuan(std::int64_t amount) { return {QString::number(amount), static_cast<double>(amount)}; }
// Chance's amounts are exact to 0.001 元; two decimals are shown.
TableCell Yuan(double amount) { return {QString::number(amount, 'f', 2), amount}; }

// The two rows: this scheme, then chance alone.
constexpr bool kRows[] = {false, true};

const Columns<bool, Money>& MoneyColumns() {
    static const Columns<bool, Money> columns = {
        {QStringLiteral("按"),
         {},
         [](const bool& chance, const Money&) -> TableCell {
             return {chance ? QStringLiteral("随机选号（期望）") : QStringLiteral("本方案")};
         }},
        {QStringLiteral("投入（元）"), QStringLiteral("每期买下当前容错的全部结果：期数 × 结果注数 × 每注价格"),
         [](const bool&, const Money& m) { return Yuan(m.cost); }},
        {QStringLiteral("奖金（元）"), QStringLiteral("命中期数 × 直选奖金；随机选号为期望命中期数 × 直选奖金"),
         [](const bool& chance, const Money& m) { return chance ? Yuan(m.expectedWon) : Yuan(m.won); }},
        {QStringLiteral("盈亏（元）"), QStringLiteral("奖金 − 投入"),
         [](const bool& chance, const Money& m) { return chance ? Yuan(m.expectedNet()) : Yuan(m.net); }},
        {QStringLiteral("回报率"), QStringLiteral("奖金 ÷ 投入"),
         [](const bool& chance, const Money& m) {
             return PercentCell(chance ? m.expectedReturnRate() : m.returnRate);
         }},
    };
    return columns;
}

QLineEdit* AmountBox(const QWidget& page) {
    auto* box = new QLineEdit;
    box->setMaxLength(16);
    box->setAlignment(Qt::AlignRight);
    box->setFixedWidth(page.fontMetrics().horizontalAdvance(QStringLiteral("10000000")) + 12);
    return box;
}

}  // namespace

MoneyPage::MoneyPage(Platform& platform, WindowSettings* settings, QWidget* parent)
    : QWidget(parent), platform_(platform), settings_(settings) {
    price_ = AmountBox(*this);
    prize_ = AmountBox(*this);
    price_->setToolTip(QStringLiteral("每买一注的价格（元），按彩种记住"));
    prize_->setToolTip(QStringLiteral("命中一期（直选）的奖金（元），按彩种记住"));
    lotteryName_ = new QLabel;
    auto* prices = new QHBoxLayout;
    prices->addWidget(new QLabel(QStringLiteral("每注")));
    prices->addWidget(price_);
    prices->addWidget(new QLabel(QStringLiteral("元，直选奖金")));
    prices->addWidget(prize_);
    prices->addWidget(new QLabel(QStringLiteral("元")));
    prices->addWidget(lotteryName_);
    prices->addStretch(1);

    model_ = ModelOf(MoneyColumns(), this);
    table_ = MakeTableView(model_, false);
    // Two rows: the table takes their height, the chart the rest.
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->horizontalHeader()->setStretchLastSection(false);
    table_->setFixedHeight(table_->horizontalHeader()->sizeHint().height() +
                           2 * table_->verticalHeader()->defaultSectionSize() + 2 * table_->frameWidth() + 2);
    chart_ = new QChartView;
    chart_->setRenderHint(QPainter::Antialiasing);

    fairReturn_ = new QLabel;
    fairReturn_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(prices);
    layout->addWidget(table_);
    layout->addWidget(chart_, 1);
    layout->addWidget(fairReturn_);

    connect(price_, &QLineEdit::editingFinished, this, &MoneyPage::takeTypedPrices);
    connect(prize_, &QLineEdit::editingFinished, this, &MoneyPage::takeTypedPrices);
}

void MoneyPage::setLottery(const history::Lottery& lottery) {
    lottery_ = &lottery;
    prices_ = settings_ ? settings_->prices(lottery) : DefaultPrices(lottery);
    lotteryName_->setText(QStringLiteral("（%1）").arg(Utf8(lottery.name)));
    showPrices();
}

void MoneyPage::enterPrices(const QString& price, const QString& prize) {
    price_->setText(price);
    prize_->setText(prize);
    takeTypedPrices();
}

void MoneyPage::takeTypedPrices() {
    const auto price = ParseYuan(price_->text().toStdString(), "每注价格");
    const auto prize = ParseYuan(prize_->text().toStdString(), "直选奖金");
    if (!price || !prize) {
        const std::string problem = !price ? price.error() : prize.error();
        showPrices();  // before the message: its box takes the focus and would end the edit again
        platform_.messageBox(problem, "历史验证", MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    const Prices typed{*price, *prize};
    if (typed == prices_) return;
    prices_ = typed;
    if (settings_ && lottery_) settings_->setPrices(*lottery_, prices_);
    showPrices();
    emit pricesChanged();
}

void MoneyPage::showPrices() {
    price_->setText(QString::number(prices_.price));
    prize_->setText(QString::number(prices_.prize));
    fairReturn_->setText(
        QStringLiteral("开奖公平时，任何固定方案的期望回报都是投入的 直选奖金 ÷ 1000 ÷ 每注价格（现在是 %1 ÷ 1000 ÷ "
                       "%2 = %3），不论设了什么条件：缩水只改变每期买多少注，改变不了每注的期望。")
            .arg(prices_.prize)
            .arg(prices_.price)
            .arg(Percent(static_cast<double>(prices_.prize) / 1000.0 / static_cast<double>(prices_.price))));
}

void MoneyPage::showFigures(const services::MoneyFigures& figures) {
    money_ = figures.money;
    ShowRows<bool, Money>(*model_, MoneyColumns(), kRows, money_);
    table_->resizeColumnsToContents();
    ReplaceChart(*chart_, MakeNetChart(figures.runningNet, money_));
}

void MoneyPage::clear() {
    model_->reset(0, {});
    ReplaceChart(*chart_, new QChart);
}

}  // namespace sanxing
