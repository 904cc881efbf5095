#include <QGridLayout>
#include <QWidget>

#include "app/qt/binding/control_widgets.h"
#include "app/qt/pages/layout_helpers.h"
#include "app/qt/pages/regions.h"

namespace sanxing {

namespace {

// Columns of the page grid: the row caption, the ten digit boxes, the selector or button.
constexpr int kCaption = 0;
constexpr int kFirstDigit = 1;
constexpr int kTrailing = 11;
constexpr int kAllColumns = 12;

void AddDigitRow(QGridLayout* grid, ControlWidgets& w, int row, const std::string& caption, const std::string& prefix,
                 const std::string& trailing) {
    grid->addWidget(w.take(caption), row, kCaption);
    AddToGrid(grid, w, DigitNames(prefix), 10, row, kFirstDigit);
    grid->addWidget(w.take(trailing), row, kTrailing, Qt::AlignLeft);
}

// A banker group: its digits and selector, then its count boxes and buttons.
int AddBankerGroup(QGridLayout* grid, ControlWidgets& w, int row, int group) {
    const std::string n = std::to_string(group);
    AddDigitRow(grid, w, row, "标签_胆码" + n, "选择框_胆" + n + "码", "组合框_胆码" + n);
    QHBoxLayout* counts = TightRow(1);
    for (int c = 0; c <= 3; ++c) counts->addWidget(w.take("选择框_胆" + n + "出" + std::to_string(c)));
    counts->addWidget(w.take("标签_组三算2胆" + n));
    counts->addStretch(1);
    AddWidgets(counts, w, {"按钮_胆码清空" + n, "按钮_胆" + n + "反选"});
    grid->addLayout(counts, row + 1, kFirstDigit, 1, kAllColumns - kFirstDigit);
    return row + 2;
}

// The 27 road patterns, seven to a row, with the clear button after the last.
int AddRoads(QGridLayout* grid, ControlWidgets& w, int row) {
    grid->addWidget(w.take("标签_012路"), row, kCaption);
    QGridLayout* roads = TightGrid();
    Names names;
    for (int x = 0; x <= 2; ++x)
        for (int y = 0; y <= 2; ++y)
            for (int z = 0; z <= 2; ++z)
                names.push_back("选择框_三星路" + std::to_string(x) + std::to_string(y) + std::to_string(z));
    constexpr int kPerRow = 7;
    AddToGrid(roads, w, names, kPerRow);
    const int lastRow = static_cast<int>(names.size() - 1) / kPerRow;
    roads->addWidget(w.take("按钮_012路清"), lastRow, static_cast<int>(names.size()) % kPerRow, 1, -1, Qt::AlignRight);
    grid->addLayout(roads, row, kFirstDigit, lastRow + 1, kAllColumns - kFirstDigit);
    return row + lastRow + 1;
}

}  // namespace

void BuildBasicPage(ControlWidgets& w) {
    QGridLayout* grid = TightGrid();
    int row = 0;
    for (const char* position : {"百位", "十位", "个位"}) {
        const std::string p = position;
        AddDigitRow(grid, w, row++, "标签_" + p, "选择框_" + p, "组合框_" + p);
    }

    grid->addWidget(w.take("标签_条件"), row, kCaption);
    QHBoxLayout* shapes = Row(w, {"选择框_豹子", "选择框_组三", "选择框_组六", "选择框_正顺", "选择框_反顺"}, 6);
    shapes->addStretch(1);
    shapes->addWidget(w.take("按钮_混合清"));
    grid->addLayout(shapes, row++, kFirstDigit, 1, kAllColumns - kFirstDigit);

    for (int group = 1; group <= 3; ++group) row = AddBankerGroup(grid, w, row, group);
    row = AddRoads(grid, w, row);
    AddDigitRow(grid, w, row++, "标签_跨度", "选择框_跨度", "按钮_三星跨度清");
    AddDigitRow(grid, w, row++, "标签_合尾", "选择框_合尾", "按钮_三星合尾清");
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(kAllColumns, 1);  // a wider page keeps the panels together on the left
    SetLayout(w.get("选择夹_基本"), grid, 1);
}

}  // namespace sanxing
