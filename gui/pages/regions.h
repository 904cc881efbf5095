#pragma once
// Builders of the window's regions and condition pages. Each takes the widgets of its
// controls from `w` and arranges them with layouts; sizes come from the widgets' texts,
// so the window adapts to the font it gets.

class QLayout;
class QWidget;

namespace sanxing {

class ControlWidgets;
class DrawList;

// The whole window below the menu bar.
void BuildWindowLayout(ControlWidgets& w, QWidget* central);

QWidget* BuildBaseSetColumn(ControlWidgets& w);
QWidget* BuildResultColumn(ControlWidgets& w);
// The tab control with the ad panel over it.
QWidget* BuildConditionArea(ControlWidgets& w);
QWidget* BuildAdPanel(ControlWidgets& w);
// Draw-list kind and check combos over the list itself, a status line under it.
QWidget* BuildDrawList(ControlWidgets& w);
// Shows the draw list's status in the status line of the draw area inside `window`.
void ShowDrawStatus(QWidget* window, DrawList& draws);
// The draw-list settings strip (announce, rows shown, marks, signature).
QLayout* BuildDrawSettings(ControlWidgets& w);
// The A and B boxes with their buttons; `below` goes under the buttons.
QWidget* BuildSetArea(ControlWidgets& w, QLayout* below);

void BuildBasicPage(ControlWidgets& w);
void BuildOtherPage(ControlWidgets& w);
void BuildPairPage(ControlWidgets& w);
void BuildCombinationPage(ControlWidgets& w);
void BuildTolerancePages(ControlWidgets& w);

}  // namespace sanxing
