#include "app/bindings.h"

#include "draws/draw_jobs.h"
#include "shrink/shrink_run.h"

namespace sanxing {

namespace {

void Shrink(WindowModel& w) { RunShrink(w.controls(), w.failures()); }

int SelectedKind(WindowModel& w) { return w.controls().selectedIndex("组合框_彩种"); }

// Kind change: reload the draw list; its newest draw counts as reported and handled.
void ReloadDrawList(WindowModel& w) {
    LoadRecentDraws(SelectedKind(w), w.controls(), w.drawHosts());
    const ReportRows& rows = w.controls().rows(kDrawList);
    const std::string top = rows.empty() || rows.front().size() < 2 ? std::string() : rows.front()[1];
    w.session().lastDrawNumber = w.session().handledDrawNumber = top;
}

void UpdateDrawList(WindowModel& w) {
    UpdateLatestDraw(SelectedKind(w), w.controls(), w.session().lastDrawNumber, w.drawHosts());
}

// The ad panel goes away for good: nothing shows it again.
void CloseAdPanel(WindowModel& w) { w.controls().setVisible("图片框28", false); }

using E = ControlEvent;

constexpr EventBinding kBindings[] = {
    // Base-set column.
    {"打开大底", E::Click, nullptr},
    {"按钮_保存", E::Click, nullptr},
    {"编辑框_大底", E::FocusOut, nullptr},
    {"大底_反集", E::Click, nullptr},
    {"清空大底", E::Click, nullptr},
    {"按钮_复制验证数据", E::Click, nullptr},
    // Result column.
    {"按钮_缩水", E::Click, Shrink},
    {"按钮_复制", E::Click, nullptr},
    {"按钮_兑奖", E::Click, nullptr},
    {"选择框_反集", E::Click, nullptr},
    {"按钮_全清", E::Click, nullptr},
    // A/B set operations and the junk base.
    {"A排除B", E::Click, nullptr},
    {"B排除A", E::Click, nullptr},
    {"AB合并", E::Click, nullptr},
    {"AB交集", E::Click, nullptr},
    {"AB全清", E::Click, nullptr},
    {"到大底框", E::Click, nullptr},
    {"编辑框_垃圾大底", E::FocusOut, nullptr},
    // Draw list.
    {"组合框_彩种", E::ItemSelected, ReloadDrawList},
    {"时钟_开奖更新", E::Tick, UpdateDrawList},
    // Ad panel.
    {"按钮1", E::Click, CloseAdPanel},
    // Selectors, invert buttons and pair pickers.
    {"组合框_百位", E::ItemSelected, nullptr},
    {"组合框_十位", E::ItemSelected, nullptr},
    {"组合框_个位", E::ItemSelected, nullptr},
    {"组合框_胆码1", E::ItemSelected, nullptr},
    {"组合框_胆码2", E::ItemSelected, nullptr},
    {"组合框_胆码3", E::ItemSelected, nullptr},
    {"按钮_胆1反选", E::Click, nullptr},
    {"按钮_胆2反选", E::Click, nullptr},
    {"按钮_胆3反选", E::Click, nullptr},
    {"组合框_百十两码", E::ItemSelected, nullptr},
    {"组合框_百个两码", E::ItemSelected, nullptr},
    {"组合框_十个两码", E::ItemSelected, nullptr},
    {"组合框_百十两码1", E::ItemSelected, nullptr},
    {"组合框_百个两码1", E::ItemSelected, nullptr},
    {"组合框_十个两码1", E::ItemSelected, nullptr},
    {"组合框_百十两码2", E::ItemSelected, nullptr},
    {"组合框_百个两码2", E::ItemSelected, nullptr},
    {"组合框_十个两码2", E::ItemSelected, nullptr},
    // Hint texts of the exclusion lists.
    {"杀百位", E::FocusIn, nullptr}, {"杀百位", E::FocusOut, nullptr},
    {"杀十位", E::FocusIn, nullptr}, {"杀十位", E::FocusOut, nullptr},
    {"杀个位", E::FocusIn, nullptr}, {"杀个位", E::FocusOut, nullptr},
    {"杀大小单双", E::FocusIn, nullptr}, {"杀大小单双", E::FocusOut, nullptr},
    {"杀定位", E::FocusIn, nullptr}, {"杀定位", E::FocusOut, nullptr},
    {"杀复式", E::FocusIn, nullptr}, {"杀复式", E::FocusOut, nullptr},
    {"杀合尾", E::FocusIn, nullptr}, {"杀合尾", E::FocusOut, nullptr},
    {"杀跨度", E::FocusIn, nullptr}, {"杀跨度", E::FocusOut, nullptr},
    {"定胆码组", E::FocusIn, nullptr}, {"定胆码组", E::FocusOut, nullptr},
    {"段组", E::FocusIn, nullptr}, {"段组", E::FocusOut, nullptr},
    {"杀和值", E::FocusIn, nullptr}, {"杀和值", E::FocusOut, nullptr},
    {"杀二码组合", E::FocusIn, nullptr}, {"杀二码组合", E::FocusOut, nullptr},
    // Clear buttons: the clear action of the same name.
    {"按钮_混合清", E::Click, nullptr},
    {"按钮_胆码清空1", E::Click, nullptr},
    {"按钮_胆码清空2", E::Click, nullptr},
    {"按钮_胆码清空3", E::Click, nullptr},
    {"按钮_012路清", E::Click, nullptr},
    {"按钮_三星跨度清", E::Click, nullptr},
    {"按钮_三星合尾清", E::Click, nullptr},
    {"按钮_合值清除", E::Click, nullptr},
    {"按钮_两码清", E::Click, nullptr},
    {"按钮_大小清除", E::Click, nullptr},
    {"按钮_单双清除", E::Click, nullptr},
    {"三复式清", E::Click, nullptr},
    {"按钮_合积清", E::Click, nullptr},
    {"按钮_合变清", E::Click, nullptr},
    {"按钮_两码和值", E::Click, nullptr},
    {"按钮_两码组合清空", E::Click, nullptr},
    {"按钮_合击清除", E::Click, nullptr},
    {"按钮_两码清除", E::Click, nullptr},
    {"按钮_百十胆清", E::Click, nullptr},
    {"按钮_百个胆清", E::Click, nullptr},
    {"按钮_十个胆清", E::Click, nullptr},
    {"按钮_百十百个清", E::Click, nullptr},
    {"按钮_百个十个清", E::Click, nullptr},
    {"按钮_百十十个清", E::Click, nullptr},
    {"按钮_清垃圾大底", E::Click, nullptr},
    {"杀百位清", E::Click, nullptr},
    {"杀十位清", E::Click, nullptr},
    {"杀个位清", E::Click, nullptr},
    {"杀大小单双清", E::Click, nullptr},
    {"杀定位清", E::Click, nullptr},
    {"杀复式清", E::Click, nullptr},
    {"杀合尾清", E::Click, nullptr},
    {"杀跨度清", E::Click, nullptr},
    {"杀和值清", E::Click, nullptr},
    {"定胆码组清", E::Click, nullptr},
    {"杀二码组合清", E::Click, nullptr},
    {"段组清", E::Click, nullptr},
};

}  // namespace

std::span<const EventBinding> EventBindings() { return kBindings; }

Handler FindHandler(std::string_view control, ControlEvent event) {
    for (const EventBinding& binding : kBindings) {
        if (binding.control == control && binding.event == event) return binding.handler;
    }
    return nullptr;
}

}  // namespace sanxing
