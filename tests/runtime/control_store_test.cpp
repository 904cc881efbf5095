#include <gtest/gtest.h>

#include "runtime/control_store.h"

namespace sanxing {
namespace {

ControlRow Named(const char* name) {
    ControlRow spec;
    spec.name = name;
    return spec;
}

std::vector<ControlRow> SmallTable() {
    ControlRow combo;
    combo.name = "组合框_x";
    combo.kind = ControlKind::ComboBox;
    combo.text = "初始";
    combo.items = {"a", "b"};
    ControlRow box;
    box.name = "选择框_y";
    box.kind = ControlKind::CheckBox;
    box.ticked = true;
    ControlRow list;
    list.name = "列表框_z";
    list.kind = ControlKind::ReportList;
    return {combo, box, list};
}

TEST(ControlStore, UnknownNamesFailLoudly) {
    ControlStore store(SmallTable());
    EXPECT_FALSE(store.has("nope"));
    EXPECT_THROW(store.text("nope"), std::out_of_range);
    EXPECT_THROW(store.setTicked("nope", true), std::out_of_range);
    EXPECT_THROW(ControlStore({Named("a"), Named("a")}), std::logic_error);
}

TEST(ControlStore, ComboSelectionAndText) {
    ControlStore store(SmallTable());
    EXPECT_EQ(store.text("组合框_x"), "初始");
    EXPECT_EQ(store.selectedIndex("组合框_x"), -1);
    store.select("组合框_x", 1);
    EXPECT_EQ(store.selectedIndex("组合框_x"), 1);
    EXPECT_EQ(store.text("组合框_x"), "b");
    store.setText("组合框_x", "b");  // same as the selected item: still selected
    EXPECT_EQ(store.selectedIndex("组合框_x"), 1);
    store.setText("组合框_x", "typed");
    EXPECT_EQ(store.selectedIndex("组合框_x"), -1);
    store.select("组合框_x", 7);  // out of range: nothing selected, text kept
    EXPECT_EQ(store.selectedIndex("组合框_x"), -1);
    EXPECT_EQ(store.text("组合框_x"), "typed");
}

TEST(ControlStore, ReportRowsAndReset) {
    ControlStore store(SmallTable());
    store.insertRow("列表框_z", 0, {"1", "2"});
    store.insertRow("列表框_z", 0, {"0"});
    store.insertRow("列表框_z", 99, {"9"});
    store.setCell("列表框_z", 1, 2, "x");
    store.setCell("列表框_z", 5, 0, "ignored");
    EXPECT_EQ(store.rows("列表框_z"), (ReportRows{{"0"}, {"1", "2", "x"}, {"9"}}));
    store.setTicked("选择框_y", false);
    store.reset();
    EXPECT_TRUE(store.ticked("选择框_y"));
    EXPECT_TRUE(store.rows("列表框_z").empty());
}

TEST(ControlStore, ObserversHearChangesByIndex) {
    ControlStore store(SmallTable());
    std::vector<std::size_t> heard;
    const int id = store.addObserver([&](std::size_t index) { heard.push_back(index); });
    store.setTicked("选择框_y", false);
    store.setTicked("选择框_y", false);  // no change, no notice
    store.setText("组合框_x", "q");
    ControlStore copy = store;  // its changes are not the original's: its observers stay behind
    copy.setText("组合框_x", "copy");
    EXPECT_EQ(store.text("组合框_x"), "q");
    store.removeObserver(id);
    store.setText("组合框_x", "r");
    EXPECT_EQ(heard, (std::vector<std::size_t>{1, 0}));
}

}  // namespace
}  // namespace sanxing
