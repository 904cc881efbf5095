#include "tools/result_actions.h"

#include <string>
#include <string_view>

#include "tools/clear_actions.h"

namespace sanxing {

namespace {

constexpr std::string_view kResult = "编辑框_结果";
constexpr std::string_view kBaseCaption = "大底内容";

void Tell(Platform& platform, std::string_view text, std::string_view caption, MessageIcon icon) {
    platform.messageBox(std::string(text), std::string(caption), icon, MessageButtons::Ok);
}

}  // namespace

void CheckPrize(Controls& controls, Platform& platform) {
    const std::string& drawn = controls.text("编辑框_兑奖号码");
    if (drawn.empty()) return Tell(platform, "请先输入3位开奖号", "提示", MessageIcon::Error);
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
