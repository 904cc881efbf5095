#include <QBoxLayout>
#include <QWidget>

#include "app/qt/binding/control_widgets.h"
#include "app/qt/pages/layout_helpers.h"
#include "app/qt/pages/regions.h"

namespace sanxing {

namespace {

QWidget* Strip(ControlWidgets& w, const std::string& name, QHBoxLayout* row) {
    QWidget* strip = w.take(name);
    SetLayout(strip, row);
    return strip;
}

}  // namespace

// The result box over the prize check, shrink and count strips and the save/clear row.
QWidget* BuildResultColumn(ControlWidgets& w) {
    QWidget* column = w.take("图片框15");
    QVBoxLayout* layout = TightColumn();
    layout->addWidget(Flexible(w.take("编辑框_结果")), 1);

    QHBoxLayout* prize = TightRow();
    prize->addWidget(w.take("选择框_反集"));
    prize->addWidget(w.take("编辑框_兑奖号码"), 1);
    prize->addWidget(w.take("按钮_兑奖"));
    layout->addWidget(Strip(w, "图片框18", prize));

    layout->addWidget(Strip(w, "图片框16", Row(w, {"透明标签34", "组合框_容错", "按钮_缩水", "按钮_复制"})));
    layout->addWidget(Strip(w, "图片框24", LeftAligned(Row(w, {"标签_缩水结果"}))));
    layout->addLayout(Row(w, {"按钮_保存", "按钮_全清"}));
    SetLayout(column, layout);
    return column;
}

}  // namespace sanxing
