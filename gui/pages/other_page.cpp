#include <QGridLayout>
#include <QWidget>
#include <array>

#include "gui/binding/control_widgets.h"
#include "gui/pages/layout_helpers.h"
#include "gui/pages/regions.h"

namespace sanxing {

namespace {

// A caption column on the left; every section fills the columns after it.
constexpr int kCaption = 0;
constexpr int kContent = 1;

// Boxes in rows of `perRow` with the clear button after the last box.
QGridLayout* BoxesWithButton(ControlWidgets& w, const Names& boxes, int perRow, std::string_view button) {
    QGridLayout* grid = TightGrid(1);
    AddToGrid(grid, w, boxes, perRow);
    const int count = static_cast<int>(boxes.size());
    const int lastRow = (count - 1) / perRow;
    const int next = count % perRow;
    if (next == 0) {
        grid->addWidget(w.take(button), lastRow + 1, 0, 1, perRow, Qt::AlignLeft);
    } else {
        grid->addWidget(w.take(button), lastRow, next, 1, perRow - next, Qt::AlignRight);
    }
    return grid;
}

// A pattern panel's boxes as the page shows them: from the last key to the first.
Names FromLastKey(const std::array<ctl::Name, 8>& boxes) { return Names(boxes.rbegin(), boxes.rend()); }

// Ten digit boxes and their clear button, the selector that goes with them underneath.
int AddDigitPanel(QGridLayout* grid, ControlWidgets& w, int row, std::string_view caption, const ctl::DigitBoxes& boxes,
                  std::string_view combo, std::string_view button) {
    grid->addWidget(w.take(caption), row, kCaption);
    QHBoxLayout* digits = Row(w, NamesOf(boxes), 1);
    digits->addStretch(1);
    digits->addWidget(w.take(button));
    grid->addLayout(digits, row, kContent);
    grid->addLayout(LeftAligned(Row(w, {combo})), row + 1, kContent);
    return row + 2;
}

}  // namespace

void BuildOtherPage(ControlWidgets& w) {
    QGridLayout* grid = TightGrid();
    int row = 0;
    grid->addWidget(w.take("标签_和值"), row, kCaption, Qt::AlignTop);
    grid->addLayout(BoxesWithButton(w, NamesOf(ctl::kSumBoxes), 10, ctl::kSumsClear), row++, kContent);
    grid->addWidget(w.take("标签_二码"), row, kCaption, Qt::AlignTop);
    grid->addLayout(BoxesWithButton(w, NamesOf(ctl::kPairCodeBoxes), 10, ctl::kPairCodesClear), row++, kContent);

    QGridLayout* shapes = TightGrid(1);
    AddToGrid(shapes, w, FromLastKey(ctl::kBigSmallBoxes), 4);
    shapes->addWidget(w.take(ctl::kBigSmallClear), 1, 4);
    AddToGrid(shapes, w, FromLastKey(ctl::kOddEvenBoxes), 4, 2);
    shapes->addWidget(w.take(ctl::kOddEvenClear), 3, 4);
    shapes->setColumnStretch(5, 1);
    grid->addLayout(shapes, row++, kContent);

    row = AddDigitPanel(grid, w, row, "标签_杀合积", ctl::kFixedSumProductDigits, ctl::kFixedSumProductSelector,
                        ctl::kFixedSumProductClear);
    row = AddDigitPanel(grid, w, row, "标签_杀合变", ctl::kFixedSumChangeDigits, ctl::kFixedSumChangeSelector,
                        ctl::kFixedSumChangeClear);

    // The junk compound row is wider than the caption column allows; it spans the page.
    QHBoxLayout* junk = Row(w, {"标签_垃圾复试"});
    const char* const labels[] = {"标签_垃圾复试_百位", "标签_垃圾复试_十位", "标签_垃圾复试_个位"};
    for (std::size_t i = 0; i < ctl::kJunkCompoundBoxes.size(); ++i) {
        junk->addSpacing(4);
        junk->addWidget(w.take(labels[i]));
        junk->addWidget(w.take(ctl::kJunkCompoundBoxes[i]), 1);
    }
    junk->addSpacing(4);
    junk->addWidget(w.take(ctl::kJunkCompoundClear));
    grid->addLayout(junk, row++, kCaption, 1, 3);

    grid->setRowStretch(row, 1);
    grid->setColumnStretch(kContent + 1, 1);  // a wider page keeps the panels together on the left
    SetLayout(w.get("选择夹_其他"), grid, 1);
}

}  // namespace sanxing
