#include <QGridLayout>
#include <QWidget>

#include "app/qt/binding/control_widgets.h"
#include "app/qt/pages/layout_helpers.h"
#include "app/qt/pages/regions.h"

namespace sanxing {

namespace {

// A caption column on the left; every section fills the columns after it.
constexpr int kCaption = 0;
constexpr int kContent = 1;

// Boxes in rows of `perRow` with the clear button after the last box.
QGridLayout* BoxesWithButton(ControlWidgets& w, const Names& boxes, int perRow, const std::string& button) {
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

Names Prefixed(const std::string& prefix, const Names& tails) {
    Names names;
    for (const std::string& tail : tails) names.push_back(prefix + tail);
    return names;
}

Names Numbered(const std::string& prefix, int first, int last) {
    Names names;
    for (int i = first; i <= last; ++i) names.push_back(prefix + (i < 10 ? "0" : "") + std::to_string(i));
    return names;
}

Names PairBoxes() {
    Names names;
    for (int a = 0; a <= 9; ++a)
        for (int b = a; b <= 9; ++b) names.push_back("选择框_两码" + std::to_string(a) + std::to_string(b));
    return names;
}

// Ten digit boxes and their clear button, the selector that goes with them underneath.
int AddDigitPanel(QGridLayout* grid, ControlWidgets& w, int row, const std::string& caption, const std::string& prefix,
                  const std::string& combo, const std::string& button) {
    grid->addWidget(w.take(caption), row, kCaption);
    QHBoxLayout* digits = Row(w, DigitNames(prefix), 1);
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
    grid->addLayout(BoxesWithButton(w, Numbered("选择框_合值", 0, 27), 10, "按钮_合值清除"), row++, kContent);
    grid->addWidget(w.take("标签_二码"), row, kCaption, Qt::AlignTop);
    grid->addLayout(BoxesWithButton(w, PairBoxes(), 10, "按钮_两码清"), row++, kContent);

    const Names bigSmall =
        Prefixed("选择框_", {"大大大", "大大小", "大小大", "大小小", "小大大", "小大小", "小小大", "小小小"});
    const Names oddEven =
        Prefixed("选择框_", {"单单单", "单单双", "单双单", "单双双", "双单单", "双单双", "双双单", "双双双"});
    QGridLayout* shapes = TightGrid(1);
    AddToGrid(shapes, w, bigSmall, 4);
    shapes->addWidget(w.take("按钮_大小清除"), 1, 4);
    AddToGrid(shapes, w, oddEven, 4, 2);
    shapes->addWidget(w.take("按钮_单双清除"), 3, 4);
    shapes->setColumnStretch(5, 1);
    grid->addLayout(shapes, row++, kContent);

    row = AddDigitPanel(grid, w, row, "标签_杀合积", "选择框_定合积", "组合框_定合变2", "按钮_合积清");
    row = AddDigitPanel(grid, w, row, "标签_杀合变", "选择框_定合变", "组合框_定合变", "按钮_合变清");

    // The junk compound row is wider than the caption column allows; it spans the page.
    QHBoxLayout* junk = Row(w, {"标签_垃圾复试"});
    for (const char* position : {"百位", "十位", "个位"}) {
        const std::string p = position;
        junk->addSpacing(4);
        junk->addWidget(w.take("标签_垃圾复试_" + p));
        junk->addWidget(w.take("垃圾复试_" + p), 1);
    }
    junk->addSpacing(4);
    junk->addWidget(w.take("三复式清"));
    grid->addLayout(junk, row++, kCaption, 1, 3);

    grid->setRowStretch(row, 1);
    grid->setColumnStretch(kContent + 1, 1);  // a wider page keeps the panels together on the left
    SetLayout(w.get("选择夹_其他"), grid, 1);
}

}  // namespace sanxing
