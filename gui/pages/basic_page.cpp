#include <QGridLayout>
#include <QWidget>

#include "gui/binding/control_widgets.h"
#include "gui/pages/layout_helpers.h"
#include "gui/pages/regions.h"

namespace sanxing {

namespace {

// Columns of the page grid: the row caption, the ten digit boxes, the selector or button.
constexpr int kCaption = 0;
constexpr int kFirstDigit = 1;
constexpr int kTrailing = 11;
constexpr int kAllColumns = 12;

void AddDigitRow(QGridLayout* grid, ControlWidgets& w, int row, std::string_view caption, const ctl::DigitBoxes& digits,
                 std::string_view trailing) {
    grid->addWidget(w.take(caption), row, kCaption);
    AddToGrid(grid, w, NamesOf(digits), 10, row, kFirstDigit);
    grid->addWidget(w.take(trailing), row, kTrailing, Qt::AlignLeft);
}

// A banker group: its digits and selector, then its count boxes and buttons.
int AddBankerGroup(QGridLayout* grid, ControlWidgets& w, int row, const ctl::BankerGroup& group) {
    AddDigitRow(grid, w, row, group.label, group.digits, group.selector);
    QHBoxLayout* counts = TightRow(1);
    for (ctl::Name count : group.counts) counts->addWidget(w.take(count));
    counts->addWidget(w.take(group.countNote));
    counts->addStretch(1);
    AddWidgets(counts, w, {group.clear, group.invert});
    grid->addLayout(counts, row + 1, kFirstDigit, 1, kAllColumns - kFirstDigit);
    return row + 2;
}

// The 27 road patterns, seven to a row, with the clear button after the last.
int AddRoads(QGridLayout* grid, ControlWidgets& w, int row) {
    grid->addWidget(w.take("标签_012路"), row, kCaption);
    QGridLayout* roads = TightGrid();
    const Names names = NamesOf(ctl::kRoadBoxes);
    constexpr int kPerRow = 7;
    AddToGrid(roads, w, names, kPerRow);
    const int lastRow = static_cast<int>(names.size() - 1) / kPerRow;
    roads->addWidget(w.take(ctl::kRoadsClear), lastRow, static_cast<int>(names.size()) % kPerRow, 1, -1,
                     Qt::AlignRight);
    grid->addLayout(roads, row, kFirstDigit, lastRow + 1, kAllColumns - kFirstDigit);
    return row + lastRow + 1;
}

}  // namespace

void BuildBasicPage(ControlWidgets& w) {
    QGridLayout* grid = TightGrid();
    int row = 0;
    for (const ctl::PositionPanel& panel : ctl::kPositionPanels) {
        AddDigitRow(grid, w, row++, panel.label, panel.digits, panel.selector);
    }

    grid->addWidget(w.take("标签_条件"), row, kCaption);
    QHBoxLayout* shapes =
        Row(w, {ctl::kTriple, ctl::kGroupThree, ctl::kGroupSix, ctl::kForwardSequence, ctl::kReverseSequence}, 6);
    shapes->addStretch(1);
    shapes->addWidget(w.take(ctl::kShapesClear));
    grid->addLayout(shapes, row++, kFirstDigit, 1, kAllColumns - kFirstDigit);

    for (const ctl::BankerGroup& group : ctl::kBankerGroups) row = AddBankerGroup(grid, w, row, group);
    row = AddRoads(grid, w, row);
    AddDigitRow(grid, w, row++, "标签_跨度", ctl::kSpanDigits, ctl::kSpanClear);
    AddDigitRow(grid, w, row++, "标签_合尾", ctl::kSumTailDigits, ctl::kSumTailClear);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(kAllColumns, 1);  // a wider page keeps the panels together on the left
    SetLayout(w.get("选择夹_基本"), grid, 1);
}

}  // namespace sanxing
