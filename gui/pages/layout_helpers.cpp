#include "gui/pages/layout_helpers.h"

#include <QWidget>

namespace sanxing {

Names NamesOf(std::span<const ctl::Name> family) { return Names(family.begin(), family.end()); }

namespace {

template <class Layout>
Layout* Tight(int spacing) {
    auto* layout = new Layout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

}  // namespace

QHBoxLayout* TightRow(int spacing) { return Tight<QHBoxLayout>(spacing); }
QVBoxLayout* TightColumn(int spacing) { return Tight<QVBoxLayout>(spacing); }
QGridLayout* TightGrid(int spacing) { return Tight<QGridLayout>(spacing); }

void AddWidgets(QBoxLayout* layout, ControlWidgets& w, const Names& names) {
    for (const std::string_view name : names) layout->addWidget(w.take(name));
}

QHBoxLayout* Row(ControlWidgets& w, const Names& names, int spacing) {
    QHBoxLayout* row = TightRow(spacing);
    AddWidgets(row, w, names);
    return row;
}

void AddToGrid(QGridLayout* grid, ControlWidgets& w, const Names& names, int columns, int firstRow, int firstColumn) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int row = firstRow + static_cast<int>(i) / columns;
        const int column = firstColumn + static_cast<int>(i) % columns;
        grid->addWidget(w.take(names[i]), row, column);
    }
}

void SetLayout(QWidget* container, QLayout* layout, int margin) {
    layout->setContentsMargins(margin, margin, margin, margin);
    container->setLayout(layout);
}

QWidget* Flexible(QWidget* box) {
    box->setSizePolicy(QSizePolicy::Ignored, box->sizePolicy().verticalPolicy());
    return box;
}

QHBoxLayout* LeftAligned(QHBoxLayout* row) {
    row->addStretch(1);
    return row;
}

}  // namespace sanxing
