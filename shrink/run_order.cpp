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
#include "window/control_names.h"

namespace sanxing {

namespace {

constexpr ConditionGroup kGroups[] = {
    {1, "hundreds digit", "百位", HundredsDigitGroup},
    {2, "tens digit", "十位", TensDigitGroup},
    {3, "units digit", "个位", UnitsDigitGroup},
    {4, "shape", "形态", ShapeGroup},
    {5, "banker group 1", "胆码1", BankerGroup1},
    {6, "banker group 2", "胆码2", BankerGroup2},
    {7, "banker group 3", "胆码3", BankerGroup3},
    {8, "0/1/2 road pattern", "012路", RoadPatternGroup},
    {9, "sum tail", "合尾", SumTailGroup},
    {10, "span", "跨度", SpanGroup},
    {11, "sum", "和值", SumGroup},
    {12, "two-digit codes", "二码", TwoDigitCodeGroup},
    {13, "odd/even pattern", "单双", OddEvenPatternGroup},
    {14, "big/small pattern", "大小", BigSmallPatternGroup},
    {15, "fixed sum change", "杀合变", FixedSumChangeGroup},
    {16, "fixed sum product", "杀合积", FixedSumProductGroup},
    {17, "junk compound", "垃圾复试", JunkCompoundGroup},
    {18, "hundreds+tens sum", "百十和值", HundredsTensSumGroup},
    {19, "hundreds+units sum", "百个和值", HundredsUnitsSumGroup},
    {20, "tens+units sum", "十个和值", TensUnitsSumGroup},
    {21, "hundreds+tens code", "百十组合", HundredsTensCodeGroup},
    {22, "hundreds+units code", "百个组合", HundredsUnitsCodeGroup},
    {23, "tens+units code", "十个组合", TensUnitsCodeGroup},
    {24, "total of pair spans, tail", "两码跨度总合尾", PairSpanTotalGroup},
    {25, "total of pair sum tails, tail", "两码合尾总合尾", PairSumTailTotalGroup},
    {26, "total of pair products, tail", "两码积数总合尾", PairProductTailTotalGroup},
    {27, "total of pair spans, sum", "两码跨度总和值", PairSpanTotalSumBox},
    {28, "total of pair sum tails, sum", "两码合尾总和值", PairTailTotalSumBox},
    {29, "total of pair products, sum", "两码积数总和值", PairProductTotalSumBox},
    {30, "hundreds-tens span", "百十跨度", HundredsTensSpanBox},
    {31, "hundreds-units span", "百个跨度", HundredsUnitsSpanBox},
    {32, "tens-units span", "十个跨度", TensUnitsSpanBox},
    {33, "hundreds+tens sum tail", "百十合尾", HundredsTensSumTailBox},
    {34, "hundreds+units sum tail", "百个合尾", HundredsUnitsSumTailBox},
    {35, "tens+units sum tail", "十个合尾", TensUnitsSumTailBox},
    {36, "hundreds-tens banker", "百十胆码", HundredsTensBanker},
    {37, "hundreds-units banker", "百个胆码", HundredsUnitsBanker},
    {38, "tens-units banker", "十个胆码", TensUnitsBanker},
    {39, "pair sums, hundreds-tens with hundreds-units", "百十百个合数", HundredsTensWithHundredsUnitsSums},
    {40, "pair sums, hundreds-tens with tens-units", "百十十个合数", HundredsTensWithTensUnitsSums},
    {41, "pair sums, hundreds-units with tens-units", "百个十个合数", HundredsUnitsWithTensUnitsSums},
    {42, "junk base", "垃圾大底", JunkBaseBox},
    {43, "kill hundreds", "杀百位", ExclusionListGroup<ctl::kKillHundreds>},
    {44, "kill tens", "杀十位", ExclusionListGroup<ctl::kKillTens>},
    {45, "kill units", "杀个位", ExclusionListGroup<ctl::kKillUnits>},
    {46, "kill positional", "通杀定位", ExclusionListGroup<ctl::kKillPositional>},
    {47, "kill compound", "杀复式", ExclusionListGroup<ctl::kKillCompound>},
    {48, "kill big/small/odd/even", "杀大小单双", ExclusionListGroup<ctl::kKillShapes>},
    {49, "kill sum tail", "杀三星合尾", ExclusionListGroup<ctl::kKillSumTail>},
    {50, "kill span", "杀三星跨度", ExclusionListGroup<ctl::kKillSpan>},
    {51, "fixed banker groups", "胆码组", ExclusionListGroup<ctl::kBankerDigitGroups>},
    {52, "kill sum", "杀三星和值", ExclusionListGroup<ctl::kKillSum>},
    {53, "kill two-digit combinations", "杀二码组合", ExclusionListGroup<ctl::kKillPairCombinations>},
    {54, "segment groups", "段组", SegmentGroups},
};

}  // namespace

std::span<const ConditionGroup> ConditionGroups() { return kGroups; }

}  // namespace sanxing
