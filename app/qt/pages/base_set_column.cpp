#include <QBoxLayout>
#include <QWidget>

#include "app/qt/binding/control_widgets.h"
#include "app/qt/pages/layout_helpers.h"
#include "app/qt/pages/regions.h"

namespace sanxing {

// The base set box over its buttons and the complement/count strip.
QWidget* BuildBaseSetColumn(ControlWidgets& w) {
    QWidget* column = w.take("图片框1");
    QVBoxLayout* layout = TightColumn();
    layout->addWidget(Flexible(w.take("编辑框_大底")), 1);
    layout->addLayout(Row(w, {"打开大底", "清空大底", "按钮_复制验证数据"}));
    QWidget* strip = w.take("图片框17");
    SetLayout(strip, LeftAligned(Row(w, {"大底_反集", "大底注数"}, 6)));
    layout->addWidget(strip);
    SetLayout(column, layout);
    return column;
}

}  // namespace sanxing
