#include "tools/clear_actions.h"

#include <array>
#include <initializer_list>
#include <stdexcept>
#include <string>

#include "runtime/hint_texts.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

using Names = std::initializer_list<ctl::Name>;

void SetBoxes(Controls& controls, std::span<const ctl::Name> boxes, bool ticked) {
    for (ctl::Name box : boxes) controls.setTicked(box, ticked);
}

void EmptyBoxes(Controls& controls, Names names) {
    for (ctl::Name name : names) controls.setText(name, "");
}

// Resets the three pickers of a row of the pair-code page to their caption words.
template <ctl::Name ctl::PairPanel::*Picker>
void ResetPickers(Controls& controls, Names captions) {
    auto caption = captions.begin();
    for (const ctl::PairPanel& pair : ctl::kPairPanels) controls.setText(pair.*Picker, std::string(*caption++));
}

// Empties one box of each of the three pairs.
template <ctl::Name ctl::PairPanel::*Box>
void EmptyPairBoxes(Controls& controls) {
    for (const ctl::PairPanel& pair : ctl::kPairPanels) controls.setText(pair.*Box, "");
}

template <std::size_t Group, bool WithCountBoxes>
void ClearBankerGroup(Controls& controls) {
    SetBoxes(controls, std::get<Group>(ctl::kBankerGroups).digits, false);
    if (WithCountBoxes) SetBoxes(controls, std::get<Group>(ctl::kBankerGroups).counts, false);
}

template <const ctl::DigitBoxes& Boxes, bool Ticked>
void SetDigitBoxes(Controls& controls) {
    SetBoxes(controls, Boxes, Ticked);
}

template <std::size_t Position>
void TickPositionDigits(Controls& controls) {
    SetBoxes(controls, std::get<Position>(ctl::kPositionPanels).digits, true);
}

template <std::size_t Pair>
void ClearPairBankers(Controls& controls) {
    SetBoxes(controls, std::get<Pair>(ctl::kPairPanels).bankers, false);
}

// The 必出 boxes of the pair-sum digit panels keep their state.
template <std::size_t Panel>
void ClearPairSumDigits(Controls& controls) {
    SetBoxes(controls, std::get<Panel>(ctl::kPairSumPanels).digits, false);
}

// An exclusion list's clear button empties its box; the hint comes back when the box
// next loses the focus.
template <const ctl::ExclusionListBoxes& List>
void EmptyList(Controls& controls) {
    controls.setText(List.box, "");
}

