#include "app/bindings.h"

#include <vector>

#include "draws/verification.h"
#include "shrink/shrink_run.h"
#include "tools/base_set_files.h"
#include "tools/clear_actions.h"
#include "tools/hint_focus.h"
#include "tools/panel_selectors.h"
#include "tools/result_actions.h"
#include "tools/set_operations.h"
#include "tools/tolerance_box.h"
#include "window/control_names.h"
#include "window/hint_boxes.h"

namespace sanxing {

namespace {

void Shrink(WindowModel& w, std::string_view) { RunShrink(w.controls(), w.failures()); }

void KeepToleranceRange(WindowModel& w, std::string_view) { RestoreToleranceOnLeave(w.controls(), w.session()); }

// Kind change: reload the draw list. Timer tick: top it up. Both run off the UI thread.
void ReloadDrawList(WindowModel& w, std::string_view) { w.drawList().reload(); }
void RefreshDrawList(WindowModel& w, std::string_view) { w.drawList().refresh(); }

// The ad panel goes away for good: nothing shows it again.
void CloseAdPanel(WindowModel& w, std::string_view) { w.controls().setVisible(ctl::kAdPanel, false); }

// Adapters from the window to handlers that take only what they use.
template <void (*Action)(Controls&)>
void OnControls(WindowModel& w, std::string_view) {
    Action(w.controls());
}

template <void (*Action)(Controls&, Platform&)>
void OnPlatform(WindowModel& w, std::string_view) {
    Action(w.controls(), w.platform());
}

template <void (*Action)(Controls&, Platform&, SessionState&)>
void OnSession(WindowModel& w, std::string_view) {
    Action(w.controls(), w.platform(), w.session());
}

// For handlers that serve several controls and take the name of the one fired.
template <void (*Action)(Controls&, std::string_view)>
void ForControl(WindowModel& w, std::string_view control) {
    Action(w.controls(), control);
}

using E = ControlEvent;

constexpr EventBinding kFixedBindings[] = {
    // Base-set column.
    {ctl::kOpenBase, E::Click, OnSession<OpenBaseFile>},
    {ctl::kSaveResult, E::Click, OnSession<SaveResultFile>},
    {ctl::kBaseSet, E::FocusOut, OnControls<RewriteBaseSet>},
    {ctl::kBaseComplement, E::Click, OnControls<ComplementBaseSet>},
    {ctl::kEmptyBase, E::Click, OnControls<EmptyBaseSet>},
    {ctl::kCopyVerification, E::Click, OnPlatform<CopyVerificationData>},
    // Result column.
    {ctl::kShrink, E::Click, Shrink},
    {ctl::kTolerance, E::FocusOut, KeepToleranceRange},
    {ctl::kCopyResult, E::Click, OnPlatform<CopyResult>},
    {ctl::kCheckPrize, E::Click, OnPlatform<CheckPrize>},
    {ctl::kResultComplement, E::Click, OnControls<ComplementResult>},
    {ctl::kClearAll, E::Click, OnPlatform<ClearAll>},
    // A/B set operations and the junk base.
    {ctl::kSubtractBFromA, E::Click, OnControls<SubtractBFromA>},
    {ctl::kSubtractAFromB, E::Click, OnControls<SubtractAFromB>},
    {ctl::kUniteAB, E::Click, OnControls<UniteAB>},
    {ctl::kIntersectAB, E::Click, OnControls<IntersectAB>},
    {ctl::kClearAB, E::Click, OnControls<ClearAB>},
    {ctl::kMoveResultToBase, E::Click, OnControls<MoveResultToBase>},
    {ctl::kJunkBase, E::FocusOut, OnControls<RewriteJunkBase>},
    // Draw list.
    {ctl::kLottery, E::ItemSelected, ReloadDrawList},
    {ctl::kDrawTimer, E::Tick, RefreshDrawList},
    // Ad panel.
    {ctl::kCloseAd, E::Click, CloseAdPanel},
};

// The fixed rows, then the rows generated from the panels' own tables: selectors, invert
// buttons and pair pickers; the hint boxes' focus events; the clear buttons.
std::vector<EventBinding> BuildBindings() {
    std::vector<EventBinding> bindings(std::begin(kFixedBindings), std::end(kFixedBindings));
    for (const ctl::PositionPanel& panel : ctl::kPositionPanels) {
        bindings.push_back({panel.selector, E::ItemSelected, ForControl<SelectPositionDigits>});
    }
    for (const ctl::BankerGroup& group : ctl::kBankerGroups) {
        bindings.push_back({group.selector, E::ItemSelected, ForControl<SelectBankerDigits>});
    }
    for (const ctl::BankerGroup& group : ctl::kBankerGroups) {
        bindings.push_back({group.invert, E::Click, ForControl<InvertBankerDigits>});
    }
    for (auto picker : {&ctl::PairPanel::codePicker, &ctl::PairPanel::sumPicker, &ctl::PairPanel::totalPicker}) {
        for (const ctl::PairPanel& pair : ctl::kPairPanels) {
            bindings.push_back({pair.*picker, E::ItemSelected, ForControl<PickPairCode>});
        }
    }
    for (const HintBox& box : kHintBoxes) {
        bindings.push_back({box.box, E::FocusIn, ForControl<RemoveHintOnFocus>});
        bindings.push_back({box.box, E::FocusOut, ForControl<RestoreHintOnLeave>});
    }
    for (const ClearAction& action : ClearButtonActions()) {
        bindings.push_back({action.name, E::Click, ForControl<RunClearAction>});
    }
    return bindings;
}

const std::vector<EventBinding>& Bindings() {
    static const std::vector<EventBinding> bindings = BuildBindings();
    return bindings;
}

}  // namespace

std::span<const EventBinding> EventBindings() { return Bindings(); }

Handler FindHandler(std::string_view control, ControlEvent event) {
    for (const EventBinding& binding : Bindings()) {
        if (binding.control == control && binding.event == event) return binding.handler;
    }
    return nullptr;
}

// The window's events go through the binding table; the dispatch lives here so that the
// model does not include the table that is built on it.
bool WindowModel::fire(std::string_view name, ControlEvent event) {
    controls_.spec(name);  // an unknown name fails here, bound or not
    const Handler handler = FindHandler(name, event);
    if (handler == nullptr) return false;
    handler(*this, name);
    return true;
}

}  // namespace sanxing
