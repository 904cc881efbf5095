#pragma once
// Keeps the widgets and the control store equal: what the user types, ticks or picks is
// written to the store, and every store change (a handler's write, a scheme) is shown in
// the widget. A write in one direction never echoes back in the other. A box's text
// changed by the store can be undone in the box (Ctrl+Z), except the first showing, and
// its tick and count caption go back with it.

#include <QObject>
#include <cstddef>
#include <limits>
#include <string>
#include <vector>

namespace sanxing {

class CompanionUndo;
class ControlStore;
class ControlWidgets;

class StoreMirror final : public QObject {
public:
    StoreMirror(ControlStore& store, ControlWidgets& widgets, QObject* parent = nullptr);
    ~StoreMirror() override;

    // Shows the whole store in the widgets.
    void showAll();

private:
    void listenTo(std::size_t index);
    void show(std::size_t index);
    void showVisibility(std::size_t index);
    void fromWidget(std::size_t index, const std::string& text);
    void tickedFromWidget(std::size_t index, bool ticked);
    void selectedFromWidget(std::size_t index, int item);

    ControlStore& store_;
    ControlWidgets& widgets_;
    int observerId_ = 0;
    static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
    std::size_t writingFromWidget_ = kNone;  // the control whose widget is writing the store
    bool showing_ = false;                   // a widget is being set from the store
    bool undoable_ = true;                   // store changes become undoable edits
    std::vector<char> shownVisible_;         // visibility last applied from the store
    CompanionUndo* companions_ = nullptr;    // ticks and captions that undo with a box
};

}  // namespace sanxing
