#include "analysis/significance.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace sanxing::analysis {

namespace {

// Outcomes whose probability is within this factor of the observed one count as "at
// most as likely": it absorbs rounding, so that a symmetric outcome is not left out.
const double kLogRelativeError = std::log1p(1e-7);

// Below this share of the sum so far, further terms of a tail no longer change it.
constexpr double kNegligible = 1e-17;

// The binomial distribution of `n` trials of probability 0 < p < 1, in log space so that
// ten thousand trials and chances near 0 or 1 neither overflow nor lose precision.
class Binomial {
public:
    Binomial(int n, double p)
        : n_(n),
          logP_(std::log(p)),
          logQ_(std::log1p(-p)),
          oddsUp_(p / (1 - p)),
          logNFactorial_(std::lgamma(n + 1.0)) {}

    double logPmf(int k) const {
        return logNFactorial_ - std::lgamma(k + 1.0) - std::lgamma(n_ - k + 1.0) + k * logP_ + (n_ - k) * logQ_;
    }

    // P(X = k) summed from `first` outward (step −1: down to 0, +1: up to n), where the
    // terms only shrink. Each term is the one before times the ratio of neighbours.
    double tailFrom(int first, int step) const {
        double term = 1, sum = 1;  // relative to P(X = first)
        for (int k = first; step < 0 ? k > 0 : k < n_; k += step) {
            term *= step < 0 ? k / ((n_ - k + 1.0) * oddsUp_) : (n_ - k) * oddsUp_ / (k + 1.0);
            if (term < sum * kNegligible) break;
            sum += term;
        }
        return std::exp(logPmf(first) + std::log(sum));
    }

private:
    int n_;
    double logP_, logQ_, oddsUp_, logNFactorial_;
};

// The first k in [low, high] for which `holds` is true, given that it is false before
// some point and true from there on; high + 1 when it never holds.
template <class Predicate>
int FirstWhere(int low, int high, Predicate holds) {
    int end = high + 1;
    while (low < end) {
        const int middle = low + (end - low) / 2;
        if (holds(middle)) {
            end = middle;
        } else {
            low = middle + 1;
        }
    }
    return end;
}

}  // namespace

double BinomialPValue(int successes, int trials, double chance) {
    if (trials <= 0) return 1;
    const int x = std::clamp(successes, 0, trials);
    // A certain outcome: only the one that happens has any probability.
    if (!(chance > 0)) return x == 0 ? 1 : 0;
    if (!(chance < 1)) return x == trials ? 1 : 0;
    const double mean = trials * chance;
    if (x == mean) return 1;

    const Binomial b(trials, chance);
    const double bound = b.logPmf(x) + kLogRelativeError;
    const auto atMostAsLikely = [&](int k) { return b.logPmf(k) <= bound; };
    double p = 0;
    if (x < mean) {
        // Below the mean: every k ≤ x, and the upper tail from the first k past the mean
        // (where the probabilities fall) that is at most as likely as x.
        p = b.tailFrom(x, -1);
        const int start = static_cast<int>(std::ceil(mean));
        const int first = FirstWhere(start, trials, atMostAsLikely);
        if (first <= trials) p += b.tailFrom(first, +1);
    } else {
        // Above the mean: every k ≥ x, and the lower tail up to the last k before the mean
        // (where the probabilities rise) that is at most as likely as x.
        p = b.tailFrom(x, +1);
        const int end = static_cast<int>(std::floor(mean));
        const int firstMoreLikely = FirstWhere(0, end, [&](int k) { return !atMostAsLikely(k); });
        if (firstMoreLikely > 0) p += b.tailFrom(firstMoreLikely - 1, -1);
    }
    return std::min(1.0, p);
}

Interval WilsonInterval(int successes, int trials, double z) {
    if (trials <= 0) return {};
    const int h = std::clamp(successes, 0, trials);
    const double n = trials;
    const double z2 = z * z;
    const double center = (h + z2 / 2) / (n + z2);
    const double half = z / (n + z2) * std::sqrt(h * (n - h) / n + z2 / 4);
    // At h = 0 and h = n one end is exactly 0 or 1; rounding must not push it past.
    return {h == 0 ? 0.0 : std::max(0.0, center - half), h == trials ? 1.0 : std::min(1.0, center + half)};
}

Significance TestAgainstChance(int hits, int draws, double chance) {
    Significance s;
    s.draws = std::max(0, draws);
    s.hits = std::clamp(hits, 0, s.draws);
    s.chance = std::clamp(chance, 0.0, 1.0);
    s.expected = s.draws * s.chance;
    s.pValue = BinomialPValue(s.hits, s.draws, s.chance);
    s.interval = WilsonInterval(s.hits, s.draws);
    return s;
}

std::string PValueFigure(double pValue) {
    if (pValue < 0.0001) return "< 0.0001";
    char text[32] = "";
    for (int digits = 2; digits <= 6; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, pValue);
        if ((std::strtod(text, nullptr) < kSignificanceLevel) == (pValue < kSignificanceLevel)) break;
    }
    return text;
}

std::string PValueText(double pValue) {
    const std::string figure = PValueFigure(pValue);
    return figure.starts_with('<') ? "p " + figure : "p = " + figure;
}

std::string Verdict(const Significance& s) {
    if (s.draws == 0) return "没有开奖号码，没有可检验的差别";
    if (!(s.chance > 0)) return "随机命中率为 0（结果为空），没有可检验的差别";
    if (!(s.chance < 1)) return "随机命中率为 100%（每期必中），没有可检验的差别";
    const double difference = s.hits - s.expected;
    char amount[32];
    std::snprintf(amount, sizeof amount, "%.1f", std::abs(difference));
    const std::string compared = std::string(amount) == "0.0"
                                     ? std::string("与随机期望持平")
                                     : std::string(difference > 0 ? "比随机多 " : "比随机少 ") + amount + " 期";
    if (s.significant()) return compared + "，显著（" + PValueText(s.pValue) + "）";
    return compared + "，" + PValueText(s.pValue) + "：与随机选号没有显著差别";
}

}  // namespace sanxing::analysis
