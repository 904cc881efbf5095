#include <QBoxLayout>
#include <QWidget>

#include "app/qt/binding/control_widgets.h"
#include "app/qt/pages/layout_helpers.h"
#include "app/qt/pages/regions.h"

namespace sanxing {

// The announcement view over the contact line and the close button.
QWidget* BuildAdPanel(ControlWidgets& w) {
    QWidget* panel = w.take("图片框28");
    panel->setAutoFillBackground(true);
    QVBoxLayout* layout = TightColumn();
    layout->addWidget(w.take("超文本浏览框"), 1);
    QHBoxLayout* bottom = TightRow(6);
    bottom->addWidget(w.take("标签_广告联系"), 1);
    bottom->addWidget(w.take("按钮1"));
    layout->addLayout(bottom);
    SetLayout(panel, layout, 2);
    return panel;
}

}  // namespace sanxing
