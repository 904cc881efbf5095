#include "tools/clear_actions.h"

#include <initializer_list>
#include <stdexcept>
#include <string>

#include "runtime/hint_texts.h"

namespace sanxing {

namespace {

using Names = std::initializer_list<std::string_view>;

// Ticks or unticks the ten boxes prefix + "0" .. prefix + "9".
void SetDigitBoxes(Controls& controls, std::string_view prefix, bool ticked) {
    std::string name(prefix);
    for (char d = '0'; d <= '9'; ++d) controls.setTicked(name + d, ticked);
}

void TickBoxes(Controls& controls, Names names) {
    for (std::string_view name : names) controls.setTicked(name, true);
}

void EmptyBoxes(Controls& controls, Names names) {
    for (std::string_view name : names) controls.setText(name, "");
}

// Resets the three pair pickers of a row of the pair-code page to their caption words.
void ResetPickers(Controls& controls, Names pickers, Names captions) {
    auto caption = captions.begin();
    for (std::string_view picker : pickers) controls.setText(picker, std::string(*caption++));
}

void ClearBankerGroup(Controls& controls, char group, bool withCountBoxes) {
    SetDigitBoxes(controls, std::string("选择框_胆") + group + "码", false);
    if (!withCountBoxes) return;
    for (char c = '0'; c <= '3'; ++c) controls.setTicked(std::string("选择框_胆") + group + "出" + c, false);
}

void TickRoads(Controls& controls) {
    for (char x = '0'; x <= '2'; ++x)
        for (char y = '0'; y <= '2'; ++y)
            for (char z = '0'; z <= '2'; ++z) controls.setTicked(std::string("选择框_三星路") + x + y + z, true);
}

void TickSums(Controls& controls) {
    for (int sum = 0; sum <= 27; ++sum) {
        controls.setTicked("选择框_合值" + std::string(1, char('0' + sum / 10)) + char('0' + sum % 10), true);
    }
}

void TickPairs(Controls& controls) {
    for (char a = '0'; a <= '9'; ++a)
        for (char b = a; b <= '9'; ++b) controls.setTicked(std::string("选择框_两码") + a + b, true);
}

const Names kPickerWords = {"百十", "百个", "十个"};

const ClearAction kActions[] = {
    {"组合框_百位/全部", [](Controls& c) { SetDigitBoxes(c, "选择框_百位", true); }},
    {"组合框_十位/全部", [](Controls& c) { SetDigitBoxes(c, "选择框_十位", true); }},
    {"组合框_个位/全部", [](Controls& c) { SetDigitBoxes(c, "选择框_个位", true); }},
    {"按钮_混合清",
     [](Controls& c) {
         TickBoxes(c, {"选择框_豹子", "选择框_组三", "选择框_组六", "选择框_正顺", "选择框_反顺"});
     }},
    {"按钮_胆码清空1", [](Controls& c) { ClearBankerGroup(c, '1', true); }},
    {"按钮_胆码清空2", [](Controls& c) { ClearBankerGroup(c, '2', true); }},
    // The third group's 出 boxes keep their state.
    {"按钮_胆码清空3", [](Controls& c) { ClearBankerGroup(c, '3', false); }},
    {"按钮_012路清", TickRoads},
    {"按钮_三星跨度清", [](Controls& c) { SetDigitBoxes(c, "选择框_跨度", true); }},
    {"按钮_三星合尾清", [](Controls& c) { SetDigitBoxes(c, "选择框_合尾", true); }},
    {"按钮_合值清除", TickSums},
    {"按钮_两码清", TickPairs},
    {"按钮_大小清除",
     [](Controls& c) {
         TickBoxes(c, {"选择框_大大大", "选择框_大大小", "选择框_大小大", "选择框_大小小", "选择框_小大大",
                       "选择框_小大小", "选择框_小小小", "选择框_小小大"});
     }},
    {"按钮_单双清除",
     [](Controls& c) {
         TickBoxes(c, {"选择框_双双双", "选择框_双双单", "选择框_双单双", "选择框_双单单", "选择框_单双双",
                       "选择框_单双单", "选择框_单单单", "选择框_单单双"});
     }},
    {"三复式清",
     [](Controls& c) {
         EmptyBoxes(c, {"垃圾复试_百位", "垃圾复试_十位", "垃圾复试_个位"});
     }},
    {"按钮_合积清", [](Controls& c) { SetDigitBoxes(c, "选择框_定合积", true); }},
    {"按钮_合变清", [](Controls& c) { SetDigitBoxes(c, "选择框_定合变", true); }},
    {"按钮_两码和值",
     [](Controls& c) {
         EmptyBoxes(c, {"编辑框_百十和值", "编辑框_百个和值", "编辑框_十个和值"});
         ResetPickers(c, {"组合框_百十两码1", "组合框_百个两码1", "组合框_十个两码1"}, kPickerWords);
     }},
    {"按钮_两码组合清空",
     [](Controls& c) {
         EmptyBoxes(c, {"编辑框_百十两码", "编辑框_百个两码", "编辑框_十个两码"});
         ResetPickers(c, {"组合框_百十两码", "组合框_百个两码", "组合框_十个两码"}, kPickerWords);
     }},
    {"按钮_合击清除",
     [](Controls& c) {
         EmptyBoxes(c, {"编辑框_两码总跨度", "编辑框_两码总合尾", "编辑框_两码总积数", "编辑框_两码总跨度和值",
                        "编辑框_两码总合尾和值", "编辑框_两码总积数和值"});
         ResetPickers(c, {"组合框_百十两码2", "组合框_百个两码2", "组合框_十个两码2"}, {"和值", "和值", "和值"});
     }},
    {"按钮_两码清除",
     [](Controls& c) {
         EmptyBoxes(c, {"编辑框_百十跨度", "编辑框_百个跨度", "编辑框_十个跨度", "编辑框_百十合尾", "编辑框_百个合尾",
                        "编辑框_十个合尾"});
     }},
    {"按钮_百十胆清", [](Controls& c) { SetDigitBoxes(c, "选择框_百十", false); }},
    {"按钮_百个胆清", [](Controls& c) { SetDigitBoxes(c, "选择框_百个", false); }},
    {"按钮_十个胆清", [](Controls& c) { SetDigitBoxes(c, "选择框_十个", false); }},
    // The 必出 boxes of the pair-sum digit panels keep their state.
    {"按钮_百十百个清", [](Controls& c) { SetDigitBoxes(c, "选择框_百十与百个合", false); }},
    {"按钮_百个十个清", [](Controls& c) { SetDigitBoxes(c, "选择框_百个与十个合", false); }},
    {"按钮_百十十个清", [](Controls& c) { SetDigitBoxes(c, "选择框_百十与十个合", false); }},
    {"按钮_清垃圾大底",
     [](Controls& c) {
         EmptyBoxes(c, {"标签2", "编辑框_垃圾大底"});
     }},
    // An exclusion list's clear button empties the box named without the trailing "清";
    // its hint comes back when the box next loses the focus.
    {"杀百位清", [](Controls& c) { c.setText("杀百位", ""); }},
    {"杀十位清", [](Controls& c) { c.setText("杀十位", ""); }},
    {"杀个位清", [](Controls& c) { c.setText("杀个位", ""); }},
    {"杀大小单双清", [](Controls& c) { c.setText("杀大小单双", ""); }},
    {"杀定位清", [](Controls& c) { c.setText("杀定位", ""); }},
    {"杀复式清", [](Controls& c) { c.setText("杀复式", ""); }},
    {"杀合尾清", [](Controls& c) { c.setText("杀合尾", ""); }},
    {"杀跨度清", [](Controls& c) { c.setText("杀跨度", ""); }},
    {"杀和值清", [](Controls& c) { c.setText("杀和值", ""); }},
    {"定胆码组清", [](Controls& c) { c.setText("定胆码组", ""); }},
    {"杀二码组合清", [](Controls& c) { c.setText("杀二码组合", ""); }},
    // The segment box gets its hint back at once, not the empty text.
    {"段组清", [](Controls& c) { c.setText("段组", std::string(kSegmentHint)); }},
};

constexpr std::string_view kClearAllOrder[] = {
    "组合框_百位/全部",  "组合框_十位/全部", "组合框_个位/全部", "按钮_混合清",     "按钮_胆码清空1", "按钮_胆码清空2",
    "按钮_胆码清空3",    "按钮_012路清",     "按钮_三星跨度清",  "按钮_三星合尾清", "按钮_合值清除",  "按钮_两码清",
    "按钮_大小清除",     "按钮_单双清除",    "三复式清",         "按钮_合积清",     "按钮_合变清",    "按钮_两码和值",
    "按钮_两码组合清空", "按钮_合击清除",    "按钮_两码清除",    "按钮_百十胆清",   "按钮_百个胆清",  "按钮_十个胆清",
    "按钮_百十百个清",   "按钮_百个十个清",  "按钮_百十十个清",  "按钮_清垃圾大底", "杀百位清",       "杀十位清",
    "杀个位清",          "杀大小单双清",     "杀定位清",         "杀复式清",        "杀合尾清",       "杀跨度清",
    "杀和值清",          "定胆码组清",       "杀二码组合清",     "段组清",          "杀和值清",       "杀二码组合清",
};

}  // namespace

std::span<const ClearAction> ClearActions() { return kActions; }

void RunClearAction(Controls& controls, std::string_view name) {
    for (const ClearAction& action : kActions) {
        if (action.name == name) return action.run(controls);
    }
    throw std::out_of_range("no clear action named " + std::string(name));
}

std::span<const std::string_view> ClearAllOrder() { return kClearAllOrder; }

}  // namespace sanxing
