#include <QGridLayout>
#include <QWidget>

#include "gui/binding/control_widgets.h"
#include "gui/pages/layout_helpers.h"
#include "gui/pages/regions.h"

namespace sanxing {

// Three columns over two rows: base set | condition tabs | result on top, the draw list
// under the base set and the A/B area under the other two. The stretch factors follow the
// widths and heights of the default 694 x 700 window, so a larger window grows each region
// in proportion.
void BuildWindowLayout(ControlWidgets& w, QWidget* central) {
    auto* grid = new QGridLayout;
    grid->setSpacing(1);
    grid->addWidget(BuildBaseSetColumn(w), 0, 0);
    grid->addWidget(BuildConditionArea(w), 0, 1);
    grid->addWidget(BuildResultColumn(w), 0, 2);
    grid->addWidget(BuildDrawList(w), 1, 0);
    grid->addWidget(BuildSetArea(w, BuildDrawSettings(w)), 1, 1, 1, 2);
    grid->setColumnStretch(0, 167);
    grid->setColumnStretch(1, 355);
    grid->setColumnStretch(2, 167);
    grid->setRowStretch(0, 405);
    grid->setRowStretch(1, 260);
    SetLayout(central, grid, 1);
}

}  // namespace sanxing
