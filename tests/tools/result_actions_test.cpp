#include <gtest/gtest.h>

#include "runtime/hint_texts.h"
#include "tools_fixture.h"
#include "window/control_table.h"

namespace sanxing {
namespace {

using ResultActions = ToolsTest;

RecordedMessage Hint(std::string text, MessageIcon icon) { return {std::move(text), "提示", icon, MessageButtons::Ok}; }

TEST_F(ResultActions, PrizeCheckTakesExactlyThreeDigits) {
    window.click("按钮_兑奖");
    set("编辑框_结果", "123 456 ");
    // Fragments, separators, spaces alone and longer runs are not a drawn number.
    for (const char* typed : {"12", "3 4", "1", " ", "1234", "12a", "１２３"}) {
        set("编辑框_兑奖号码", typed);
        window.click("按钮_兑奖");
    }
    set("编辑框_兑奖号码", "789");
    window.click("按钮_兑奖");
    set("编辑框_兑奖号码", "  123 ");  // spaces around the number are ignored
    window.click("按钮_兑奖");
    set("编辑框_结果", "");
    set("编辑框_兑奖号码", "123");
    window.click("按钮_兑奖");
    std::vector<RecordedMessage> expected{Hint("请先输入3位开奖号", MessageIcon::Error)};
    expected.insert(expected.end(), 7, Hint("请输入三位号码", MessageIcon::Error));
    expected.push_back(Hint("很遗憾，未找到开奖号码!", MessageIcon::Error));
    expected.push_back(Hint("恭喜你，中大奖了!", MessageIcon::Information));
    expected.push_back(Hint("很遗憾，未找到开奖号码!", MessageIcon::Error));
    EXPECT_EQ(platform.messages, expected);
}

TEST_F(ResultActions, CopyPutsTheResultOnTheClipboard) {
    window.click("按钮_复制");
    EXPECT_TRUE(platform.clipboard.empty());
    EXPECT_TRUE(platform.messages.empty());
    set("编辑框_结果", "001 002 ");
    window.click("按钮_复制");
    EXPECT_EQ(platform.clipboard, std::vector<std::string>{"001 002 "});
    EXPECT_EQ(
        platform.messages,
        (std::vector<RecordedMessage>{{"复制成功！", "复制大底！", MessageIcon::Information, MessageButtons::Ok}}));
}

TEST_F(ResultActions, EmptyBase) {
    set("编辑框_大底", "123 ");
    set("大底注数", "1注");
    window.click("清空大底");
    EXPECT_EQ(text("编辑框_大底"), "");
    EXPECT_EQ(text("大底注数"), "大底内容");
    EXPECT_TRUE(platform.messages.empty());
}

// Every check box flipped, every edit and combo box given a text of its own.
void Disturb(Controls& controls) {
    for (const ControlRow& spec : ControlTable()) {
        if (spec.kind == ControlKind::CheckBox) controls.setTicked(spec.name, !spec.ticked);
        if (spec.kind == ControlKind::EditBox) controls.setText(spec.name, "typed");
    }
    controls.select("组合框_容错", 5);
    for (const char* picker : {"组合框_百十两码", "组合框_百十两码1", "组合框_十个两码2"}) controls.select(picker, 3);
    controls.setText("标签2", "9注");
    controls.setText("标签_缩水结果", "9注");
    controls.setText("大底注数", "9注");
}

TEST_F(ResultActions, ClearAllAnsweredNoChangesNothing) {
    Disturb(c);
    const ControlStore before = window.controls();
    window.click("按钮_全清");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], (RecordedMessage{"确定全清吗", "全部清除", MessageIcon::Question,
                                                     MessageButtons::YesNoDefaultNo, MessageAnswer::No}));
    for (const ControlRow& spec : ControlTable()) {
        EXPECT_EQ(c.text(spec.name), before.text(spec.name)) << spec.name;
        EXPECT_EQ(c.ticked(spec.name), before.ticked(spec.name)) << spec.name;
    }
}

TEST_F(ResultActions, ClearAllResetsThePanelsButNotTheBoxesNoActionTouches) {
    Disturb(c);
    platform.answers.push_back(MessageAnswer::Yes);
    window.click("按钮_全清");

    for (const ControlRow& spec : ControlTable()) {
        if (spec.kind != ControlKind::CheckBox || spec.name == "选择框_开奖报号" || spec.name.ends_with("反集"))
            continue;
        const bool keeps = spec.name.starts_with("选择框_胆3出") ||
                           (spec.name.find("合出") != std::string::npos && spec.name.ends_with("个"));
        // Boxes no action touches stay flipped; all others are back where they start.
        EXPECT_EQ(c.ticked(spec.name), keeps ? !spec.ticked : spec.ticked) << spec.name;
    }
    EXPECT_EQ(c.ticked("选择框_胆1出2"), false);
    EXPECT_EQ(c.ticked("选择框_胆3出2"), true);
    EXPECT_EQ(c.ticked("选择框_百十与十个合出1个"), true);

    EXPECT_EQ(c.text("组合框_容错"), "0-0");
    EXPECT_EQ(c.selectedIndex("组合框_容错"), 0);
    EXPECT_EQ(text("标签_缩水结果"), "");
    EXPECT_EQ(text("编辑框_结果"), "");
    EXPECT_EQ(text("编辑框_大底"), "");
    EXPECT_EQ(text("大底注数"), "大底内容");
    EXPECT_EQ(text("标签2"), "");
    EXPECT_EQ(text("编辑框_垃圾大底"), "");
    for (const char* box : {"杀百位", "杀大小单双", "杀和值", "杀二码组合", "定胆码组", "垃圾复试_十位",
                            "编辑框_百十和值", "编辑框_两码总积数", "编辑框_十个合尾"}) {
        EXPECT_EQ(text(box), "") << box;
    }
    EXPECT_EQ(text("段组"), kSegmentHint);
    EXPECT_EQ(text("组合框_百十两码"), "百十");
    EXPECT_EQ(text("组合框_百十两码1"), "百十");
    EXPECT_EQ(text("组合框_十个两码2"), "和值");
    // Not a panel: the draw area and the A/B boxes keep what they had.
    EXPECT_EQ(text("编辑框_A"), "typed");
    EXPECT_EQ(text("编辑框_签名"), "typed");
}

}  // namespace
}  // namespace sanxing
