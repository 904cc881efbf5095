#include "tools/panel_selectors.h"

#include <stdexcept>
#include <string>

#include "tools/clear_actions.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

// The digit classes of the selectors, in their item order: big, small, odd, even and
// the three roads (digit mod 3).
enum DigitClass { kBig, kSmall, kOdd, kEven, kRoad0, kRoad1, kRoad2 };

bool InClass(int digit, int digitClass) {
    switch (digitClass) {
        case kBig: return digit >= 5;
        case kSmall: return digit <= 4;
        case kOdd: return digit % 2 == 1;
        case kEven: return digit % 2 == 0;
        default: return digit % 3 == digitClass - kRoad0;
    }
}

constexpr int kClassCount = 7;

void InvertDigitBoxes(Controls& controls, const ctl::DigitBoxes& boxes) {
    for (ctl::Name box : boxes) controls.setTicked(box, !controls.ticked(box));
}

struct PairPicker {
    std::string_view picker, box, before, after;
};
constexpr PairPicker kPairPickers[] = {
    {std::get<0>(ctl::kPairPanels).codePicker, std::get<0>(ctl::kPairPanels).codeBox, "", ","},
    {std::get<1>(ctl::kPairPanels).codePicker, std::get<1>(ctl::kPairPanels).codeBox, "", ","},
    {std::get<2>(ctl::kPairPanels).codePicker, std::get<2>(ctl::kPairPanels).codeBox, "", ","},
    {std::get<0>(ctl::kPairPanels).sumPicker, std::get<0>(ctl::kPairPanels).sumBox, ",", ","},
    {std::get<1>(ctl::kPairPanels).sumPicker, std::get<1>(ctl::kPairPanels).sumBox, ",", ","},
    {std::get<2>(ctl::kPairPanels).sumPicker, std::get<2>(ctl::kPairPanels).sumBox, ",", ","},
    {std::get<0>(ctl::kPairPanels).totalPicker, ctl::kPairSpanTotalSum, "", ","},
    {std::get<1>(ctl::kPairPanels).totalPicker, ctl::kPairSumTailTotalSum, "", ","},
    {std::get<2>(ctl::kPairPanels).totalPicker, ctl::kPairProductTotalSum, "", ","},
};

// The row whose field `key` is `name`.
template <typename Rows, typename Key>
const auto& Find(const Rows& rows, Key key, std::string_view name) {
    for (const auto& row : rows) {
        if (row.*key == name) return row;
    }
    throw std::out_of_range("no selector row for " + std::string(name));
}

}  // namespace

void SelectPositionDigits(Controls& controls, std::string_view selector) {
    const ctl::PositionPanel& position = Find(ctl::kPositionPanels, &ctl::PositionPanel::selector, selector);
    const int item = controls.selectedIndex(selector);
    if (item == 0) return RunClearAction(controls, position.selectAll);
    if (item == 1) return InvertDigitBoxes(controls, position.digits);
    const int digitClass = item - 2;
    if (digitClass < 0 || digitClass >= kClassCount) return;
    for (int d = 0; d <= 9; ++d) {
        if (!InClass(d, digitClass)) controls.setTicked(position.digits[static_cast<std::size_t>(d)], false);
    }
}

void SelectBankerDigits(Controls& controls, std::string_view selector) {
    const ctl::BankerGroup& group = Find(ctl::kBankerGroups, &ctl::BankerGroup::selector, selector);
    const int item = controls.selectedIndex(selector);
    if (item < 0) return;
    RunClearAction(controls, group.clear);
    const int digitClass = item - 1;
    if (digitClass < 0 || digitClass >= kClassCount) return;  // 清空 only clears
    for (int d = 0; d <= 9; ++d) {
        if (InClass(d, digitClass)) controls.setTicked(group.digits[static_cast<std::size_t>(d)], true);
    }
}

void InvertBankerDigits(Controls& controls, std::string_view button) {
    InvertDigitBoxes(controls, Find(ctl::kBankerGroups, &ctl::BankerGroup::invert, button).digits);
}

void PickPairCode(Controls& controls, std::string_view picker) {
    const PairPicker& pair = Find(kPairPickers, &PairPicker::picker, picker);
    const int item = controls.selectedIndex(picker);
    if (item < 0) return;
    const std::string& code = controls.items(picker)[static_cast<std::size_t>(item)];
    controls.setText(pair.box, controls.text(pair.box) + std::string(pair.before) + code + std::string(pair.after));
}

}  // namespace sanxing
