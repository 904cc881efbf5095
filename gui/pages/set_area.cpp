#include <QGridLayout>
#include <QWidget>

#include "gui/binding/control_widgets.h"
#include "gui/pages/layout_helpers.h"
#include "gui/pages/regions.h"
#include "window/control_names.h"

namespace sanxing {

// The A and B boxes side by side over the row of set operations.
QWidget* BuildSetArea(ControlWidgets& w, QLayout* below) {
    auto* area = new QWidget;
    QGridLayout* grid = TightGrid();
    grid->addWidget(Flexible(w.take(ctl::kSetA)), 0, 0);
    grid->addWidget(Flexible(w.take(ctl::kSetB)), 0, 1);
    grid->addLayout(Row(w, {ctl::kSubtractBFromA, ctl::kSubtractAFromB, ctl::kUniteAB, ctl::kIntersectAB, ctl::kClearAB,
                            ctl::kMoveResultToBase}),
                    1, 0, 1, 2);
    grid->addLayout(below, 2, 0, 1, 2);
    grid->setRowStretch(0, 1);
    SetLayout(area, grid);
    return area;
}

}  // namespace sanxing
