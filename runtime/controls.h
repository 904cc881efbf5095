#pragma once
// The interface through which every handler reads and writes the window's state by
// control name. A name that the control table lacks is a programming error: every
// accessor throws std::out_of_range for it.

#include <string>
#include <string_view>
#include <vector>

#include "runtime/control_row.h"

namespace sanxing {

using ReportRow = std::vector<std::string>;
using ReportRows = std::vector<ReportRow>;

class Controls {
public:
    virtual ~Controls() = default;

    virtual bool has(std::string_view name) const = 0;
    virtual const ControlRow& spec(std::string_view name) const = 0;

    // Edit box text, label or button caption, combo box text, web view address.
    virtual const std::string& text(std::string_view name) const = 0;
    virtual void setText(std::string_view name, std::string text) = 0;

    virtual bool ticked(std::string_view name) const = 0;
    virtual void setTicked(std::string_view name, bool ticked) = 0;

    // Combo boxes: -1 while no item is selected. Selecting an item makes it the text;
    // setting a text leaves the selection only when the text equals the selected item.
    virtual int selectedIndex(std::string_view name) const = 0;
    virtual void select(std::string_view name, int index) = 0;
    const std::vector<std::string>& items(std::string_view name) const { return spec(name).items; }

    virtual bool visible(std::string_view name) const = 0;
    virtual void setVisible(std::string_view name, bool visible) = 0;

    // Report lists.
    virtual const ReportRows& rows(std::string_view name) const = 0;
    virtual void setRows(std::string_view name, ReportRows rows) = 0;
    virtual void insertRow(std::string_view name, std::size_t index, ReportRow row) = 0;
    virtual void setCell(std::string_view name, std::size_t row, std::size_t column, std::string text) = 0;
};

}  // namespace sanxing
