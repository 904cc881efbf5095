#include "tools/result_actions.h"

#include <string>
#include <string_view>

#include "numbers/set_text.h"
#include "tools/clear_actions.h"

namespace sanxing {

namespace {

constexpr std::string_view kResult = "编辑框_结果";
constexpr std::string_view kBaseCaption = "大底内容";

// The typed draw without the spaces around it.
std::string_view TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void Tell(Platform& platform, std::string_view text, std::string_view caption, MessageIcon icon) {
    platform.messageBox(std::string(text), std::string(caption), icon, MessageButtons::Ok);
}

}  // namespace

void CheckPrize(Controls& controls, Platform& platform) {
    const std::string& typed = controls.text("编辑框_兑奖号码");
    if (typed.empty()) return Tell(platform, "请先输入3位开奖号", "提示", MessageIcon::Error);
    // Only a whole number can win: a fragment such as "12" is found inside every 12x.
    const std::string_view drawn = TrimSpaces(typed);
    if (!NumberValue(drawn)) return Tell(platform, "请输入三位号码", "提示", MessageIcon::Error);
    if (controls.text(kResult).find(drawn) != std::string::npos) {
        Tell(platform, "恭喜你，中大奖了!", "提示", MessageIcon::Information);
    } else {
        Tell(platform, "很遗憾，未找到开奖号码!", "提示", MessageIcon::Error);
    }
}

void CopyResult(Controls& controls, Platform& platform) {
    const std::string& result = controls.text(kResult);
    if (result.empty()) return;
    platform.setClipboardText(result);
    // Said also when the clipboard could not take the text: the platform does not tell.
    Tell(platform, "复制成功！", "复制大底！", MessageIcon::Information);
}

void ClearAll(Controls& controls, Platform& platform) {
    if (platform.messageBox("确定全清吗", "全部清除", MessageIcon::Question, MessageButtons::YesNo) !=
        MessageAnswer::Yes) {
        return;
    }
    for (std::string_view action : ClearAllOrder()) RunClearAction(controls, action);
    controls.select("组合框_容错", 0);
    controls.setText("标签_缩水结果", "");
    controls.setText(kResult, "");
    EmptyBaseSet(controls);
}

void EmptyBaseSet(Controls& controls) {
    controls.setText("编辑框_大底", "");
    controls.setText("大底注数", std::string(kBaseCaption));
}

}  // namespace sanxing
