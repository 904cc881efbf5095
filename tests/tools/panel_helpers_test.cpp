#include <gtest/gtest.h>

#include "runtime/hint_texts.h"
#include "tools_fixture.h"

namespace sanxing {
namespace {

class PanelHelpers : public ToolsTest {
protected:
    // The digits d whose boxes prefix + d are ticked, as a text ("1357"); the families
    // run from 0 to 9, the banker groups' 出 boxes from 0 to 3.
    std::string ticked(const std::string& prefix) const {
        std::string digits;
        for (char d = '0'; d <= '9' && window.controls().has(prefix + d); ++d) {
            if (window.controls().ticked(prefix + d)) digits += d;
        }
        return digits;
    }
    void tick(const std::string& prefix, const std::string& digits) {
        for (char d = '0'; d <= '9' && c.has(prefix + d); ++d)
            c.setTicked(prefix + d, digits.find(d) != std::string::npos);
    }
};

TEST_F(PanelHelpers, PositionSelectorsOnlyUntickOutsideTheClass) {
    window.selectItem("组合框_百位", 4);  // 单数
    EXPECT_EQ(ticked("选择框_百位"), "13579");
    window.selectItem("组合框_百位", 2);  // 大数 after 单数
    EXPECT_EQ(ticked("选择框_百位"), "579");
    window.selectItem("组合框_百位", 3);  // 小数 after 大数: nothing left
    EXPECT_EQ(ticked("选择框_百位"), "");
    window.selectItem("组合框_百位", 0);  // 全部
    EXPECT_EQ(ticked("选择框_百位"), "0123456789");
    EXPECT_EQ(ticked("选择框_十位"), "0123456789");  // other positions untouched

    const std::pair<int, const char*> classes[] = {{2, "56789"}, {3, "01234"}, {4, "13579"}, {5, "02468"},
                                                   {6, "0369"},  {7, "147"},   {8, "258"}};
    for (const auto& [item, digits] : classes) {
        window.selectItem("组合框_个位", 0);
        window.selectItem("组合框_个位", item);
        EXPECT_EQ(ticked("选择框_个位"), digits) << c.text("组合框_个位");
    }
}

TEST_F(PanelHelpers, InvertTwiceRestores) {
    tick("选择框_十位", "0258");
    window.selectItem("组合框_十位", 1);
    EXPECT_EQ(ticked("选择框_十位"), "134679");
    window.selectItem("组合框_十位", 1);
    EXPECT_EQ(ticked("选择框_十位"), "0258");
}

TEST_F(PanelHelpers, BankerSelectorsClearThenTickTheClass) {
    tick("选择框_胆2码", "0259");
    tick("选择框_胆2出", "13");
    window.selectItem("组合框_胆码2", 6);  // " 1路"
    EXPECT_EQ(ticked("选择框_胆2码"), "147");
    EXPECT_EQ(ticked("选择框_胆2出"), "");
    window.selectItem("组合框_胆码2", 1);  // 大数 replaces, it does not add
    EXPECT_EQ(ticked("选择框_胆2码"), "56789");
    window.selectItem("组合框_胆码2", 0);  // 清空
    EXPECT_EQ(ticked("选择框_胆2码"), "");

    tick("选择框_胆3出", "02");
    window.selectItem("组合框_胆码3", 4);  // 双数; group 3 keeps its 出 boxes
    EXPECT_EQ(ticked("选择框_胆3码"), "02468");
    EXPECT_EQ(ticked("选择框_胆3出"), "02");
    EXPECT_EQ(ticked("选择框_胆1码"), "");
}

TEST_F(PanelHelpers, BankerInvertLeavesTheCountBoxes) {
    tick("选择框_胆1码", "123");
    tick("选择框_胆1出", "0");
    window.click("按钮_胆1反选");
    EXPECT_EQ(ticked("选择框_胆1码"), "0456789");
    EXPECT_EQ(ticked("选择框_胆1出"), "0");
}

TEST_F(PanelHelpers, ClearButtonsOfBankerAndPairPanels) {
    tick("选择框_胆1码", "12");
    tick("选择框_胆1出", "3");
    tick("选择框_胆3码", "12");
    tick("选择框_胆3出", "3");
    window.click("按钮_胆码清空1");
    window.click("按钮_胆码清空3");
    EXPECT_EQ(ticked("选择框_胆1码") + ticked("选择框_胆1出") + ticked("选择框_胆3码"), "");
    EXPECT_EQ(ticked("选择框_胆3出"), "3");

    tick("选择框_百十与百个合", "45");
    c.setTicked("选择框_百十与百个合出1个", true);
    window.click("按钮_百十百个清");
    EXPECT_EQ(ticked("选择框_百十与百个合"), "");
    EXPECT_TRUE(c.ticked("选择框_百十与百个合出1个"));

    c.setTicked("选择框_两码37", false);
    c.setTicked("选择框_三星路120", false);
    c.setTicked("选择框_合值27", false);
    window.click("按钮_两码清");
    window.click("按钮_012路清");
    window.click("按钮_合值清除");
    EXPECT_TRUE(c.ticked("选择框_两码37") && c.ticked("选择框_三星路120") && c.ticked("选择框_合值27"));
}

TEST_F(PanelHelpers, PairPickersAppend) {
    window.selectItem("组合框_百十两码1", 5);
    window.selectItem("组合框_百十两码1", 7);
    EXPECT_EQ(text("编辑框_百十和值"), ",05,,07,");
    EXPECT_EQ(text("组合框_百十两码1"), "07");
    window.selectItem("组合框_百个两码", 5);
    window.selectItem("组合框_百个两码", 7);
    window.selectItem("组合框_百个两码", 7);  // a repeated pick is appended again
    EXPECT_EQ(text("编辑框_百个两码"), "05,07,07,");
    window.selectItem("组合框_十个两码2", 18);
    EXPECT_EQ(text("编辑框_两码总积数和值"), "18,");
    window.click("按钮_两码和值");
    window.click("按钮_两码组合清空");
    window.click("按钮_合击清除");
    EXPECT_EQ(text("编辑框_百十和值") + text("编辑框_百个两码") + text("编辑框_两码总积数和值"), "");
    EXPECT_EQ(text("组合框_百十两码1"), "百十");
    EXPECT_EQ(text("组合框_百个两码"), "百个");
    EXPECT_EQ(text("组合框_十个两码2"), "和值");
}

TEST_F(PanelHelpers, HintLeavesOnFocusAndComesBackOnlyToAnEmptyBox) {
    window.focusIn("杀百位");
    EXPECT_EQ(text("杀百位"), "");
    window.focusOut("杀百位");
    EXPECT_EQ(text("杀百位"), kNumbersHint);
    window.focusIn("杀百位");
    set("杀百位", "123");
    window.focusOut("杀百位");
    EXPECT_EQ(text("杀百位"), "123");
    window.focusIn("杀百位");
    EXPECT_EQ(text("杀百位"), "123");

    std::string changed(kShapesHint);
    changed.back() = 'x';  // one character changed: user text
    set("杀大小单双", changed);
    window.focusIn("杀大小单双");
    EXPECT_EQ(text("杀大小单双"), changed);

    // Each box gets its own hint back.
    for (const auto& [box, hint] : {std::pair{"杀和值", kConditionsHint}, std::pair{"段组", kSegmentHint},
                                    std::pair{"杀大小单双", kShapesHint}, std::pair{"定胆码组", kNumbersHint}}) {
        set(box, "");
        window.focusOut(box);
        EXPECT_EQ(text(box), hint) << box;
    }
}

TEST_F(PanelHelpers, ListClearButtonsEmptyTheBoxWhileTheSegmentBoxGetsItsHint) {
    window.focusIn("杀和值");
    set("杀和值", "01 02");
    window.click("杀和值清");  // emptied even while it has the focus
    EXPECT_EQ(text("杀和值"), "");
    window.focusOut("杀和值");
    EXPECT_EQ(text("杀和值"), kConditionsHint);
    set("段组", "123-456-789");
    window.click("段组清");
    EXPECT_EQ(text("段组"), kSegmentHint);
}

}  // namespace
}  // namespace sanxing
