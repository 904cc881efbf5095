#include <QGridLayout>
#include <QWidget>

#include "gui/binding/control_widgets.h"
#include "gui/pages/layout_helpers.h"
#include "gui/pages/regions.h"

namespace sanxing {

namespace {

// A pair-sum digit panel: caption and ten digit boxes, then its 必出 boxes and clear button.
int AddSumDigitPanel(QGridLayout* grid, ControlWidgets& w, int row, const ctl::PairSumPanel& panel) {
    grid->addWidget(w.take(panel.label), row, 0);
    QHBoxLayout* digits = Row(w, NamesOf(panel.digits), 1);
    digits->addStretch(1);
    grid->addLayout(digits, row, 1);
    QHBoxLayout* counts = Row(w, NamesOf(panel.mustShow), 6);
    counts->addStretch(1);
    counts->addWidget(w.take(panel.clear));
    grid->addLayout(counts, row + 1, 1);
    return row + 2;
}

}  // namespace

void BuildCombinationPage(ControlWidgets& w) {
    QVBoxLayout* page = TightColumn(4);
    QGridLayout* panels = TightGrid();
    int row = 0;
    for (const ctl::PairSumPanel& panel : ctl::kPairSumPanels) row = AddSumDigitPanel(panels, w, row, panel);
    page->addLayout(panels);

    QHBoxLayout* junkHeader = Row(w, {"标签1", ctl::kJunkBaseCount}, 8);
    junkHeader->addStretch(1);
    junkHeader->addWidget(w.take(ctl::kJunkBaseClear));
    page->addLayout(junkHeader);
    page->addWidget(w.take(ctl::kJunkBase), 1);
    SetLayout(w.get("选择夹_组合"), page, 1);
}

}  // namespace sanxing
