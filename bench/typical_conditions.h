#pragma once
// Conditions that make every one of the 54 condition groups active, shared by the
// benchmarks of the shrink run and of the back-test.

#include <string>

#include "runtime/control_store.h"
#include "shrink/exclusion_lists.h"

namespace sanxing {

// Typical conditions that make every one of the 54 groups active.
inline void SetTypicalConditions(ControlStore& store) {
    // Check-box rows that start ticked: one box unticked each (rows 1-4, 8-16).
    for (const char* box : {"选择框_百位7", "选择框_十位3", "选择框_个位0", "选择框_豹子", "选择框_三星路000",
                            "选择框_合尾0", "选择框_跨度0", "选择框_合值00", "选择框_两码00", "选择框_单单单",
                            "选择框_大大大", "选择框_定合变0", "选择框_定合积0"}) {
        store.setTicked(box, false);
    }
    // Banker groups 1-3 (rows 5-7): two bankers, one or two of them must show.
    for (const char* group : {"1", "2", "3"}) {
        const std::string g = group;
        store.setTicked("选择框_胆" + g + "码" + g, true);
        store.setTicked("选择框_胆" + g + "码8", true);
        store.setTicked("选择框_胆" + g + "出1", true);
        store.setTicked("选择框_胆" + g + "出2", true);
    }
    // Junk compound and pair boxes (rows 17-35).
    store.setText("垃圾复试_百位", "01");
    store.setText("垃圾复试_十位", "23");
    store.setText("垃圾复试_个位", "45");
    for (const char* pair : {"百十", "百个", "十个"}) {
        const std::string p = pair;
        store.setText("编辑框_" + p + "和值", ",05,,12,");
        store.setText("编辑框_" + p + "两码", "35,72,");
        store.setText("编辑框_" + p + "跨度", "0 9");
        store.setText("编辑框_" + p + "合尾", "3");
    }
    for (const char* total : {"两码总跨度", "两码总合尾", "两码总积数"})
        store.setText(std::string("编辑框_") + total, "0");
    for (const char* total : {"两码总跨度和值", "两码总合尾和值", "两码总积数和值"}) {
        store.setText(std::string("编辑框_") + total, "04,10,");
    }
    // Pair bankers and two-pair sums (rows 36-41).
    for (const char* pair : {"百十", "百个", "十个"}) {
        store.setTicked(std::string("选择框_") + pair + "1", true);
        store.setTicked(std::string("选择框_") + pair + "2", true);
        store.select(std::string("组合框_") + pair + "胆", 1);
    }
    for (const char* panel : {"百十与百个合", "百十与十个合", "百个与十个合"}) {
        store.setTicked(std::string("选择框_") + panel + "0", true);
        store.setTicked(std::string("选择框_") + panel + "出0个", true);
        store.setTicked(std::string("选择框_") + panel + "出1个", true);
    }
    store.setText("编辑框_垃圾大底", "123 456 789 000 ");
    // Exclusion lists and segment groups (rows 43-54): a few lines each.
    store.setText("杀百位", "0\r\n9");
    store.setText("杀十位", "5\r\n6");
    store.setText("杀个位", "4\r\n7");
    store.setText("杀定位", "1\r\n2\r\n3");
    store.setText("杀复式", "123\r\n456\r\n789");
    store.setText("杀大小单双", "单单单\r\n双双双\r\n大大大\r\n小小小");
    store.setText("杀合尾", "0\r\n5");
    store.setText("杀跨度", "0\r\n9");
    store.setText("定胆码组", "0123\r\n4567\r\n89");
    store.setText("杀和值", "01 02 03\r\n25 26 27");
    store.setText("杀二码组合", "01 02\r\n89 99");
    store.setText("段组", "123-456-789\r\n147-258-369=0-1");
    for (const ExclusionList& list : ExclusionLists()) store.setText(list.toleranceCombo, "0-1");
    store.select("组合框_容错", 2);  // 0-2
}

}  // namespace sanxing
