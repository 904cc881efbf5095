#include "app/qt/binding/tooltips.h"

#include <QWidget>

#include "app/qt/binding/control_widgets.h"
#include "app/qt/binding/shortcuts.h"
#include "tools/clear_actions.h"
#include "window/control_names.h"

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
    // Captions of the condition panels.
    {"标签_百位", "百位只保留勾选的数字"},
    {"标签_十位", "十位只保留勾选的数字"},
    {"标签_个位", "个位只保留勾选的数字"},
    {"标签_条件", "只保留勾选的形态：豹子、组三、组六、顺子"},
    {"标签_胆码1", "胆码：号码含勾选胆码的个数须在勾选的“出几个”之中"},
    {"标签_胆码2", "胆码：号码含勾选胆码的个数须在勾选的“出几个”之中"},
    {"标签_胆码3", "胆码：号码含勾选胆码的个数须在勾选的“出几个”之中"},
    {"标签_012路", "只保留勾选的 012 路形态（各位数字除以 3 的余数）"},
    {"标签_跨度", "只保留跨度（最大数字减最小数字）被勾选的号码"},
    {"标签_合尾", "只保留和值尾数被勾选的号码"},
    {"标签_和值", "只保留三位数字之和被勾选的号码"},
    {"标签_二码", "只保留其中两位组成的二码被勾选的号码"},
    {"标签_杀合积", "百位乘十位加个位的尾数：只保留勾选的"},
    {"标签_杀合变", "百位加两倍十位加个位的尾数：只保留勾选的"},
    {"标签_垃圾复试", "百、十、个位的复式，落入其中的号码被杀"},
    {"标签_百十和值", "百位与十位之和：杀去框中的值"},
    {"标签_百个和值", "百位与个位之和：杀去框中的值"},
    {"标签_十个和值", "十位与个位之和：杀去框中的值"},
    {"标签_百十组合", "百位与十位组成的两码：杀去框中的"},
    {"标签_百个组合", "百位与个位组成的两码：杀去框中的"},
    {"标签_十个组合", "十位与个位组成的两码：杀去框中的"},
    {"标签_两码总跨度", "按旁边说明的算法得出一个值：框中列出的值被杀"},
    {"标签_两码总合尾", "按旁边说明的算法得出一个值：框中列出的值被杀"},
    {"标签_两码总积数", "按旁边说明的算法得出一个值：框中列出的值被杀"},
    {"标签_两码总跨度和值", "按旁边说明的算法得出一个值：框中列出的值被杀"},
    {"标签_两码总合尾和值", "按旁边说明的算法得出一个值：框中列出的值被杀"},
    {"标签_两码总积数和值", "按旁边说明的算法得出一个值：框中列出的值被杀"},
    {"标签_杀两码", "两码的跨度与合尾：杀去框中的"},
    {"标签_百十胆码", "百位、十位中胆码的个数须在所选范围之内"},
    {"标签_百个胆码", "百位、个位中胆码的个数须在所选范围之内"},
    {"标签_十个胆码", "十位、个位中胆码的个数须在所选范围之内"},
    {"标签_百十与百个合", "两个两码和的尾数中，勾选数字出现的个数须在勾选的“必出几个”之中"},
    {"标签_百十与十个合", "两个两码和的尾数中，勾选数字出现的个数须在勾选的“必出几个”之中"},
    {"标签_百个与十个合", "两个两码和的尾数中，勾选数字出现的个数须在勾选的“必出几个”之中"},
    {"标签1", "垃圾大底：其中的号码被杀"},
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
    for (const ControlSpec& spec : widgets.store().table()) {
        auto* widget = qobject_cast<QWidget*>(widgets.object(spec.name));
        if (widget == nullptr) continue;
        const QString tip = ToolTipOf(widgets, spec.name);
        if (!tip.isEmpty()) widget->setToolTip(tip);
    }
}

}  // namespace sanxing
