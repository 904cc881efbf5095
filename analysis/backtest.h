#pragma once
// 历史验证: how the current conditions would have done on past draws, per draw, per
// condition group and per tolerance, next to what chance alone gives.
//
// A draw's failed groups are the active groups whose row does not hold its three digits;
// its failures is their count. in_base: the digits are a token of the base (always, for an
// empty base). hit: in_base and failures in the range of 组合框_容错. Each group's kills and
// the hits are tested against chance; a group stands out only when its p-value is below
// 0.05 divided by the number of active groups (Bonferroni), so that among many groups
// one does not stand out by luck alone.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/analysed_draw.h"
#include "analysis/conditions.h"
#include "analysis/significance.h"

namespace sanxing::analysis {

struct DrawOutcome {
    std::string issue;
    std::string number;
    int value = 0;                 // the three analysed digits
    std::uint64_t failedMask = 0;  // bit i: failed the group of table row i
    int failures = 0;
    bool inBase = false;
    bool hit = false;
};

struct GroupFigures {
    GroupName group;
    int passes = 0;            // numbers of the universe its row holds
    int kills = 0;             // draws of the range it fails
    double expectedKills = 0;  // draws × (1000 − passes) / 1000
    int sinceLastKill = 0;     // draws after the newest one it killed; the range length if none
    int longestKillRun = 0;
    int longestPassRun = 0;
    double pValue = 1;       // kills against chance (1000 − passes) / 1000, two-sided
    bool standsOut = false;  // pValue < 0.05 / active groups
};

struct CurvePoint {
    int maxFailures = 0;  // t
    int hits = 0;         // draws in the base with failures ≤ t
    int resultSize = 0;   // distinct three-digit base tokens with failures ≤ t
    double chance = 0;    // resultSize / 1000
};

struct Backtest {
    std::vector<DrawOutcome> draws;    // oldest first
    std::vector<GroupFigures> groups;  // active groups in run order
    std::vector<CurvePoint> curve;     // t = 0 … number of active groups
    // At the tolerance of 组合框_容错: the hits and the size of the result it gives.
    int hits = 0;
    int resultSize = 0;
    Significance significance;  // the hits against chance
    double hitRate() const { return draws.empty() ? 0 : static_cast<double>(hits) / draws.size(); }
    double chance() const { return resultSize / 1000.0; }
};

Backtest RunBacktest(const Conditions& conditions, std::span<const AnalysedDraw> draws);

}  // namespace sanxing::analysis
