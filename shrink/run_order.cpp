// The run order of the 54 condition groups. Row numbers are the order of rows in the
// failure table.

#include "shrink/condition_group.h"

#include "shrink/banker_digits.h"
#include "shrink/key_panels.h"
#include "shrink/pair_kill_boxes.h"
#include "shrink/positional_digits.h"
#include "shrink/shape_patterns.h"

namespace sanxing {

namespace {

constexpr ConditionGroup kGroups[] = {
    {1, "hundreds digit", HundredsDigitGroup},
    {2, "tens digit", TensDigitGroup},
    {3, "units digit", UnitsDigitGroup},
    {4, "shape", ShapeGroup},
    {5, "banker group 1", BankerGroup1},
    {6, "banker group 2", BankerGroup2},
    {7, "banker group 3", BankerGroup3},
    {8, "0/1/2 road pattern", RoadPatternGroup},
    {9, "sum tail", SumTailGroup},
    {10, "span", SpanGroup},
    {11, "sum", SumGroup},
    {12, "two-digit codes", TwoDigitCodeGroup},
    {13, "odd/even pattern", OddEvenPatternGroup},
    {14, "big/small pattern", BigSmallPatternGroup},
    {15, "fixed sum change", FixedSumChangeGroup},
    {16, "fixed sum product", FixedSumProductGroup},
    {17, "junk compound", JunkCompoundGroup},
    {18, "hundreds+tens sum", HundredsTensSumGroup},
    {19, "hundreds+units sum", HundredsUnitsSumGroup},
    {20, "tens+units sum", TensUnitsSumGroup},
    {21, "hundreds+tens code", HundredsTensCodeGroup},
    {22, "hundreds+units code", HundredsUnitsCodeGroup},
    {23, "tens+units code", TensUnitsCodeGroup},
    {24, "total of pair spans, tail", PairSpanTotalGroup},
    {25, "total of pair sum tails, tail", PairSumTailTotalGroup},
    {26, "total of pair products, tail", PairProductTailTotalGroup},
    {27, "total of pair spans, sum", nullptr},
    {28, "total of pair sum tails, sum", nullptr},
    {29, "total of pair products, sum", nullptr},
    {30, "hundreds-tens span", nullptr},
    {31, "hundreds-units span", nullptr},
    {32, "tens-units span", nullptr},
    {33, "hundreds+tens sum tail", nullptr},
    {34, "hundreds+units sum tail", nullptr},
    {35, "tens+units sum tail", nullptr},
    {36, "hundreds-tens banker", nullptr},
    {37, "hundreds-units banker", nullptr},
    {38, "tens-units banker", nullptr},
    {39, "pair sums, hundreds-tens with hundreds-units", nullptr},
    {40, "pair sums, hundreds-tens with tens-units", nullptr},
    {41, "pair sums, hundreds-units with tens-units", nullptr},
    {42, "junk base", nullptr},
    {43, "kill hundreds", nullptr},
    {44, "kill tens", nullptr},
    {45, "kill units", nullptr},
    {46, "kill positional", nullptr},
    {47, "kill compound", nullptr},
    {48, "kill big/small/odd/even", nullptr},
    {49, "kill sum tail", nullptr},
    {50, "kill span", nullptr},
    {51, "fixed banker groups", nullptr},
    {52, "kill sum", nullptr},
    {53, "kill two-digit combinations", nullptr},
    {54, "segment groups", nullptr},
};

}  // namespace

std::span<const ConditionGroup> ConditionGroups() { return kGroups; }

}  // namespace sanxing
