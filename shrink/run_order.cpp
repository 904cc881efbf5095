// The run order of the 54 condition groups. Row numbers are the order of rows in the
// failure table.

#include "shrink/banker_digits.h"
#include "shrink/condition_group.h"
#include "shrink/exclusion_lists.h"
#include "shrink/key_panels.h"
#include "shrink/pair_bankers.h"
#include "shrink/pair_kill_boxes.h"
#include "shrink/pair_value_boxes.h"
#include "shrink/positional_digits.h"
#include "shrink/segment_groups.h"
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
    {27, "total of pair spans, sum", PairSpanTotalSumBox},
    {28, "total of pair sum tails, sum", PairTailTotalSumBox},
    {29, "total of pair products, sum", PairProductTotalSumBox},
    {30, "hundreds-tens span", HundredsTensSpanBox},
    {31, "hundreds-units span", HundredsUnitsSpanBox},
    {32, "tens-units span", TensUnitsSpanBox},
    {33, "hundreds+tens sum tail", HundredsTensSumTailBox},
    {34, "hundreds+units sum tail", HundredsUnitsSumTailBox},
    {35, "tens+units sum tail", TensUnitsSumTailBox},
    {36, "hundreds-tens banker", HundredsTensBanker},
    {37, "hundreds-units banker", HundredsUnitsBanker},
    {38, "tens-units banker", TensUnitsBanker},
    {39, "pair sums, hundreds-tens with hundreds-units", HundredsTensWithHundredsUnitsSums},
    {40, "pair sums, hundreds-tens with tens-units", HundredsTensWithTensUnitsSums},
    {41, "pair sums, hundreds-units with tens-units", HundredsUnitsWithTensUnitsSums},
    {42, "junk base", JunkBaseBox},
    {43, "kill hundreds", KillHundredsList},
    {44, "kill tens", KillTensList},
    {45, "kill units", KillUnitsList},
    {46, "kill positional", KillPositionalList},
    {47, "kill compound", KillCompoundList},
    {48, "kill big/small/odd/even", KillShapeList},
    {49, "kill sum tail", KillSumTailList},
    {50, "kill span", KillSpanList},
    {51, "fixed banker groups", BankerDigitGroupsList},
    {52, "kill sum", KillSumList},
    {53, "kill two-digit combinations", KillPairCombinationList},
    {54, "segment groups", SegmentGroups},
};

}  // namespace

std::span<const ConditionGroup> ConditionGroups() { return kGroups; }

}  // namespace sanxing
