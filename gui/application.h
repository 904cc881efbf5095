#pragma once
// Start-up and shutdown of the program.

#include <functional>

class QApplication;

namespace sanxing {

class MainWindow;

// Step 1 after the toolkit object exists: the window style every widget is built with,
// and the program's version and icon.
void InitialiseToolkit(QApplication& app);

// The rest of start-up, the message loop and shutdown: process-wide state, the exit
// routine, the skin and sound steps, the main window and its creation handler, then the
// loop until the window closes. `whenShown` runs once the window is up (tools and tests).
// Returns the exit code, 0.
int RunMainWindow(QApplication& app, const std::function<void(MainWindow&)>& whenShown = {});

// The whole program: answers --version and --help, or opens the window, with the scheme
// file named on the command line loaded once it is up.
int RunProgram(int argc, char** argv);

}  // namespace sanxing
