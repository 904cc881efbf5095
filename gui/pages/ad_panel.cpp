#include <QBoxLayout>
#include <QWidget>

#include "gui/binding/control_widgets.h"
#include "gui/pages/layout_helpers.h"
#include "gui/pages/regions.h"
#include "window/control_names.h"

namespace sanxing {

// The announcement view over the contact line and the close button.
QWidget* BuildAdPanel(ControlWidgets& w) {
    QWidget* panel = w.take(ctl::kAdPanel);
    panel->setAutoFillBackground(true);
    QVBoxLayout* layout = TightColumn();
    layout->addWidget(w.take(ctl::kAdPage), 1);
    QHBoxLayout* bottom = TightRow(6);
    bottom->addWidget(w.take("标签_广告联系"), 1);
    bottom->addWidget(w.take(ctl::kCloseAd));
    layout->addLayout(bottom);
    SetLayout(panel, layout, 2);
    return panel;
}

}  // namespace sanxing
