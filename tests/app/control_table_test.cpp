#include <gtest/gtest.h>

#include <set>

#include "app/bindings.h"
#include "runtime/control_store.h"
#include "runtime/hint_texts.h"
#include "window/control_table.h"

namespace sanxing {
namespace {

class InitialState : public ::testing::Test {
protected:
    ControlStore controls{ControlTable()};

    int count(ControlKind kind) const {
        int n = 0;
        for (const ControlRow& spec : ControlTable()) n += spec.kind == kind;
        return n;
    }
    void expectFamily(const std::string& prefix, const std::vector<std::string>& suffixes, bool ticked) {
        for (const std::string& suffix : suffixes) {
            EXPECT_EQ(controls.ticked(prefix + suffix), ticked) << prefix + suffix;
        }
    }
};

std::vector<std::string> Digits() { return {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}; }

TEST_F(InitialState, TableIsCompleteAndWellFormed) {
    const auto& table = ControlTable();
    EXPECT_GE(table.size(), 540u);
    EXPECT_LE(table.size(), 600u);
    std::set<std::string> names;
    for (const ControlRow& spec : table) {
        EXPECT_TRUE(names.insert(spec.name).second) << spec.name;
        if (spec.kind == ControlKind::Window) continue;
        // Parents come before their children and are containers.
        ASSERT_TRUE(names.count(spec.parent)) << spec.name << " under " << spec.parent;
        const ControlKind parent = controls.spec(spec.parent).kind;
        EXPECT_TRUE(parent == ControlKind::Window || parent == ControlKind::PictureBox ||
                    parent == ControlKind::GroupBox || parent == ControlKind::TabPage ||
                    parent == ControlKind::TabControl)
            << spec.name;
    }
    EXPECT_EQ(count(ControlKind::TabPage), 7);
    EXPECT_EQ(count(ControlKind::ReportList), 2);
    EXPECT_EQ(count(ControlKind::WebView), 1);
    EXPECT_EQ(count(ControlKind::Timer), 1);
    EXPECT_EQ(count(ControlKind::FileDialog), 2);
    EXPECT_EQ(controls.spec("时钟_开奖更新").interval, 10000);
    EXPECT_EQ(controls.text(std::string(kMainWindow)), kWindowTitle);
}

TEST_F(InitialState, TabPagesInOrder) {
    std::vector<std::string> pages;
    for (const ControlRow& spec : ControlTable()) {
        if (spec.kind == ControlKind::TabPage) pages.push_back(spec.text);
    }
    EXPECT_EQ(pages, (std::vector<std::string>{"基本", "其他", "两码", "组合", "容错1", "容错2", "容错3"}));
}

TEST_F(InitialState, SelectionPanelsStartTicked) {
    for (const char* p : {"百位", "十位", "个位", "跨度", "合尾", "定合积", "定合变"}) {
        expectFamily(std::string("选择框_") + p, Digits(), true);
    }
    for (int s = 0; s <= 27; ++s) {
        EXPECT_TRUE(controls.ticked("选择框_合值" + std::string(s < 10 ? "0" : "") + std::to_string(s)));
    }
    int pairs = 0;
    for (int a = 0; a <= 9; ++a) {
        for (int b = 0; b <= 9; ++b) {
            const std::string name = "选择框_两码" + std::to_string(a) + std::to_string(b);
            EXPECT_EQ(controls.has(name), a <= b) << name;
            if (a <= b) pairs += controls.ticked(name);
        }
    }
    EXPECT_EQ(pairs, 55);
    expectFamily("选择框_", {"豹子", "组三", "组六", "正顺", "反顺", "大大大", "小小小", "单双单", "双双双"}, true);
    expectFamily("选择框_三星路", {"000", "012", "120", "222"}, true);
    EXPECT_FALSE(controls.has("选择框_三星路003"));
}

TEST_F(InitialState, BankerAndPairPanelsStartUnticked) {
    for (const char* g : {"1", "2", "3"}) {
        expectFamily(std::string("选择框_胆") + g + "码", Digits(), false);
        expectFamily(std::string("选择框_胆") + g + "出", {"0", "1", "2", "3"}, false);
    }
    for (const char* p : {"百十", "百个", "十个", "百十与百个合", "百十与十个合", "百个与十个合"}) {
        expectFamily(std::string("选择框_") + p, Digits(), false);
    }
    expectFamily("选择框_百十与百个合出", {"0个", "1个", "2个"}, false);
    EXPECT_EQ(controls.text("选择框_百十与十个合出2个"), "必出2个");
    EXPECT_EQ(controls.text("选择框_胆2出3"), "出3个");
    EXPECT_TRUE(controls.ticked("选择框_开奖报号"));
    EXPECT_FALSE(controls.ticked("大底_反集"));
    EXPECT_FALSE(controls.ticked("选择框_反集"));
}

TEST_F(InitialState, ListBoxesHoldTheirHints) {
    for (const char* box : {"杀百位", "杀十位", "杀个位", "杀定位", "杀复式", "杀合尾", "杀跨度", "定胆码组"}) {
        EXPECT_EQ(controls.text(box), kNumbersHint) << box;
        EXPECT_TRUE(controls.spec(box).multiLine);
    }
    EXPECT_EQ(controls.text("杀和值"), kConditionsHint);
    EXPECT_EQ(controls.text("杀二码组合"), kConditionsHint);
    EXPECT_EQ(controls.text("杀大小单双"), kShapesHint);
    EXPECT_EQ(controls.text("段组"), kSegmentHint);
    EXPECT_EQ(controls.text("编辑框_大底"), "");
    EXPECT_EQ(controls.text("编辑框_对"), "对");
    EXPECT_EQ(controls.text("编辑框_错"), "错");
    EXPECT_EQ(controls.text("编辑框_签名"), "Tavrel");
}

TEST_F(InitialState, CombosStartWithTheirTextAndNoSelectionButTheDrawCombos) {
    for (const ControlRow& spec : ControlTable()) {
        if (spec.kind == ControlKind::ComboBox && spec.name != "组合框_彩种" && spec.name != "组合框_验证") {
            EXPECT_EQ(controls.selectedIndex(spec.name), -1) << spec.name;
        }
    }
    EXPECT_EQ(controls.text("组合框_容错"), "0-0");
    EXPECT_EQ(controls.items("组合框_容错"),
              (std::vector<std::string>{"0-0", "0-1", "0-2", "0-3", "0-4", "0-5", "1-1", "1-2", "1-3", "1-4", "1-5"}));
    EXPECT_EQ(controls.text("组合框_段组"), "1-1");
    EXPECT_EQ(controls.items("组合框_段组").size(), 8u);
    EXPECT_EQ(controls.text("组合框_杀两码容错"), "0-0");
    EXPECT_EQ(controls.items("组合框_杀两码容错").back(), "0-9");
    EXPECT_EQ(controls.text("组合框_百十两码"), "百 十");
    EXPECT_EQ(controls.items("组合框_百十两码").size(), 100u);
    EXPECT_EQ(controls.items("组合框_十个两码1").back(), "18");
    EXPECT_EQ(controls.text("组合框_百个两码2"), "和值");
    EXPECT_EQ(controls.items("组合框_百位")[6], " 0路");
    EXPECT_EQ(controls.items("组合框_胆码1")[0], "清空");
    EXPECT_EQ(controls.items("组合框_定合变")[0], "清除");
    EXPECT_EQ(controls.items("组合框_显示").size(), 15u);
    EXPECT_EQ(controls.text("组合框_彩种"), "重庆时时彩");
    EXPECT_EQ(controls.selectedIndex("组合框_彩种"), 0);
    EXPECT_EQ(controls.text("组合框_验证"), "前三验证");
    EXPECT_EQ(controls.selectedIndex("组合框_验证"), 0);
    EXPECT_EQ(controls.selectedIndex("组合框_显示"), -1);
}

TEST_F(InitialState, CaptionsAndHiddenFailureTable) {
    EXPECT_EQ(controls.text("大底注数"), "大底内容");
    EXPECT_EQ(controls.text("标签_缩水结果"), "Tavrel");
    EXPECT_EQ(controls.text("按钮1"), "关闭广告");
    EXPECT_EQ(controls.text("按钮_012路清"), "清    除");
    EXPECT_EQ(controls.text("标签_杀三星和值"), "         杀三星和值");
    EXPECT_FALSE(controls.visible("列表框_容错"));
    EXPECT_TRUE(controls.visible("图片框28"));
    const auto& columns = controls.spec("列表框_开奖").columns;
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0].title, "期号");
    EXPECT_EQ(columns[2].width, 40);
}

