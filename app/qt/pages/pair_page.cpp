#include <QGridLayout>
#include <QLabel>
#include <QWidget>

#include "app/qt/binding/control_widgets.h"
#include "app/qt/pages/layout_helpers.h"
#include "app/qt/pages/regions.h"

namespace sanxing {

namespace {

const char* const kPairs[] = {"百十", "百个", "十个"};

// Pair sums on the left, pair combinations on the right, each box with its picker.
QGridLayout* PairSumsAndCombinations(ControlWidgets& w) {
    QGridLayout* grid = TightGrid();
    for (int i = 0; i < 3; ++i) {
        const std::string p = kPairs[i];
        const Names cells = {"标签_" + p + "和值", "编辑框_" + p + "和值", "组合框_" + p + "两码1",
                             "标签_" + p + "组合", "编辑框_" + p + "两码", "组合框_" + p + "两码"};
        AddToGrid(grid, w, cells, 6, i);
    }
    grid->addWidget(w.take("按钮_两码和值"), 3, 0, 1, 3, Qt::AlignRight);
    grid->addWidget(w.take("按钮_两码组合清空"), 3, 3, 1, 3, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    return grid;
}

// The six pair totals: caption, box, then (for the three sums) the picker, and the rule.
QGridLayout* PairTotals(ControlWidgets& w) {
    const char* const totals[] = {"两码总跨度",     "两码总合尾",     "两码总积数",
                                  "两码总跨度和值", "两码总合尾和值", "两码总积数和值"};
    QGridLayout* grid = TightGrid();
    for (int i = 0; i < 6; ++i) {
        const std::string total = totals[i];
        grid->addWidget(w.take("标签_" + total), i, 0);
        QWidget* box = w.take("编辑框_" + total);
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00,00,00")));
        grid->addWidget(box, i, 1);
        QHBoxLayout* tail = TightRow();
        if (i >= 3) tail->addWidget(w.take("组合框_" + std::string(kPairs[i - 3]) + "两码2"));
        auto* rule = qobject_cast<QLabel*>(w.take("标签_" + total + "说明"));
        tail->addWidget(rule, 1);
        if (i == 5) {
            // The longest rule shares its row with the picker and the button: two lines.
            rule->setWordWrap(true);
            rule->setMinimumHeight(2 * rule->fontMetrics().lineSpacing());
            tail->addWidget(w.take("按钮_合击清除"), 0, Qt::AlignBottom);
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
    grid->addWidget(w.take("按钮_两码清除"), 1, 0);
    int row = 0;
    for (const char* kind : {"跨度", "合尾"}) {
        int column = 1;
        for (const char* pair : kPairs) {
            const std::string name = std::string(pair) + kind;
            grid->addWidget(w.take("标签_" + name), row, column++);
            grid->setColumnStretch(column, 1);
            grid->addWidget(w.take("编辑框_" + name), row, column++);
        }
        ++row;
    }
    return grid;
}

// Pair banker digits: caption and ten boxes, then the count combo and clear button.
QGridLayout* PairBankers(ControlWidgets& w) {
    QGridLayout* grid = TightGrid();
    int row = 0;
    for (const char* pair : kPairs) {
        const std::string p = pair;
        grid->addWidget(w.take("标签_" + p + "胆码"), row, 0);
        QHBoxLayout* digits = Row(w, DigitNames("选择框_" + p), 1);
        digits->addStretch(1);
        grid->addLayout(digits, row++, 1);
        grid->addLayout(LeftAligned(Row(w, {"组合框_" + p + "胆", "按钮_" + p + "胆清"})), row++, 1);
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
