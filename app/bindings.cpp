#include "app/bindings.h"

#include <algorithm>
#include <cstddef>

#include "draws/verification.h"
#include "shrink/shrink_run.h"
#include "tools/base_set_files.h"
#include "tools/clear_actions.h"
#include "tools/hint_focus.h"
#include "tools/panel_selectors.h"
#include "tools/result_actions.h"
#include "tools/set_operations.h"

namespace sanxing {

namespace {

void Shrink(WindowModel& w) { RunShrink(w.controls(), w.failures()); }

// Kind change: reload the draw list. Timer tick: top it up. Both run off the UI thread.
void ReloadDrawList(WindowModel& w) { w.drawList().reload(); }
void RefreshDrawList(WindowModel& w) { w.drawList().refresh(); }

// The ad panel goes away for good: nothing shows it again.
void CloseAdPanel(WindowModel& w) { w.controls().setVisible("图片框28", false); }

// Adapters from the window to handlers that take only what they use.
template <void (*Action)(Controls&)>
void OnControls(WindowModel& w) {
    Action(w.controls());
}

template <void (*Action)(Controls&, Platform&)>
void OnPlatform(WindowModel& w) {
    Action(w.controls(), w.platform());
}

template <void (*Action)(Controls&, Platform&, SessionState&)>
void OnSession(WindowModel& w) {
    Action(w.controls(), w.platform(), w.session());
}

// A control name fixed at compile time, for handlers that serve several controls and
// take the name of the one whose event they handle.
template <std::size_t N>
struct FixedName {
    char text[N];
    constexpr FixedName(const char (&name)[N]) { std::copy_n(name, N, text); }
    constexpr std::string_view view() const { return {text, N - 1}; }
};

template <FixedName Name, void (*Action)(Controls&, std::string_view)>
void ForControl(WindowModel& w) {
    Action(w.controls(), Name.view());
}

using E = ControlEvent;

constexpr EventBinding kBindings[] = {
    // Base-set column.
    {"打开大底", E::Click, OnSession<OpenBaseFile>},
    {"按钮_保存", E::Click, OnSession<SaveResultFile>},
    {"编辑框_大底", E::FocusOut, OnControls<RewriteBaseSet>},
    {"大底_反集", E::Click, OnControls<ComplementBaseSet>},
    {"清空大底", E::Click, OnControls<EmptyBaseSet>},
    {"按钮_复制验证数据", E::Click, OnPlatform<CopyVerificationData>},
    // Result column.
    {"按钮_缩水", E::Click, Shrink},
    {"按钮_复制", E::Click, OnPlatform<CopyResult>},
    {"按钮_兑奖", E::Click, OnPlatform<CheckPrize>},
    {"选择框_反集", E::Click, OnControls<ComplementResult>},
    {"按钮_全清", E::Click, OnPlatform<ClearAll>},
    // A/B set operations and the junk base.
    {"A排除B", E::Click, OnControls<SubtractBFromA>},
    {"B排除A", E::Click, OnControls<SubtractAFromB>},
    {"AB合并", E::Click, OnControls<UniteAB>},
    {"AB交集", E::Click, OnControls<IntersectAB>},
    {"AB全清", E::Click, OnControls<ClearAB>},
    {"到大底框", E::Click, OnControls<MoveResultToBase>},
    {"编辑框_垃圾大底", E::FocusOut, OnControls<RewriteJunkBase>},
    // Draw list.
    {"组合框_彩种", E::ItemSelected, ReloadDrawList},
    {"时钟_开奖更新", E::Tick, RefreshDrawList},
    // Ad panel.
    {"按钮1", E::Click, CloseAdPanel},
    // Selectors, invert buttons and pair pickers.
    {"组合框_百位", E::ItemSelected, ForControl<"组合框_百位", SelectPositionDigits>},
    {"组合框_十位", E::ItemSelected, ForControl<"组合框_十位", SelectPositionDigits>},
    {"组合框_个位", E::ItemSelected, ForControl<"组合框_个位", SelectPositionDigits>},
    {"组合框_胆码1", E::ItemSelected, ForControl<"组合框_胆码1", SelectBankerDigits>},
    {"组合框_胆码2", E::ItemSelected, ForControl<"组合框_胆码2", SelectBankerDigits>},
    {"组合框_胆码3", E::ItemSelected, ForControl<"组合框_胆码3", SelectBankerDigits>},
    {"按钮_胆1反选", E::Click, ForControl<"按钮_胆1反选", InvertBankerDigits>},
    {"按钮_胆2反选", E::Click, ForControl<"按钮_胆2反选", InvertBankerDigits>},
    {"按钮_胆3反选", E::Click, ForControl<"按钮_胆3反选", InvertBankerDigits>},
    {"组合框_百十两码", E::ItemSelected, ForControl<"组合框_百十两码", PickPairCode>},
    {"组合框_百个两码", E::ItemSelected, ForControl<"组合框_百个两码", PickPairCode>},
    {"组合框_十个两码", E::ItemSelected, ForControl<"组合框_十个两码", PickPairCode>},
    {"组合框_百十两码1", E::ItemSelected, ForControl<"组合框_百十两码1", PickPairCode>},
    {"组合框_百个两码1", E::ItemSelected, ForControl<"组合框_百个两码1", PickPairCode>},
    {"组合框_十个两码1", E::ItemSelected, ForControl<"组合框_十个两码1", PickPairCode>},
    {"组合框_百十两码2", E::ItemSelected, ForControl<"组合框_百十两码2", PickPairCode>},
    {"组合框_百个两码2", E::ItemSelected, ForControl<"组合框_百个两码2", PickPairCode>},
    {"组合框_十个两码2", E::ItemSelected, ForControl<"组合框_十个两码2", PickPairCode>},
    // Hint texts of the exclusion lists.
    {"杀百位", E::FocusIn, ForControl<"杀百位", RemoveHintOnFocus>},
    {"杀百位", E::FocusOut, ForControl<"杀百位", RestoreHintOnLeave>},
    {"杀十位", E::FocusIn, ForControl<"杀十位", RemoveHintOnFocus>},
    {"杀十位", E::FocusOut, ForControl<"杀十位", RestoreHintOnLeave>},
    {"杀个位", E::FocusIn, ForControl<"杀个位", RemoveHintOnFocus>},
    {"杀个位", E::FocusOut, ForControl<"杀个位", RestoreHintOnLeave>},
    {"杀大小单双", E::FocusIn, ForControl<"杀大小单双", RemoveHintOnFocus>},
    {"杀大小单双", E::FocusOut, ForControl<"杀大小单双", RestoreHintOnLeave>},
    {"杀定位", E::FocusIn, ForControl<"杀定位", RemoveHintOnFocus>},
    {"杀定位", E::FocusOut, ForControl<"杀定位", RestoreHintOnLeave>},
    {"杀复式", E::FocusIn, ForControl<"杀复式", RemoveHintOnFocus>},
    {"杀复式", E::FocusOut, ForControl<"杀复式", RestoreHintOnLeave>},
    {"杀合尾", E::FocusIn, ForControl<"杀合尾", RemoveHintOnFocus>},
    {"杀合尾", E::FocusOut, ForControl<"杀合尾", RestoreHintOnLeave>},
    {"杀跨度", E::FocusIn, ForControl<"杀跨度", RemoveHintOnFocus>},
    {"杀跨度", E::FocusOut, ForControl<"杀跨度", RestoreHintOnLeave>},
    {"定胆码组", E::FocusIn, ForControl<"定胆码组", RemoveHintOnFocus>},
    {"定胆码组", E::FocusOut, ForControl<"定胆码组", RestoreHintOnLeave>},
    {"段组", E::FocusIn, ForControl<"段组", RemoveHintOnFocus>},
    {"段组", E::FocusOut, ForControl<"段组", RestoreHintOnLeave>},
    {"杀和值", E::FocusIn, ForControl<"杀和值", RemoveHintOnFocus>},
    {"杀和值", E::FocusOut, ForControl<"杀和值", RestoreHintOnLeave>},
    {"杀二码组合", E::FocusIn, ForControl<"杀二码组合", RemoveHintOnFocus>},
    {"杀二码组合", E::FocusOut, ForControl<"杀二码组合", RestoreHintOnLeave>},
    // Clear buttons: the clear action of the same name.
    {"按钮_混合清", E::Click, ForControl<"按钮_混合清", RunClearAction>},
    {"按钮_胆码清空1", E::Click, ForControl<"按钮_胆码清空1", RunClearAction>},
    {"按钮_胆码清空2", E::Click, ForControl<"按钮_胆码清空2", RunClearAction>},
    {"按钮_胆码清空3", E::Click, ForControl<"按钮_胆码清空3", RunClearAction>},
    {"按钮_012路清", E::Click, ForControl<"按钮_012路清", RunClearAction>},
    {"按钮_三星跨度清", E::Click, ForControl<"按钮_三星跨度清", RunClearAction>},
    {"按钮_三星合尾清", E::Click, ForControl<"按钮_三星合尾清", RunClearAction>},
    {"按钮_合值清除", E::Click, ForControl<"按钮_合值清除", RunClearAction>},
    {"按钮_两码清", E::Click, ForControl<"按钮_两码清", RunClearAction>},
    {"按钮_大小清除", E::Click, ForControl<"按钮_大小清除", RunClearAction>},
    {"按钮_单双清除", E::Click, ForControl<"按钮_单双清除", RunClearAction>},
    {"三复式清", E::Click, ForControl<"三复式清", RunClearAction>},
    {"按钮_合积清", E::Click, ForControl<"按钮_合积清", RunClearAction>},
    {"按钮_合变清", E::Click, ForControl<"按钮_合变清", RunClearAction>},
    {"按钮_两码和值", E::Click, ForControl<"按钮_两码和值", RunClearAction>},
    {"按钮_两码组合清空", E::Click, ForControl<"按钮_两码组合清空", RunClearAction>},
    {"按钮_合击清除", E::Click, ForControl<"按钮_合击清除", RunClearAction>},
    {"按钮_两码清除", E::Click, ForControl<"按钮_两码清除", RunClearAction>},
    {"按钮_百十胆清", E::Click, ForControl<"按钮_百十胆清", RunClearAction>},
    {"按钮_百个胆清", E::Click, ForControl<"按钮_百个胆清", RunClearAction>},
    {"按钮_十个胆清", E::Click, ForControl<"按钮_十个胆清", RunClearAction>},
    {"按钮_百十百个清", E::Click, ForControl<"按钮_百十百个清", RunClearAction>},
    {"按钮_百个十个清", E::Click, ForControl<"按钮_百个十个清", RunClearAction>},
    {"按钮_百十十个清", E::Click, ForControl<"按钮_百十十个清", RunClearAction>},
    {"按钮_清垃圾大底", E::Click, ForControl<"按钮_清垃圾大底", RunClearAction>},
    {"杀百位清", E::Click, ForControl<"杀百位清", RunClearAction>},
    {"杀十位清", E::Click, ForControl<"杀十位清", RunClearAction>},
    {"杀个位清", E::Click, ForControl<"杀个位清", RunClearAction>},
    {"杀大小单双清", E::Click, ForControl<"杀大小单双清", RunClearAction>},
    {"杀定位清", E::Click, ForControl<"杀定位清", RunClearAction>},
    {"杀复式清", E::Click, ForControl<"杀复式清", RunClearAction>},
    {"杀合尾清", E::Click, ForControl<"杀合尾清", RunClearAction>},
    {"杀跨度清", E::Click, ForControl<"杀跨度清", RunClearAction>},
    {"杀和值清", E::Click, ForControl<"杀和值清", RunClearAction>},
    {"定胆码组清", E::Click, ForControl<"定胆码组清", RunClearAction>},
    {"杀二码组合清", E::Click, ForControl<"杀二码组合清", RunClearAction>},
    {"段组清", E::Click, ForControl<"段组清", RunClearAction>},
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
