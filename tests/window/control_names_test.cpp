#include "window/control_names.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <string>

#include "runtime/control_store.h"
#include "window/control_table.h"
#include "window/hint_boxes.h"
#include "window/panel_captions.h"

namespace sanxing {
namespace {

// Every name the catalogue spells is a control of the table, except that the selectors'
// 全部 actions are named after their selector. The header is read as text, so constants
// that the table does not use are checked too.
TEST(ControlNames, EveryCatalogueNameIsAControl) {
    std::ifstream header(SANXING_CONTROL_NAMES_HEADER);
    ASSERT_TRUE(header) << SANXING_CONTROL_NAMES_HEADER;
    std::string source;
    for (std::string line; std::getline(header, line);) {
        if (!line.starts_with("//")) source += line + '\n';
    }
    const ControlStore controls{ControlTable()};
    const std::regex literal("\"([^\"]+)\"");
    int names = 0;
    for (auto it = std::sregex_iterator(source.begin(), source.end(), literal); it != std::sregex_iterator(); ++it) {
        const std::string name = (*it)[1];
        if (name.starts_with("a road")) continue;  // RoadBox's message
        ++names;
        if (name.ends_with("/全部")) {
            EXPECT_TRUE(controls.has(name.substr(0, name.size() - std::string_view("/全部").size()))) << name;
        } else {
            EXPECT_TRUE(controls.has(name)) << name;
        }
    }
    EXPECT_GT(names, 300);
    static_assert(ctl::RoadBox(1, 2, 0) == "选择框_三星路120");
}

TEST(ControlNames, HintBoxesHoldTheirHintsAtStart) {
    const ControlStore controls{ControlTable()};
    for (const HintBox& box : kHintBoxes) EXPECT_EQ(controls.text(box.box), box.hint) << box.box;
    EXPECT_TRUE(HintFor(ctl::kResult).empty());
}

TEST(ControlNames, PanelCaptionsAreLabelsWithATooltip) {
    const ControlStore controls{ControlTable()};
    for (const PanelCaption& caption : kPanelCaptions) {
        ASSERT_TRUE(controls.has(caption.label)) << caption.label;
        EXPECT_EQ(controls.spec(caption.label).kind, ControlKind::Label) << caption.label;
        EXPECT_NE(std::string_view(caption.hint), "") << caption.label;
    }
}

}  // namespace
}  // namespace sanxing
