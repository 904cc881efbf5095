#include "services/analysis_report.h"

#include "app/compared_scheme.h"

namespace sanxing::services {

using namespace analysis;

BacktestReport MakeBacktestReport(const AnalysisRange& range, const Conditions& conditions, const Pricing& pricing) {
    BacktestReport report;
    report.backtest = RunBacktest(conditions, range.range());
    report.years = FiguresByYear(report.backtest, *range.lottery);
    report.priced = FigureMoney(range, report.backtest, pricing);
    return report;
}

MoneyFigures FigureMoney(const AnalysisRange& range, const Backtest& backtest, const Pricing& pricing) {
    MoneyFigures figures{MoneyOf(backtest, pricing.prices),
                         RunningNet(backtest, pricing.prices),
                         {FiguresOfScheme("", backtest, pricing.prices)}};
    for (const auto& [file, scheme] : pricing.schemes) {
        figures.comparison.push_back(
            FiguresOfScheme(file, ConditionsWithScheme(pricing.controls, scheme), range.range(), pricing.prices));
    }
    return figures;
}

}  // namespace sanxing::services
