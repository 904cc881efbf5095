#include "gui/backtest/backtest_charts.h"

#include <QChart>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>

namespace sanxing {

namespace {

using namespace analysis;

// A long range is drawn from at most this many buckets of draws; each keeps its lowest and
// highest point, so the line's swings survive.
constexpr std::size_t kMaxNetBuckets = 1500;

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

// An axis over the values from `low` to `high` with some room around them, in round
// steps, never past the bounds the quantity can take.
QValueAxis* ScaledAxis(double low, double high, double floor, double ceiling) {
    auto* axis = new QValueAxis;
    const double room = std::max((high - low) * 0.1, (ceiling - floor) * 0.02);
    axis->setRange(std::max(floor, low - room), std::min(ceiling, high + room));
    axis->applyNiceNumbers();
    axis->setRange(std::max(floor, axis->min()), std::min(ceiling, axis->max()));
    return axis;
}

void Attach(QChart* chart, QAbstractAxis* x, QAbstractAxis* y) {
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
}

}  // namespace

QChart* MakeCurveChart(const Backtest& backtest, const Conditions& conditions) {
    auto* chart = new QChart;
    auto* hits = new QLineSeries;
    hits->setName(QStringLiteral("命中率"));
    auto* chance = new QLineSeries;
    chance->setName(QStringLiteral("随机命中率"));
    const double n = backtest.draws.empty() ? 1 : static_cast<double>(backtest.draws.size());
    double low = 100, high = 0;
    const auto add = [&](QXYSeries* series, double x, double percent) {
        series->append(x, percent);
        low = std::min(low, percent);
        high = std::max(high, percent);
    };
    for (const CurvePoint& p : backtest.curve) {
        add(hits, p.maxFailures, 100.0 * p.hits / n);
        add(chance, p.maxFailures, 100.0 * p.chance);
    }
    // The figures of 组合框_容错 at its upper end: on the curves for a tolerance 0-t.
    const int last = backtest.curve.empty() ? 0 : backtest.curve.back().maxFailures;
    const auto t = static_cast<double>(std::clamp<long long>(conditions.tolerance().high, 0, last));
    auto* current = new QScatterSeries;
    current->setName(QStringLiteral("当前容错 %1").arg(Q(conditions.toleranceText())));
    current->setMarkerSize(11);
    add(current, t, 100.0 * backtest.hitRate());
    add(current, t, 100.0 * backtest.chance());
    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(hits), static_cast<QAbstractSeries*>(chance),
                                    static_cast<QAbstractSeries*>(current)}) {
        chart->addSeries(series);
    }

    auto* x = new QValueAxis;
    x->setTitleText(QStringLiteral("容错 0-t 的 t"));
    x->setLabelFormat(QStringLiteral("%d"));
    x->setRange(0, std::max(1, last));
    x->setTickType(QValueAxis::TicksDynamic);  // whole tolerances only
    x->setTickAnchor(0);
    x->setTickInterval((std::max(1, last) + 9) / 10);
    QValueAxis* y = ScaledAxis(low, high, 0, 100);
    y->setTitleText(QStringLiteral("%"));
    y->setLabelFormat(QStringLiteral("%.0f"));
    Attach(chart, x, y);
    return chart;
}

QChart* MakeYearChart(const std::vector<YearFigures>& years, double chance) {
    auto* chart = new QChart;
    auto* hitRates = new QLineSeries;
    hitRates->setName(QStringLiteral("命中率"));
    hitRates->setPointsVisible(true);
    auto* chances = new QLineSeries;
    chances->setName(QStringLiteral("随机命中率"));
    double low = 100.0 * chance, high = low;
    int first = 0, last = 0;
    for (const YearFigures& y : years) {
        if (y.year == 0 || y.draws == 0) continue;  // issues without a year stay in the table
        const double rate = 100.0 * y.hits / y.draws;
        hitRates->append(y.year, rate);
        low = std::min(low, rate);
        high = std::max(high, rate);
        first = first == 0 ? y.year : first;
        last = y.year;
    }
    if (first == 0) first = last = 2000;
    chances->append(first - 0.5, 100.0 * chance);
    chances->append(last + 0.5, 100.0 * chance);
    chart->addSeries(hitRates);
    chart->addSeries(chances);
    auto* x = new QValueAxis;
    x->setLabelFormat(QStringLiteral("%d"));
    x->setRange(first - 0.5, last + 0.5);
    x->setTickType(QValueAxis::TicksDynamic);  // whole years only
    x->setTickAnchor(first);
    x->setTickInterval((last - first) / 6 + 1);
    QValueAxis* y = ScaledAxis(low, high, 0, 100);
    y->setTitleText(QStringLiteral("%"));
    y->setLabelFormat(QStringLiteral("%.1f"));
    Attach(chart, x, y);
    return chart;
}

QChart* MakeNetChart(const std::vector<std::int64_t>& runningNet, const Money& money) {
    auto* chart = new QChart;
    auto* net = new QLineSeries;
    net->setName(QStringLiteral("盈亏"));
    const std::size_t n = runningNet.size();
    double low = std::min(0.0, money.expectedNet()), high = std::max(0.0, money.expectedNet());
    const std::size_t bucket = std::max<std::size_t>(1, (n + kMaxNetBuckets - 1) / kMaxNetBuckets);
    net->append(0, 0);
    for (std::size_t first = 0; first < n; first += bucket) {
        const auto begin = runningNet.begin() + static_cast<std::ptrdiff_t>(first);
        const auto end = runningNet.begin() + static_cast<std::ptrdiff_t>(std::min(n, first + bucket));
        const auto [lowest, highest] = std::minmax_element(begin, end);
        for (const auto point : {std::min(lowest, highest), std::max(lowest, highest)}) {
            net->append(static_cast<double>(point - runningNet.begin() + 1), static_cast<double>(*point));
            if (lowest == highest) break;
        }
        low = std::min(low, static_cast<double>(*lowest));
        high = std::max(high, static_cast<double>(*highest));
    }
    auto* expected = new QLineSeries;
    expected->setName(QStringLiteral("随机选号的期望"));
    expected->append(0, 0);
    expected->append(static_cast<double>(n), money.expectedNet());
    chart->addSeries(net);
    chart->addSeries(expected);

    auto* x = new QValueAxis;
    x->setTitleText(QStringLiteral("期"));
    x->setLabelFormat(QStringLiteral("%d"));
    x->setRange(0, std::max<double>(1, static_cast<double>(n)));
    x->applyNiceNumbers();
    const double room = std::max(1.0, high - low);
    QValueAxis* y = ScaledAxis(low, high, low - room, high + room);
    y->setTitleText(QStringLiteral("元"));
    y->setLabelFormat(QStringLiteral("%.0f"));
    Attach(chart, x, y);
    return chart;
}

}  // namespace sanxing
