#pragma once
// Undo of a box's whole state. A handler that rewrites the result or the base set also
// sets its count caption and, for 反集, the box's tick; Ctrl+Z in the box brings back the
// text and, with the same step, the tick and the caption as they were before that event.
//
// What was "before" is the state at the end of the previous event: every change of a box
// or of one of its companions schedules a look at them once the event is over.

#include <QObject>
#include <cstddef>
#include <map>
#include <string>

class QAbstractUndoItem;

namespace sanxing {

class ControlStore;

class CompanionUndo final : public QObject {
public:
    explicit CompanionUndo(ControlStore& store, QObject* parent = nullptr);

    // Takes the current state as settled (after the first showing).
    void settleAll();
    // Told of every store change.
    void changed(std::size_t index);
    // The undo step that goes with a new text of `box`, or null for a box without
    // companions. The document it is appended to owns it.
    QAbstractUndoItem* undoItemFor(std::size_t box);

    struct State {
        bool ticked = false;
        std::string caption;
    };
    // A box, the check box that undoes with it (if any) and its count caption.
    struct Companions;

private:
    void settleSoon();
    State current(const Companions& companions) const;

    ControlStore& store_;
    std::map<std::size_t, State> settled_;  // by box
    bool settlePending_ = false;
};

}  // namespace sanxing
