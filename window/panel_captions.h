#pragma once
// The label that starts each condition panel, with the tooltip that says what the panel
// keeps or kills. The window marks these labels (property "panelCaption") and the skin
// gives them the tinted caption look (QLabel[panelCaption="true"] in skin.qss), so a new
// panel's caption is one row here.

#include <string_view>

namespace sanxing {

struct PanelCaption {
    std::string_view label;
    const char* hint;
};

inline constexpr PanelCaption kPanelCaptions[] = {
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
};

// The caption row of a label, or null when the label is not a panel caption.
constexpr const PanelCaption* FindPanelCaption(std::string_view name) {
    for (const PanelCaption& caption : kPanelCaptions) {
        if (caption.label == name) return &caption;
    }
    return nullptr;
}

}  // namespace sanxing
