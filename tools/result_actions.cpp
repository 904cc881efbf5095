#include "tools/result_actions.h"

#include <string>
#include <string_view>

#include "numbers/set_text.h"
#include "tools/clear_actions.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

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
    const std::string& typed = controls.text(ctl::kPrizeNumber);
    if (typed.empty()) return Tell(platform, "请先输入3位开奖号", "提示", MessageIcon::Error);
    // Only a whole number can win: a fragment such as "12" is found inside every 12x.
    const std::string_view drawn = TrimSpaces(typed);
    if (!NumberValue(drawn)) return Tell(platform, "请输入三位号码", "提示", MessageIcon::Error);
    if (controls.text(ctl::kResult).find(drawn) != std::string::npos) {
        Tell(platform, "恭喜你，中大奖了!", "提示", MessageIcon::Information);
    } else {
        Tell(platform, "很遗憾，未找到开奖号码!", "提示", MessageIcon::Error);
    }
}

void CopyResult(Controls& controls, Platform& platform) {
    const std::string& result = controls.text(ctl::kResult);
    if (result.empty()) return;
    platform.setClipboardText(result);
    // Said also when the clipboard could not take the text: the platform does not tell.
    Tell(platform, "复制成功！", "复制大底！", MessageIcon::Information);
}

void ClearAll(Controls& controls, Platform& platform) {
    if (platform.messageBox("确定全清吗", "全部清除", MessageIcon::Question, MessageButtons::YesNoDefaultNo) !=
        MessageAnswer::Yes) {
        return;
    }
    for (std::string_view action : ClearAllOrder()) RunClearAction(controls, action);
    controls.select(ctl::kTolerance, 0);
    controls.setText(ctl::kResultCount, "");
    controls.setText(ctl::kResult, "");
    EmptyBaseSet(controls);
}

void EmptyBaseSet(Controls& controls) {
    controls.setText(ctl::kBaseSet, "");
    controls.setText(ctl::kBaseCount, std::string(kBaseCaption));
}

}  // namespace sanxing
