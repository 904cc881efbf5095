#include "analysis/backtest.h"

#include <algorithm>

namespace sanxing::analysis {

namespace {

DrawOutcome Outcome(const Conditions& conditions, const AnalysedDraw& draw) {
    DrawOutcome o{draw.issue, draw.number, draw.value};
    o.failedMask = conditions.failedMask(draw.value);
    o.failures = conditions.failures(draw.value);
    o.inBase = conditions.inBase(draw.value);
    o.hit = o.inBase && conditions.tolerance().contains(o.failures);
    return o;
}

// Kills and runs of one group over the draws' failed masks, oldest first.
GroupFigures FiguresOfGroup(const Conditions& conditions, std::size_t index, std::span<const std::uint64_t> masks) {
    GroupFigures g;
    g.group = conditions.group(index);
    g.passes = conditions.table().row(index).count();
    g.expectedKills = static_cast<double>(masks.size()) * (1000 - g.passes) / 1000.0;
    const std::uint64_t bit = std::uint64_t{1} << index;
    int killRun = 0, passRun = 0;
    int lastKill = -1;
    for (std::size_t i = 0; i < masks.size(); ++i) {
        if (masks[i] & bit) {
            ++g.kills;
            lastKill = static_cast<int>(i);
            passRun = 0;
            g.longestKillRun = std::max(g.longestKillRun, ++killRun);
        } else {
            killRun = 0;
            g.longestPassRun = std::max(g.longestPassRun, ++passRun);
        }
    }
    g.sinceLastKill = static_cast<int>(masks.size()) - 1 - lastKill;
    g.pValue = BinomialPValue(g.kills, static_cast<int>(masks.size()), (1000 - g.passes) / 1000.0);
    return g;
}

// Tolerance t = 0 … groups: a histogram of failures turned into running totals.
std::vector<CurvePoint> Curve(const Conditions& conditions, std::span<const DrawOutcome> draws) {
    const std::size_t groups = conditions.groupCount();
    std::vector<int> hitsAt(groups + 1), sizeAt(groups + 1);
    for (const DrawOutcome& d : draws) {
        if (d.inBase) ++hitsAt[d.failures];
    }
    conditions.baseNumbers().forEach([&](int n) { ++sizeAt[conditions.failures(n)]; });
    std::vector<CurvePoint> curve;
    int hits = 0, size = 0;
    for (std::size_t t = 0; t <= groups; ++t) {
        hits += hitsAt[t];
        size += sizeAt[t];
        curve.push_back({static_cast<int>(t), hits, size, size / 1000.0});
    }
    return curve;
}

int ResultSizeAtTolerance(const Conditions& conditions) {
    int size = 0;
    conditions.baseNumbers().forEach([&](int n) { size += conditions.tolerance().contains(conditions.failures(n)); });
    return size;
}

}  // namespace

Backtest RunBacktest(const Conditions& conditions, std::span<const AnalysedDraw> draws) {
    Backtest result;
    result.draws.reserve(draws.size());
    std::vector<std::uint64_t> masks;  // side by side, for one quick pass per group
    masks.reserve(draws.size());
    for (const AnalysedDraw& draw : draws) {
        result.draws.push_back(Outcome(conditions, draw));
        result.hits += result.draws.back().hit;
        masks.push_back(result.draws.back().failedMask);
    }
    for (std::size_t index = 0; index < conditions.groupCount(); ++index) {
        result.groups.push_back(FiguresOfGroup(conditions, index, masks));
    }
    const double threshold = kSignificanceLevel / static_cast<double>(result.groups.size());
    for (GroupFigures& g : result.groups) g.standsOut = g.pValue < threshold;
    result.curve = Curve(conditions, result.draws);
    result.resultSize = ResultSizeAtTolerance(conditions);
    result.significance = TestAgainstChance(result.hits, static_cast<int>(result.draws.size()), result.chance());
    return result;
}

}  // namespace sanxing::analysis
