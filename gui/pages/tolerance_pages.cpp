#include <QBoxLayout>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <utility>

#include "gui/binding/control_widgets.h"
#include "gui/pages/layout_helpers.h"
#include "gui/pages/regions.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

// One exclusion list: the box over its tolerance combo, "容错" label and clear button.
QVBoxLayout* ExclusionList(ControlWidgets& w, const ctl::ExclusionListBoxes& list) {
    QVBoxLayout* column = TightColumn();
    column->addWidget(w.take(list.box), 1);
    QHBoxLayout* controls = Row(w, {list.toleranceCombo, list.label});
    controls->addStretch(1);
    controls->addWidget(w.take(list.clear));
    column->addLayout(controls);
    return column;
}

// Exclusion lists side by side inside a group box.
QWidget* ListGroup(ControlWidgets& w, const std::string& group,
                   std::initializer_list<std::reference_wrapper<const ctl::ExclusionListBoxes>> lists) {
    QWidget* box = w.take(group);
    QHBoxLayout* row = TightRow(6);
    for (const ctl::ExclusionListBoxes& list : lists) row->addLayout(ExclusionList(w, list), 1);
    SetLayout(box, row, 4);
    return box;
}

// The segment list has a second combo, the segment count range, captioned "段组".
QVBoxLayout* SegmentList(ControlWidgets& w) {
    QVBoxLayout* column = TightColumn();
    column->addWidget(w.take(ctl::kSegments), 1);
    column->addLayout(LeftAligned(Row(w, {"标签_段组", ctl::kSegmentRule})));
    QHBoxLayout* controls = Row(w, {ctl::kSegmentTolerance, "标签_段组容错"});
    controls->addStretch(1);
    controls->addWidget(w.take(ctl::kSegmentsClear));
    column->addLayout(controls);
    return column;
}

void BuildFirstPage(ControlWidgets& w) {
    QVBoxLayout* page = TightColumn(4);
    page->addWidget(w.take("标签_容错1提示"));
    page->addWidget(ListGroup(w, "分组框1", {ctl::kKillHundreds, ctl::kKillTens, ctl::kKillUnits}), 1);
    page->addWidget(ListGroup(w, "分组框2", {ctl::kKillShapes, ctl::kKillPositional, ctl::kKillCompound}), 1);
    SetLayout(w.get("选择夹_容错1"), page, 1);
}

void BuildSecondPage(ControlWidgets& w) {
    QVBoxLayout* page = TightColumn(4);
    page->addWidget(w.take("标签_容错2提示"));
    page->addWidget(ListGroup(w, "分组框3", {ctl::kKillSumTail, ctl::kKillSpan}), 1);
    QWidget* segments = w.take("分组框4");
    QHBoxLayout* row = TightRow(6);
    row->addLayout(ExclusionList(w, ctl::kBankerDigitGroups), 1);
    row->addLayout(SegmentList(w), 1);
    SetLayout(segments, row, 4);
    page->addWidget(segments, 1);
    SetLayout(w.get("选择夹_容错2"), page, 1);
}

void BuildThirdPage(ControlWidgets& w) {
    QHBoxLayout* page = TightRow(6);
    const std::pair<const char*, const ctl::ExclusionListBoxes&> lists[] = {
        {"标签_杀三星和值", ctl::kKillSum}, {"标签_杀二码组合", ctl::kKillPairCombinations}};
    for (const auto& [title, list] : lists) {
        QVBoxLayout* column = TightColumn();
        column->addWidget(w.take(title));
        column->addLayout(ExclusionList(w, list), 1);
        page->addLayout(column, 1);
    }
    SetLayout(w.get("选择夹_容错3"), page, 1);
}

}  // namespace

void BuildTolerancePages(ControlWidgets& w) {
    BuildFirstPage(w);
    BuildSecondPage(w);
    BuildThirdPage(w);
}

}  // namespace sanxing