TEST(EventBindings, NameControlsOfTheRightKind) {
    const ControlStore controls(ControlTable());
    std::set<std::pair<std::string, int>> seen;
    for (const EventBinding& binding : EventBindings()) {
        ASSERT_TRUE(controls.has(binding.control)) << binding.control;
        EXPECT_TRUE(seen.insert({std::string(binding.control), static_cast<int>(binding.event)}).second)
            << binding.control;
        const ControlKind kind = controls.spec(binding.control).kind;
        switch (binding.event) {
            case ControlEvent::Click:
                EXPECT_TRUE(kind == ControlKind::Button || kind == ControlKind::CheckBox) << binding.control;
                break;
            case ControlEvent::ItemSelected: EXPECT_EQ(kind, ControlKind::ComboBox) << binding.control; break;
            case ControlEvent::FocusIn: EXPECT_EQ(kind, ControlKind::EditBox) << binding.control; break;
            case ControlEvent::FocusOut:
                // 容错 is the one combo box that acts on leaving: a typed range goes back to a good one.
                EXPECT_TRUE(kind == ControlKind::EditBox || binding.control == "组合框_容错") << binding.control;
                break;
            case ControlEvent::Tick: EXPECT_EQ(kind, ControlKind::Timer) << binding.control; break;
        }
    }
    // Every button of the window has a binding row.
    for (const ControlRow& spec : ControlTable()) {
        if (spec.kind == ControlKind::Button) {
            EXPECT_TRUE(seen.count({spec.name, 0})) << spec.name;
        }
    }
}

}  // namespace
}  // namespace sanxing
