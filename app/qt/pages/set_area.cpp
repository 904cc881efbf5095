#include <QGridLayout>
#include <QWidget>

#include "app/qt/binding/control_widgets.h"
#include "app/qt/pages/layout_helpers.h"
#include "app/qt/pages/regions.h"

namespace sanxing {

// The A and B boxes side by side over the row of set operations.
QWidget* BuildSetArea(ControlWidgets& w, QLayout* below) {
    auto* area = new QWidget;
    QGridLayout* grid = TightGrid();
    grid->addWidget(Flexible(w.take("编辑框_A")), 0, 0);
    grid->addWidget(Flexible(w.take("编辑框_B")), 0, 1);
    grid->addLayout(Row(w, {"A排除B", "B排除A", "AB合并", "AB交集", "AB全清", "到大底框"}), 1, 0, 1, 2);
    grid->addLayout(below, 2, 0, 1, 2);
    grid->setRowStretch(0, 1);
    SetLayout(area, grid);
    return area;
}

}  // namespace sanxing
