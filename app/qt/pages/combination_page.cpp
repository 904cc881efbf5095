#include <QGridLayout>
#include <QWidget>

#include "app/qt/binding/control_widgets.h"
#include "app/qt/pages/layout_helpers.h"
#include "app/qt/pages/regions.h"

namespace sanxing {

namespace {

// A pair-sum digit panel: caption and ten digit boxes, then its 必出 boxes and clear button.
int AddSumDigitPanel(QGridLayout* grid, ControlWidgets& w, int row, const std::string& panel,
                     const std::string& button) {
    const std::string prefix = "选择框_" + panel;
    grid->addWidget(w.take("标签_" + panel), row, 0);
    QHBoxLayout* digits = Row(w, DigitNames(prefix), 1);
    digits->addStretch(1);
    grid->addLayout(digits, row, 1);
    QHBoxLayout* counts = Row(w, {prefix + "出0个", prefix + "出1个", prefix + "出2个"}, 6);
    counts->addStretch(1);
    counts->addWidget(w.take(button));
    grid->addLayout(counts, row + 1, 1);
    return row + 2;
}

}  // namespace

void BuildCombinationPage(ControlWidgets& w) {
    QVBoxLayout* page = TightColumn(4);
    QGridLayout* panels = TightGrid();
    int row = 0;
    row = AddSumDigitPanel(panels, w, row, "百十与百个合", "按钮_百十百个清");
    row = AddSumDigitPanel(panels, w, row, "百十与十个合", "按钮_百十十个清");
    AddSumDigitPanel(panels, w, row, "百个与十个合", "按钮_百个十个清");
    page->addLayout(panels);

    QHBoxLayout* junkHeader = Row(w, {"标签1", "标签2"}, 8);
    junkHeader->addStretch(1);
    junkHeader->addWidget(w.take("按钮_清垃圾大底"));
    page->addLayout(junkHeader);
    page->addWidget(w.take("编辑框_垃圾大底"), 1);
    SetLayout(w.get("选择夹_组合"), page, 1);
}

}  // namespace sanxing
