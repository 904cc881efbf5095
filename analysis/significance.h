#pragma once
// Whether a count differs from chance: the two-sided exact binomial test and the 95 %
// Wilson score interval. Every function gives finite numbers for every input (no trials,
// one trial, none or all successes, a chance of 0 or 1).

#include <string>

namespace sanxing::analysis {

inline constexpr double kWilsonZ95 = 1.959964;  // the normal quantile of 97.5 %
inline constexpr double kSignificanceLevel = 0.05;

// The two-sided p-value of `successes` in `trials` independent trials of probability
// `chance`: the sum of P(X = k) over every k with P(X = k) ≤ P(X = successes)·(1 + 1e-7),
// at most 1. 1 when there are no trials or `successes` equals trials × chance.
double BinomialPValue(int successes, int trials, double chance);

struct Interval {
    double low = 0;
    double high = 1;
};

// The Wilson score interval of successes / trials; the whole of [0, 1] without trials.
Interval WilsonInterval(int successes, int trials, double z = kWilsonZ95);

// Hits over draws against a chance per draw.
struct Significance {
    int draws = 0;
    int hits = 0;
    double chance = 0;    // probability of a hit per draw under chance alone
    double expected = 0;  // draws × chance
    double pValue = 1;
    Interval interval;  // of hits / draws

    // With a chance of 0 or 1, or no draw, every outcome is certain: nothing to test.
    bool testable() const { return draws > 0 && chance > 0 && chance < 1; }
    bool significant() const { return testable() && pValue < kSignificanceLevel; }
};

Significance TestAgainstChance(int hits, int draws, double chance);

// A p-value as shown: two significant digits ("0.43", "0.003"; more when two would round
// across 0.05), or "< 0.0001".
std::string PValueFigure(double pValue);
// "p = 0.43", or "p < 0.0001".
std::string PValueText(double pValue);

// The summary in words: "比随机多 1.1 期，p = 0.82：与随机选号没有显著差别", "比随机少 9.0 期，
// 显著（p = 0.003）", or that there is nothing to test.
std::string Verdict(const Significance& significance);

}  // namespace sanxing::analysis
