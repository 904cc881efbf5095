#include <QGridLayout>
#include <QLabel>
#include <QWidget>
#include <utility>

#include "gui/binding/control_widgets.h"
#include "gui/pages/layout_helpers.h"
#include "gui/pages/regions.h"

namespace sanxing {

namespace {

// Pair sums on the left, pair combinations on the right, each box with its picker.
QGridLayout* PairSumsAndCombinations(ControlWidgets& w) {
    QGridLayout* grid = TightGrid();
    for (int i = 0; i < 3; ++i) {
        const ctl::PairPanel& p = ctl::kPairPanels[static_cast<std::size_t>(i)];
        AddToGrid(grid, w, {p.sumLabel, p.sumBox, p.sumPicker, p.codeLabel, p.codeBox, p.codePicker}, 6, i);
    }
    grid->addWidget(w.take(ctl::kPairSumsClear), 3, 0, 1, 3, Qt::AlignRight);
    grid->addWidget(w.take(ctl::kPairCodesBoxesClear), 3, 3, 1, 3, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    return grid;
}

// The six pair totals: caption, box, then (for the three sums) the picker, and the rule.
QGridLayout* PairTotals(ControlWidgets& w) {
    const ctl::Name totals[] = {ctl::kPairSpanTotal,    ctl::kPairSumTailTotal,    ctl::kPairProductTotal,
                                ctl::kPairSpanTotalSum, ctl::kPairSumTailTotalSum, ctl::kPairProductTotalSum};
    QGridLayout* grid = TightGrid();
    for (int i = 0; i < 6; ++i) {
        // A total's labels are named after its box without "编辑框_".
        const std::string total(totals[i].substr(std::string_view("编辑框_").size()));
        grid->addWidget(w.take("标签_" + total), i, 0);
        QWidget* box = w.take(totals[i]);
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00,00,00")));
        grid->addWidget(box, i, 1);
        QHBoxLayout* tail = TightRow();
        if (i >= 3) tail->addWidget(w.take(ctl::kPairPanels[static_cast<std::size_t>(i - 3)].totalPicker));
        auto* rule = qobject_cast<QLabel*>(w.take("标签_" + total + "说明"));
        tail->addWidget(rule, 1);
        if (i == 5) {
            // The longest rule shares its row with the picker and the button: two lines.
            rule->setWordWrap(true);
            rule->setMinimumHeight(2 * rule->fontMetrics().lineSpacing());
            tail->addWidget(w.take(ctl::kPairTotalsClear), 0, Qt::AlignBottom);
        }
        grid->addLayout(tail, i, 2);
    }
    grid->setColumnStretch(1, 1);
    return grid;
}

// Pair spans over pair sum tails, the caption and clear button on the left.
QGridLayout* PairSpansAndTails(ControlWidgets& w) {
    QGridLayout* grid = TightGrid();
    grid->addWidget(w.take("标签_杀两码"), 0, 0);
    grid->addWidget(w.take(ctl::kPairKillClear), 1, 0);
    int row = 0;
    for (auto [label, box] : {std::pair{&ctl::PairPanel::spanLabel, &ctl::PairPanel::spanBox},
                              std::pair{&ctl::PairPanel::tailLabel, &ctl::PairPanel::tailBox}}) {
        int column = 1;
        for (const ctl::PairPanel& pair : ctl::kPairPanels) {
            grid->addWidget(w.take(pair.*label), row, column++);
            grid->setColumnStretch(column, 1);
            grid->addWidget(w.take(pair.*box), row, column++);
        }
        ++row;
    }
    return grid;
}

// Pair banker digits: caption and ten boxes, then the count combo and clear button.
QGridLayout* PairBankers(ControlWidgets& w) {
    QGridLayout* grid = TightGrid();
    int row = 0;
    for (const ctl::PairPanel& pair : ctl::kPairPanels) {
        grid->addWidget(w.take(pair.bankerLabel), row, 0);
        QHBoxLayout* digits = Row(w, NamesOf(pair.bankers), 1);
        digits->addStretch(1);
        grid->addLayout(digits, row++, 1);
        grid->addLayout(LeftAligned(Row(w, {pair.bankerRule, pair.bankerClear})), row++, 1);
    }
    return grid;
}

}  // namespace

void BuildPairPage(ControlWidgets& w) {
    QVBoxLayout* page = TightColumn(4);
    page->addLayout(PairSumsAndCombinations(w));
    page->addLayout(PairTotals(w));
    page->addLayout(PairSpansAndTails(w));
    page->addLayout(PairBankers(w));
    page->addStretch(1);
    SetLayout(w.get("选择夹_两码"), page, 1);
}

}  // namespace sanxing
