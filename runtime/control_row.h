#pragma once
// One row of the window's control table: what a control is, where it sits and how it starts.

#include <string>
#include <vector>

namespace sanxing {

enum class ControlKind {
    Window,
    EditBox,
    Button,
    CheckBox,
    ComboBox,
    Label,
    GroupBox,
    PictureBox,
    TabControl,
    TabPage,
    ReportList,
    WebView,
    Timer,
    FileDialog,
};

const char* KindName(ControlKind kind);

struct ReportColumn {
    std::string title;
    int width = 0;
};

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
};

struct ControlRow {
    std::string name;
    ControlKind kind = ControlKind::Label;
    std::string parent;              // empty for the main window itself
    std::string text;                // caption, or initial text of edit and combo boxes
    std::vector<std::string> items;  // combo boxes: the list, index 0 first
    int selected = -1;               // combo boxes: the item selected at start; -1 for none
    bool ticked = false;             // check boxes: initial state
    bool multiLine = false;          // edit boxes that hold lists (CR LF lines)
    bool visible = true;
    std::vector<ReportColumn> columns;  // report lists
    int interval = 0;                   // timers, milliseconds
    Rect rect;                          // where the table fixes it; empty otherwise
};

}  // namespace sanxing
