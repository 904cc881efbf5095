#pragma once
// The window program's command line: sanxing [--version] [--help] [FILE.json]. Qt's own
// options (-platform, -style, ...) are taken out by QApplication before the rest is read.

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace sanxing {

struct CommandLine {
    enum class Action { RunWindow, PrintVersion, PrintUsage, Refuse };
    Action action = Action::RunWindow;
    QString schemePath;   // a scheme file to open once the window is up; empty: none
    std::string problem;  // with Refuse: what is wrong with the arguments
};

// Reads the arguments that follow the program name. --version and --help are answered
// wherever they stand; "--" ends the options.
CommandLine ParseCommandLine(const QStringList& arguments);

std::string VersionText();
std::string UsageText();

// Answers --version and --help from the raw arguments, before any display is opened.
// Returns the exit code when the program ends here.
std::optional<int> AnswerWithoutWindow(int argc, char** argv);

}  // namespace sanxing
