#include <QBoxLayout>
#include <QWidget>

#include "app/qt/binding/control_widgets.h"
#include "app/qt/pages/layout_helpers.h"
#include "app/qt/pages/regions.h"

namespace sanxing {

namespace {

// One exclusion list: the box over its tolerance combo, "容错" label and clear button.
QVBoxLayout* ExclusionList(ControlWidgets& w, const std::string& box, const std::string& combo) {
    QVBoxLayout* column = TightColumn();
    column->addWidget(w.take(box), 1);
    QHBoxLayout* controls = Row(w, {combo, "标签_" + box + "容错"});
    controls->addStretch(1);
    controls->addWidget(w.take(box + "清"));
    column->addLayout(controls);
    return column;
}

// Exclusion lists side by side inside a group box.
QWidget* ListGroup(ControlWidgets& w, const std::string& group,
                   const std::vector<std::pair<std::string, std::string>>& lists) {
    QWidget* box = w.take(group);
    QHBoxLayout* row = TightRow(6);
    for (const auto& [list, combo] : lists) row->addLayout(ExclusionList(w, list, combo), 1);
    SetLayout(box, row, 4);
    return box;
}

// The segment list has a second combo, the segment count range, captioned "段组".
QVBoxLayout* SegmentList(ControlWidgets& w) {
    QVBoxLayout* column = TightColumn();
    column->addWidget(w.take("段组"), 1);
    column->addLayout(LeftAligned(Row(w, {"标签_段组", "组合框_段组"})));
    QHBoxLayout* controls = Row(w, {"组合框_段组容错", "标签_段组容错"});
    controls->addStretch(1);
    controls->addWidget(w.take("段组清"));
    column->addLayout(controls);
    return column;
}

void BuildFirstPage(ControlWidgets& w) {
    QVBoxLayout* page = TightColumn(4);
    page->addWidget(w.take("标签_容错1提示"));
    page->addWidget(
        ListGroup(w, "分组框1",
                  {{"杀百位", "组合框_杀百容错"}, {"杀十位", "组合框_杀十容错"}, {"杀个位", "组合框_杀个容错"}}),
        1);
    page->addWidget(ListGroup(w, "分组框2",
                              {{"杀大小单双", "组合框_杀大小单双容错"},
                               {"杀定位", "组合框_杀定位容错"},
                               {"杀复式", "组合框_杀复式容错"}}),
                    1);
    SetLayout(w.get("选择夹_容错1"), page, 1);
}

void BuildSecondPage(ControlWidgets& w) {
    QVBoxLayout* page = TightColumn(4);
    page->addWidget(w.take("标签_容错2提示"));
    page->addWidget(ListGroup(w, "分组框3", {{"杀合尾", "组合框_杀合尾容错"}, {"杀跨度", "组合框_杀跨度容错"}}), 1);
    QWidget* segments = w.take("分组框4");
    QHBoxLayout* row = TightRow(6);
    row->addLayout(ExclusionList(w, "定胆码组", "组合框_胆码组容错"), 1);
    row->addLayout(SegmentList(w), 1);
    SetLayout(segments, row, 4);
    page->addWidget(segments, 1);
    SetLayout(w.get("选择夹_容错2"), page, 1);
}

void BuildThirdPage(ControlWidgets& w) {
    QHBoxLayout* page = TightRow(6);
    const char* const lists[][3] = {{"标签_杀三星和值", "杀和值", "组合框_杀和值容错"},
                                    {"标签_杀二码组合", "杀二码组合", "组合框_杀两码容错"}};
    for (const auto& [title, list, combo] : lists) {
        QVBoxLayout* column = TightColumn();
        column->addWidget(w.take(title));
        column->addLayout(ExclusionList(w, list, combo), 1);
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
