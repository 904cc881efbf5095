#include "analysis/comparison.h"

namespace sanxing::analysis {

SchemeFigures FiguresOfScheme(std::string scheme, const Backtest& backtest, const Prices& prices) {
    return {std::move(scheme),
            static_cast<int>(backtest.groups.size()),
            backtest.resultSize,
            backtest.hits,
            backtest.chance(),
            backtest.significance.pValue,
            MoneyOf(backtest, prices).net};
}

SchemeFigures FiguresOfScheme(std::string scheme, const Conditions& conditions, std::span<const AnalysedDraw> draws,
                              const Prices& prices) {
    return FiguresOfScheme(std::move(scheme), RunBacktest(conditions, draws), prices);
}

}  // namespace sanxing::analysis