constexpr ClearAction kActions[] = {
    // The selectors' 全部 first: they have no button.
    {std::get<0>(ctl::kPositionPanels).selectAll, TickPositionDigits<0>},
    {std::get<1>(ctl::kPositionPanels).selectAll, TickPositionDigits<1>},
    {std::get<2>(ctl::kPositionPanels).selectAll, TickPositionDigits<2>},
    {ctl::kShapesClear,
     [](Controls& c) {
         for (ctl::Name box :
              {ctl::kTriple, ctl::kGroupThree, ctl::kGroupSix, ctl::kForwardSequence, ctl::kReverseSequence}) {
             c.setTicked(box, true);
         }
     }},
    {std::get<0>(ctl::kBankerGroups).clear, ClearBankerGroup<0, true>},
    {std::get<1>(ctl::kBankerGroups).clear, ClearBankerGroup<1, true>},
    // The third group's 出 boxes keep their state.
    {std::get<2>(ctl::kBankerGroups).clear, ClearBankerGroup<2, false>},
    {ctl::kRoadsClear, [](Controls& c) { SetBoxes(c, ctl::kRoadBoxes, true); }},
    {ctl::kSpanClear, SetDigitBoxes<ctl::kSpanDigits, true>},
    {ctl::kSumTailClear, SetDigitBoxes<ctl::kSumTailDigits, true>},
    {ctl::kSumsClear, [](Controls& c) { SetBoxes(c, ctl::kSumBoxes, true); }},
    {ctl::kPairCodesClear, [](Controls& c) { SetBoxes(c, ctl::kPairCodeBoxes, true); }},
    {ctl::kBigSmallClear, [](Controls& c) { SetBoxes(c, ctl::kBigSmallBoxes, true); }},
    {ctl::kOddEvenClear, [](Controls& c) { SetBoxes(c, ctl::kOddEvenBoxes, true); }},
    {ctl::kJunkCompoundClear,
     [](Controls& c) {
         for (ctl::Name box : ctl::kJunkCompoundBoxes) c.setText(box, "");
     }},
    {ctl::kFixedSumProductClear, SetDigitBoxes<ctl::kFixedSumProductDigits, true>},
    {ctl::kFixedSumChangeClear, SetDigitBoxes<ctl::kFixedSumChangeDigits, true>},
    {ctl::kPairSumsClear,
     [](Controls& c) {
         EmptyPairBoxes<&ctl::PairPanel::sumBox>(c);
         ResetPickers<&ctl::PairPanel::sumPicker>(c, {"百十", "百个", "十个"});
     }},
    {ctl::kPairCodesBoxesClear,
     [](Controls& c) {
         EmptyPairBoxes<&ctl::PairPanel::codeBox>(c);
         ResetPickers<&ctl::PairPanel::codePicker>(c, {"百十", "百个", "十个"});
     }},
    {ctl::kPairTotalsClear,
     [](Controls& c) {
         EmptyBoxes(c, {ctl::kPairSpanTotal, ctl::kPairSumTailTotal, ctl::kPairProductTotal, ctl::kPairSpanTotalSum,
                        ctl::kPairSumTailTotalSum, ctl::kPairProductTotalSum});
         ResetPickers<&ctl::PairPanel::totalPicker>(c, {"和值", "和值", "和值"});
     }},
    {ctl::kPairKillClear,
     [](Controls& c) {
         EmptyPairBoxes<&ctl::PairPanel::spanBox>(c);
         EmptyPairBoxes<&ctl::PairPanel::tailBox>(c);
     }},
    {std::get<0>(ctl::kPairPanels).bankerClear, ClearPairBankers<0>},
    {std::get<1>(ctl::kPairPanels).bankerClear, ClearPairBankers<1>},
    {std::get<2>(ctl::kPairPanels).bankerClear, ClearPairBankers<2>},
    {std::get<0>(ctl::kPairSumPanels).clear, ClearPairSumDigits<0>},
    {std::get<2>(ctl::kPairSumPanels).clear, ClearPairSumDigits<2>},
    {std::get<1>(ctl::kPairSumPanels).clear, ClearPairSumDigits<1>},
    {ctl::kJunkBaseClear,
     [](Controls& c) {
         EmptyBoxes(c, {ctl::kJunkBaseCount, ctl::kJunkBase});
     }},
    {ctl::kKillHundreds.clear, EmptyList<ctl::kKillHundreds>},
    {ctl::kKillTens.clear, EmptyList<ctl::kKillTens>},
    {ctl::kKillUnits.clear, EmptyList<ctl::kKillUnits>},
    {ctl::kKillShapes.clear, EmptyList<ctl::kKillShapes>},
    {ctl::kKillPositional.clear, EmptyList<ctl::kKillPositional>},
    {ctl::kKillCompound.clear, EmptyList<ctl::kKillCompound>},
    {ctl::kKillSumTail.clear, EmptyList<ctl::kKillSumTail>},
    {ctl::kKillSpan.clear, EmptyList<ctl::kKillSpan>},
    {ctl::kKillSum.clear, EmptyList<ctl::kKillSum>},
    {ctl::kBankerDigitGroups.clear, EmptyList<ctl::kBankerDigitGroups>},
    {ctl::kKillPairCombinations.clear, EmptyList<ctl::kKillPairCombinations>},
    // The segment box gets its hint back at once, not the empty text.
    {ctl::kSegmentsClear, [](Controls& c) { c.setText(ctl::kSegments, std::string(kSegmentHint)); }},
};

constexpr std::size_t kSelectorActions = 3;

// Clear all runs every action in table order, then the sum and pair-combination lists'
// clear actions once more.
constexpr auto kClearAllOrder = [] {
    std::array<std::string_view, std::size(kActions) + 2> order{};
    for (std::size_t i = 0; i < std::size(kActions); ++i) order[i] = kActions[i].name;
    order[std::size(kActions)] = ctl::kKillSum.clear;
    order[std::size(kActions) + 1] = ctl::kKillPairCombinations.clear;
    return order;
}();

}  // namespace

std::span<const ClearAction> ClearActions() { return kActions; }

std::span<const ClearAction> ClearButtonActions() { return ClearActions().subspan(kSelectorActions); }

void RunClearAction(Controls& controls, std::string_view name) {
    for (const ClearAction& action : kActions) {
        if (action.name == name) return action.run(controls);
    }
    throw std::out_of_range("no clear action named " + std::string(name));
}

std::span<const std::string_view> ClearAllOrder() { return kClearAllOrder; }

}  // namespace sanxing
