#include <QBoxLayout>
#include <QWidget>

#include "gui/binding/control_widgets.h"
#include "gui/pages/layout_helpers.h"
#include "gui/pages/regions.h"
#include "window/control_names.h"

namespace sanxing {

// The base set box over its buttons and the complement/count strip.
QWidget* BuildBaseSetColumn(ControlWidgets& w) {
    QWidget* column = w.take("图片框1");
    QVBoxLayout* layout = TightColumn();
    layout->addWidget(Flexible(w.take(ctl::kBaseSet)), 1);
    layout->addLayout(Row(w, {ctl::kOpenBase, ctl::kEmptyBase, ctl::kCopyVerification}));
    QWidget* strip = w.take("图片框17");
    SetLayout(strip, LeftAligned(Row(w, {ctl::kBaseComplement, ctl::kBaseCount}, 6)));
    layout->addWidget(strip);
    SetLayout(column, layout);
    return column;
}

}  // namespace sanxing
