#include "tools/panel_selectors.h"

#include <stdexcept>
#include <string>

#include "tools/clear_actions.h"

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

std::string DigitBox(std::string_view prefix, int digit) { return std::string(prefix) + char('0' + digit); }

void InvertDigitBoxes(Controls& controls, std::string_view prefix) {
    for (int d = 0; d <= 9; ++d) {
        const std::string box = DigitBox(prefix, d);
        controls.setTicked(box, !controls.ticked(box));
    }
}

struct PositionSelector {
    std::string_view selector, boxes;
};
constexpr PositionSelector kPositions[] = {
    {"组合框_百位", "选择框_百位"},
    {"组合框_十位", "选择框_十位"},
    {"组合框_个位", "选择框_个位"},
};

struct BankerGroup {
    std::string_view selector, clear, invert, boxes;
};
constexpr BankerGroup kBankerGroups[] = {
    {"组合框_胆码1", "按钮_胆码清空1", "按钮_胆1反选", "选择框_胆1码"},
    {"组合框_胆码2", "按钮_胆码清空2", "按钮_胆2反选", "选择框_胆2码"},
    {"组合框_胆码3", "按钮_胆码清空3", "按钮_胆3反选", "选择框_胆3码"},
};

struct PairPicker {
    std::string_view picker, box, before, after;
};
constexpr PairPicker kPairPickers[] = {
    {"组合框_百十两码", "编辑框_百十两码", "", ","},        {"组合框_百个两码", "编辑框_百个两码", "", ","},
    {"组合框_十个两码", "编辑框_十个两码", "", ","},        {"组合框_百十两码1", "编辑框_百十和值", ",", ","},
    {"组合框_百个两码1", "编辑框_百个和值", ",", ","},      {"组合框_十个两码1", "编辑框_十个和值", ",", ","},
    {"组合框_百十两码2", "编辑框_两码总跨度和值", "", ","}, {"组合框_百个两码2", "编辑框_两码总合尾和值", "", ","},
    {"组合框_十个两码2", "编辑框_两码总积数和值", "", ","},
};

template <typename Row, std::size_t N, typename Key>
const Row& Find(const Row (&rows)[N], Key key, std::string_view name) {
    for (const Row& row : rows) {
        if (row.*key == name) return row;
    }
    throw std::out_of_range("no selector row for " + std::string(name));
}

}  // namespace

void SelectPositionDigits(Controls& controls, std::string_view selector) {
    const PositionSelector& position = Find(kPositions, &PositionSelector::selector, selector);
    const int item = controls.selectedIndex(selector);
    if (item == 0) return RunClearAction(controls, std::string(selector) + "/全部");
    if (item == 1) return InvertDigitBoxes(controls, position.boxes);
    const int digitClass = item - 2;
    if (digitClass < 0 || digitClass >= kClassCount) return;
    for (int d = 0; d <= 9; ++d) {
        if (!InClass(d, digitClass)) controls.setTicked(DigitBox(position.boxes, d), false);
    }
}

void SelectBankerDigits(Controls& controls, std::string_view selector) {
    const BankerGroup& group = Find(kBankerGroups, &BankerGroup::selector, selector);
    const int item = controls.selectedIndex(selector);
    if (item < 0) return;
    RunClearAction(controls, group.clear);
    const int digitClass = item - 1;
    if (digitClass < 0 || digitClass >= kClassCount) return;  // 清空 only clears
    for (int d = 0; d <= 9; ++d) {
        if (InClass(d, digitClass)) controls.setTicked(DigitBox(group.boxes, d), true);
    }
}

void InvertBankerDigits(Controls& controls, std::string_view button) {
    InvertDigitBoxes(controls, Find(kBankerGroups, &BankerGroup::invert, button).boxes);
}

void PickPairCode(Controls& controls, std::string_view picker) {
    const PairPicker& pair = Find(kPairPickers, &PairPicker::picker, picker);
    const int item = controls.selectedIndex(picker);
    if (item < 0) return;
    const std::string& code = controls.items(picker)[static_cast<std::size_t>(item)];
    controls.setText(pair.box, controls.text(pair.box) + std::string(pair.before) + code + std::string(pair.after));
}

}  // namespace sanxing
