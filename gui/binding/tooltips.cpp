#include "gui/binding/tooltips.h"

#include <QWidget>

#include "gui/binding/control_widgets.h"
#include "gui/binding/shortcuts.h"
#include "tools/clear_actions.h"
#include "window/control_names.h"
#include "window/panel_captions.h"

namespace sanxing {

namespace {

struct Hint {
    std::string_view name;
    const char* text;
};

constexpr Hint kHints[] = {
    // Base set, result and A/B areas.
    {ctl::kOpenBase, "从文本文件读入大底（只取三位号码）"},
    {ctl::kEmptyBase, "清空大底框（Ctrl+Z 可撤销）"},
    {ctl::kCopyVerification, "复制开奖列表里已验证的对错记录"},
    {ctl::kBaseComplement, "把大底换成它的补集（不在大底里的号码）"},
    {ctl::kResultComplement, "把结果换成它的补集（不在结果里的号码）"},
    {ctl::kCheckPrize, "在结果里查找输入的三位开奖号（在号码框按回车也可）"},
    {ctl::kShrink, "按所设条件和容错从大底中选出结果"},
    {ctl::kCopyResult, "把结果复制到剪贴板"},
    {ctl::kSaveResult, "把结果保存为文本文件"},
    {ctl::kClearAll, "清除全部条件、结果和大底（先询问）"},
    {ctl::kSubtractBFromA, "结果 = A 中不在 B 里的号码"},
    {ctl::kSubtractAFromB, "结果 = B 中不在 A 里的号码"},
    {ctl::kUniteAB, "结果 = A 与 B 的全部号码"},
    {ctl::kIntersectAB, "结果 = A、B 都有的号码"},
    {ctl::kClearAB, "清空 A、B 两框"},
    {ctl::kMoveResultToBase, "把结果放进大底框"},
    {ctl::kCloseAd, "关闭公告，显示条件页（“帮助 → 使用说明”可再看说明）"},
    {std::get<0>(ctl::kBankerGroups).invert, "反选这一组胆码"},
    {std::get<1>(ctl::kBankerGroups).invert, "反选这一组胆码"},
    {std::get<2>(ctl::kBankerGroups).invert, "反选这一组胆码"},
    {"分组框1", "每行一个条件，号码不符合的行数在容错之内才保留"},
    {"分组框2", "每行一个条件，号码不符合的行数在容错之内才保留"},
    {"分组框3", "每行一个条件，号码不符合的行数在容错之内才保留"},
    {"分组框4", "每行一个条件，号码不符合的行数在容错之内才保留"},
    {"标签_杀三星和值", "每行一组和值，号码不符合的行数在容错之内才保留"},
    {"标签_杀二码组合", "每行一组二码，号码不符合的行数在容错之内才保留"},
};

const char* HintText(const ControlWidgets& widgets, std::string_view name) {
    for (const Hint& hint : kHints) {
        if (hint.name == name) return hint.text;
    }
    if (const PanelCaption* caption = FindPanelCaption(name)) return caption->hint;
    // A list's clear button is named after its list; the other clear buttons reset a panel.
    constexpr std::string_view kClear = "清";
    if (name.ends_with(kClear) && widgets.store().has(name.substr(0, name.size() - kClear.size()))) {
        return "清空这个列表框（Ctrl+Z 可撤销）";
    }
    for (const ClearAction& action : ClearActions()) {
        if (action.name == name) return "清除这一栏的条件，恢复初始状态";
    }
    return nullptr;
}

}  // namespace

QString ToolTipOf(const ControlWidgets& widgets, std::string_view name) {
    const char* text = HintText(widgets, name);
    if (text == nullptr) return {};
    QString tip = QString::fromUtf8(text);
    const QString keys = ShortcutText(name);
    if (!keys.isEmpty()) tip += QStringLiteral("（%1）").arg(keys);
    return tip;
}

void SetToolTips(ControlWidgets& widgets) {
    for (const ControlRow& spec : widgets.store().table()) {
        auto* widget = qobject_cast<QWidget*>(widgets.object(spec.name));
        if (widget == nullptr) continue;
        const QString tip = ToolTipOf(widgets, spec.name);
        if (!tip.isEmpty()) widget->setToolTip(tip);
    }
}

}  // namespace sanxing
