#include <gtest/gtest.h>

#include "numbers/set_text.h"
#include "tools_fixture.h"

namespace sanxing {
namespace {

using SetOperations = ToolsTest;

TEST_F(SetOperations, LeavingTheBaseRewritesIt) {
    set("编辑框_大底", "999,001\r\n001");
    window.focusOut("编辑框_大底");
    EXPECT_EQ(text("编辑框_大底"), "001 999 ");
    EXPECT_EQ(text("大底注数"), "2注");
    set("编辑框_大底", "12345");
    window.focusOut("编辑框_大底");
    EXPECT_EQ(text("编辑框_大底"), "123 234 345 ");
    set("编辑框_大底", "1 2 3");
    window.focusOut("编辑框_大底");
    EXPECT_EQ(text("编辑框_大底"), "");
    EXPECT_EQ(text("大底注数"), "0注");
}

TEST_F(SetOperations, LeavingAnEmptyBoxChangesNothing) {
    window.focusOut("编辑框_大底");
    EXPECT_EQ(text("大底注数"), "大底内容");
    set("标签2", "7注");
    window.focusOut("编辑框_垃圾大底");
    EXPECT_EQ(text("标签2"), "7注");
}

TEST_F(SetOperations, LeavingTheJunkBaseRewritesIt) {
    set("编辑框_垃圾大底", "555 555 x 0123");
    window.focusOut("编辑框_垃圾大底");
    EXPECT_EQ(text("编辑框_垃圾大底"), "012 123 555 ");
    EXPECT_EQ(text("标签2"), "3注");
}

TEST_F(SetOperations, ComplementOfTheBase) {
    set("编辑框_大底", "5 12");
    window.click("大底_反集");
    EXPECT_EQ(text("编辑框_大底"), std::string(UniverseText()) + " ");
    EXPECT_EQ(text("大底注数"), "1000注");
    window.click("大底_反集");  // the tick state is not read: unticking complements again
    EXPECT_EQ(text("编辑框_大底"), "");
    EXPECT_EQ(text("大底注数"), "0注");
    set("编辑框_大底", "1234");
    window.click("大底_反集");
    EXPECT_EQ(CountSetText(text("编辑框_大底")), 998u);
    EXPECT_EQ(text("编辑框_大底").find("123 "), std::string::npos);
    EXPECT_EQ(text("编辑框_大底").find("234 "), std::string::npos);
}

TEST_F(SetOperations, ComplementOfTheResult) {
    window.click("选择框_反集");
    EXPECT_EQ(text("标签_缩水结果"), "1000注");
    set("编辑框_结果", std::string(UniverseText()).substr(4));  // all but 000
    window.click("选择框_反集");
    EXPECT_EQ(text("编辑框_结果"), "000 ");
    EXPECT_EQ(text("标签_缩水结果"), "1注");
}

TEST_F(SetOperations, UnionAndIntersectionInUniverseOrder) {
    set("编辑框_A", "456 123 456");
    set("编辑框_B", "4567,999");
    window.click("AB合并");
    EXPECT_EQ(text("编辑框_结果"), "123 456 567 999 ");
    EXPECT_EQ(text("标签_缩水结果"), "4注！");
    set("编辑框_A", "123 456");
    window.click("AB交集");
    EXPECT_EQ(text("编辑框_结果"), "456 ");
    EXPECT_EQ(text("标签_缩水结果"), "1注！");
}

TEST_F(SetOperations, UnionAndIntersectionNeedBothBoxes) {
    set("编辑框_结果", "old");
    set("标签_缩水结果", "old caption");
    set("编辑框_A", "001 002");
    window.click("AB合并");
    window.click("AB交集");
    EXPECT_EQ(text("编辑框_结果"), "old");
    EXPECT_EQ(text("标签_缩水结果"), "old caption");
}

TEST_F(SetOperations, DifferencesKeepOrderRepeatsAndOddTokens) {
    set("编辑框_A", "003 001 003");
    set("编辑框_B", "001");
    window.click("A排除B");
    EXPECT_EQ(text("编辑框_结果"), "003 003 ");
    EXPECT_EQ(text("标签_缩水结果"), "2注！");
    // Odd tokens are kept unless the other box holds them as a substring; empty tokens
    // (doubled spaces) never pass.
    set("编辑框_A", "12  x 1234 456 ab");
    set("编辑框_B", "01234 y");
    window.click("A排除B");
    EXPECT_EQ(text("编辑框_结果"), "x 456 ab ");
    EXPECT_EQ(text("标签_缩水结果"), "3注！");
    window.click("B排除A");  // "01234" is not in A; "y" neither
    EXPECT_EQ(text("编辑框_结果"), "01234 y ");
}

TEST_F(SetOperations, DifferenceWithAnEmptyBoxOnlyZeroesTheCaption) {
    set("编辑框_结果", "kept");
    set("编辑框_A", "001 002");
    window.click("A排除B");
    EXPECT_EQ(text("编辑框_结果"), "kept");
    EXPECT_EQ(text("标签_缩水结果"), "0注！");
    window.click("B排除A");
    EXPECT_EQ(text("编辑框_结果"), "kept");
}

TEST_F(SetOperations, MoveResultToBaseAndClearAB) {
    set("编辑框_结果", "456 123 ");
    window.click("到大底框");
    EXPECT_EQ(text("编辑框_大底"), "123 456 ");
    EXPECT_EQ(text("大底注数"), "2注");
    set("编辑框_结果", "");
    window.click("到大底框");
    EXPECT_EQ(text("编辑框_大底"), "");
    EXPECT_EQ(text("大底注数"), "2注");  // the rewrite of an empty base stops before the caption
    set("编辑框_A", "1");
    set("编辑框_B", "2");
    window.click("AB全清");
    EXPECT_EQ(text("编辑框_A"), "");
    EXPECT_EQ(text("编辑框_B"), "");
}

}  // namespace
}  // namespace sanxing
