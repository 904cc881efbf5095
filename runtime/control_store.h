#pragma once
// The in-memory state of every control, created from the control table. The window and
// the command line are views of it; observers hear of every change by control index.

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "runtime/controls.h"

namespace sanxing {

class ControlStore final : public Controls {
public:
    explicit ControlStore(std::vector<ControlRow> table);
    // A copy holds the same states and none of the observers: they watch the original, and
    // a change to the copy (a scheme tried out on it) must not reach them.
    ControlStore(const ControlStore& other);
    ControlStore& operator=(const ControlStore&) = delete;
    ControlStore(ControlStore&&) = default;
    ControlStore& operator=(ControlStore&&) = default;

    bool has(std::string_view name) const override;
    const ControlRow& spec(std::string_view name) const override;
    const std::vector<ControlRow>& table() const { return specs_; }
    std::size_t indexOf(std::string_view name) const;

    const std::string& text(std::string_view name) const override;
    void setText(std::string_view name, std::string text) override;
    bool ticked(std::string_view name) const override;
    void setTicked(std::string_view name, bool ticked) override;
    int selectedIndex(std::string_view name) const override;
    void select(std::string_view name, int index) override;
    bool visible(std::string_view name) const override;
    void setVisible(std::string_view name, bool visible) override;
    const ReportRows& rows(std::string_view name) const override;
    void setRows(std::string_view name, ReportRows rows) override;
    void insertRow(std::string_view name, std::size_t index, ReportRow row) override;
    void setCell(std::string_view name, std::size_t row, std::size_t column, std::string text) override;

    // Puts every control back to its state in the table.
    void reset();

    using Observer = std::function<void(std::size_t index)>;
    // Returns an id for removeObserver.
    int addObserver(Observer observer);
    void removeObserver(int id);

private:
    struct State {
        std::string text;
        bool ticked = false;
        int selected = -1;
        bool visible = true;
        ReportRows rows;
    };
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };

    State& state(std::string_view name, std::size_t* index = nullptr);
    const State& state(std::string_view name) const;
    void changed(std::size_t index);

    std::vector<ControlRow> specs_;
    std::vector<State> states_;
    std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>> index_;
    std::vector<std::pair<int, Observer>> observers_;
    int nextObserverId_ = 1;
};

}  // namespace sanxing
