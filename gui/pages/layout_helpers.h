#pragma once
// Small pieces the region builders share: rows, columns and grids of table controls.

#include <QBoxLayout>
#include <QGridLayout>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "gui/binding/control_widgets.h"
#include "window/control_names.h"

namespace sanxing {

// Control names: literals and catalogue constants, which outlive any layout built from them.
using Names = std::vector<std::string_view>;

// A family of the catalogue as a list of names.
Names NamesOf(std::span<const ctl::Name> family);

// A layout without margins, with the given gap between items.
QHBoxLayout* TightRow(int spacing = 2);
QVBoxLayout* TightColumn(int spacing = 2);
QGridLayout* TightGrid(int spacing = 2);

// Adds the named widgets in order.
void AddWidgets(QBoxLayout* layout, ControlWidgets& w, const Names& names);
QHBoxLayout* Row(ControlWidgets& w, const Names& names, int spacing = 2);

// The named widgets in rows of `columns`, starting at (firstRow, firstColumn) of `grid`.
void AddToGrid(QGridLayout* grid, ControlWidgets& w, const Names& names, int columns, int firstRow = 0,
               int firstColumn = 0);

// A container's own layout: margins and gap as given.
void SetLayout(QWidget* container, QLayout* layout, int margin = 0);

// A large box takes whatever width its column gets, so the columns share the window by
// their stretch factors rather than by the boxes' preferred sizes.
QWidget* Flexible(QWidget* box);

// The caption words of a right-hand strip: a row pushed to the left by a stretch.
QHBoxLayout* LeftAligned(QHBoxLayout* row);

}  // namespace sanxing
