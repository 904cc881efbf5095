#include "gui/binding/companion_undo.h"

#include <QAbstractUndoItem>
#include <QPointer>
#include <QTimer>
#include <array>
#include <string_view>

#include "runtime/control_store.h"
#include "window/control_names.h"

namespace sanxing {

struct CompanionUndo::Companions {
    std::string_view box;
    std::string_view tick;  // empty: none
    std::string_view caption;
};

namespace {

constexpr std::array<CompanionUndo::Companions, 3> kCompanions{{
    {ctl::kResult, ctl::kResultComplement, ctl::kResultCount},
    {ctl::kBaseSet, ctl::kBaseComplement, ctl::kBaseCount},
    {ctl::kJunkBase, {}, ctl::kJunkBaseCount},
}};

const CompanionUndo::Companions* CompanionsOf(const ControlStore& store, std::size_t box) {
    for (const auto& companions : kCompanions) {
        if (store.indexOf(companions.box) == box) return &companions;
    }
    return nullptr;
}

bool IsCompanion(const ControlStore& store, std::size_t index) {
    for (const auto& companions : kCompanions) {
        if (store.indexOf(companions.box) == index || store.indexOf(companions.caption) == index) return true;
        if (!companions.tick.empty() && store.indexOf(companions.tick) == index) return true;
    }
    return false;
}

void Apply(ControlStore& store, const CompanionUndo::Companions& companions, const CompanionUndo::State& state) {
    if (!companions.tick.empty()) store.setTicked(companions.tick, state.ticked);
    store.setText(companions.caption, state.caption);
}

// One step in a box's undo stack: the companions before the edit, and after it as they
// were when the step was undone.
class CompanionStep final : public QAbstractUndoItem {
public:
    CompanionStep(ControlStore& store, const CompanionUndo::Companions& companions, CompanionUndo::State before)
        : store_(store), companions_(companions), before_(std::move(before)) {}

    void undo() override {
        after_ = {companions_.tick.empty() ? false : store_.ticked(companions_.tick), store_.text(companions_.caption)};
        Apply(store_, companions_, before_);
    }
    void redo() override { Apply(store_, companions_, after_); }

private:
    ControlStore& store_;
    const CompanionUndo::Companions& companions_;
    CompanionUndo::State before_, after_;
};

}  // namespace

CompanionUndo::CompanionUndo(ControlStore& store, QObject* parent) : QObject(parent), store_(store) {}

CompanionUndo::State CompanionUndo::current(const Companions& companions) const {
    return {companions.tick.empty() ? false : store_.ticked(companions.tick), store_.text(companions.caption)};
}

void CompanionUndo::settleAll() {
    settlePending_ = false;
    for (const auto& companions : kCompanions) settled_[store_.indexOf(companions.box)] = current(companions);
}

void CompanionUndo::changed(std::size_t index) {
    if (IsCompanion(store_, index)) settleSoon();
}

void CompanionUndo::settleSoon() {
    if (settlePending_) return;
    settlePending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (settlePending_) settleAll();
    });
}

QAbstractUndoItem* CompanionUndo::undoItemFor(std::size_t box) {
    const Companions* companions = CompanionsOf(store_, box);
    if (companions == nullptr) return nullptr;
    return new CompanionStep(store_, *companions, settled_[box]);
}

}  // namespace sanxing
