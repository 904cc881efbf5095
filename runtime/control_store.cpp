#include "runtime/control_store.h"

#include <algorithm>
#include <stdexcept>

namespace sanxing {

const char* KindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Window: return "window";
        case ControlKind::EditBox: return "edit";
        case ControlKind::Button: return "button";
        case ControlKind::CheckBox: return "checkbox";
        case ControlKind::ComboBox: return "combo";
        case ControlKind::Label: return "label";
        case ControlKind::GroupBox: return "groupbox";
        case ControlKind::PictureBox: return "picturebox";
        case ControlKind::TabControl: return "tabcontrol";
        case ControlKind::TabPage: return "tabpage";
        case ControlKind::ReportList: return "reportlist";
        case ControlKind::WebView: return "webview";
        case ControlKind::Timer: return "timer";
        case ControlKind::FileDialog: return "filedialog";
    }
    return "unknown";
}

ControlStore::ControlStore(std::vector<ControlRow> table) : specs_(std::move(table)) {
    states_.resize(specs_.size());
    for (std::size_t i = 0; i < specs_.size(); ++i) {
        if (!index_.emplace(specs_[i].name, i).second) {
            throw std::logic_error("control table names a control twice: " + specs_[i].name);
        }
    }
    reset();
}

ControlStore::ControlStore(const ControlStore& other)
    : Controls(other), specs_(other.specs_), states_(other.states_), index_(other.index_) {}

void ControlStore::reset() {
    for (std::size_t i = 0; i < specs_.size(); ++i) {
        const ControlRow& spec = specs_[i];
        State& s = states_[i];
        s.text = spec.text;
        s.ticked = spec.ticked;
        s.visible = spec.visible;
        s.rows.clear();
        s.selected = spec.selected;
    }
    for (std::size_t i = 0; i < specs_.size(); ++i) changed(i);
}

bool ControlStore::has(std::string_view name) const { return index_.find(name) != index_.end(); }

std::size_t ControlStore::indexOf(std::string_view name) const {
    const auto it = index_.find(name);
    if (it == index_.end()) throw std::out_of_range("no control named " + std::string(name));
    return it->second;
}

const ControlRow& ControlStore::spec(std::string_view name) const { return specs_[indexOf(name)]; }

ControlStore::State& ControlStore::state(std::string_view name, std::size_t* index) {
    const std::size_t i = indexOf(name);
    if (index) *index = i;
    return states_[i];
}

const ControlStore::State& ControlStore::state(std::string_view name) const { return states_[indexOf(name)]; }

void ControlStore::changed(std::size_t index) {
    // Observers may add or remove observers while being told; walk a copy.
    if (observers_.empty()) return;
    const auto observers = observers_;
    for (const auto& [id, observer] : observers) observer(index);
}

const std::string& ControlStore::text(std::string_view name) const { return state(name).text; }

void ControlStore::setText(std::string_view name, std::string text) {
    std::size_t i;
    State& s = state(name, &i);
    if (s.selected >= 0 && specs_[i].items[s.selected] != text) s.selected = -1;
    s.text = std::move(text);
    changed(i);
}

bool ControlStore::ticked(std::string_view name) const { return state(name).ticked; }

void ControlStore::setTicked(std::string_view name, bool ticked) {
    std::size_t i;
    State& s = state(name, &i);
    if (s.ticked == ticked) return;
    s.ticked = ticked;
    changed(i);
}

int ControlStore::selectedIndex(std::string_view name) const { return state(name).selected; }

void ControlStore::select(std::string_view name, int index) {
    std::size_t i;
    State& s = state(name, &i);
    const auto& items = specs_[i].items;
    if (index < 0 || static_cast<std::size_t>(index) >= items.size()) {
        s.selected = -1;
    } else {
        s.selected = index;
        s.text = items[index];
    }
    changed(i);
}

bool ControlStore::visible(std::string_view name) const { return state(name).visible; }

void ControlStore::setVisible(std::string_view name, bool visible) {
    std::size_t i;
    State& s = state(name, &i);
    if (s.visible == visible) return;
    s.visible = visible;
    changed(i);
}

const ReportRows& ControlStore::rows(std::string_view name) const { return state(name).rows; }

void ControlStore::setRows(std::string_view name, ReportRows rows) {
    std::size_t i;
    state(name, &i).rows = std::move(rows);
    changed(i);
}

void ControlStore::insertRow(std::string_view name, std::size_t index, ReportRow row) {
    std::size_t i;
    ReportRows& rows = state(name, &i).rows;
    index = std::min(index, rows.size());
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(index), std::move(row));
    changed(i);
}

void ControlStore::setCell(std::string_view name, std::size_t row, std::size_t column, std::string text) {
    std::size_t i;
    ReportRows& rows = state(name, &i).rows;
    if (row >= rows.size()) return;
    if (rows[row].size() <= column) rows[row].resize(column + 1);
    rows[row][column] = std::move(text);
    changed(i);
}

int ControlStore::addObserver(Observer observer) {
    const int id = nextObserverId_++;
    observers_.emplace_back(id, std::move(observer));
    return id;
}

void ControlStore::removeObserver(int id) {
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

}  // namespace sanxing
