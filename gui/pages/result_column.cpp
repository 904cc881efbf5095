#include <QBoxLayout>
#include <QWidget>

#include "gui/binding/control_widgets.h"
#include "gui/pages/layout_helpers.h"
#include "gui/pages/regions.h"
#include "window/control_names.h"

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
    layout->addWidget(Flexible(w.take(ctl::kResult)), 1);

    QHBoxLayout* prize = TightRow();
    prize->addWidget(w.take(ctl::kResultComplement));
    prize->addWidget(w.take(ctl::kPrizeNumber), 1);
    prize->addWidget(w.take(ctl::kCheckPrize));
    layout->addWidget(Strip(w, "图片框18", prize));

    layout->addWidget(Strip(w, "图片框16", Row(w, {"透明标签34", ctl::kTolerance, ctl::kShrink, ctl::kCopyResult})));
    layout->addWidget(Strip(w, "图片框24", LeftAligned(Row(w, {ctl::kResultCount}))));
    layout->addLayout(Row(w, {ctl::kSaveResult, ctl::kClearAll}));
    SetLayout(column, layout);
    return column;
}

}  // namespace sanxing
