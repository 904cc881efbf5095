#pragma once
// Finds controls that the layout cuts off: smaller than their text needs, or partly
// outside what their parents show.

#include <string>
#include <vector>

namespace sanxing {

class MainWindow;

// Problems on the current tab page and the rest of the window, one line each.
std::vector<std::string> LayoutProblems(MainWindow& window);

}  // namespace sanxing
