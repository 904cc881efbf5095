#include "gui/platform/command_line.h"

#include <iostream>

#include "app/version.h"

namespace sanxing {

namespace {

bool IsOption(const QString& argument) { return argument.size() > 1 && argument.startsWith(QLatin1Char('-')); }

CommandLine Answer(CommandLine::Action action) {
    CommandLine line;
    line.action = action;
    return line;
}

CommandLine Refused(std::string problem) {
    CommandLine line = Answer(CommandLine::Action::Refuse);
    line.problem = std::move(problem);
    return line;
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    const qsizetype end = arguments.indexOf(QStringLiteral("--"));
    const QStringList options = end < 0 ? arguments : arguments.first(end);
    for (const QString& option : options) {
        if (option == QLatin1String("--version") || option == QLatin1String("-v")) {
            return Answer(CommandLine::Action::PrintVersion);
        }
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            return Answer(CommandLine::Action::PrintUsage);
        }
    }
    QStringList files;
    for (const QString& argument : options) {
        if (IsOption(argument)) return Refused("unknown option \"" + argument.toStdString() + "\"");
        files.append(argument);
    }
    if (end >= 0) files += arguments.mid(end + 1);
    if (files.size() > 1) return Refused("only one scheme file can be opened");
    CommandLine line;
    line.schemePath = files.value(0);
    return line;
}

std::string VersionText() { return std::string("sanxing ") + kVersion + "\n"; }

std::string UsageText() {
    return "Usage: sanxing [OPTION] [FILE.json]\n"
           "\n"
           "Opens the main window of 三星缩水工具; with FILE.json, opens that scheme into the\n"
           "condition controls, as the 方案 menu does.\n"
           "\n"
           "Options:\n"
           "  -h, --help      print this help and exit\n"
           "  -v, --version   print the version and exit\n"
           "Qt's own options (-platform NAME, -style NAME, ...) are accepted too.\n";
}

std::optional<int> AnswerWithoutWindow(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
    switch (ParseCommandLine(arguments).action) {
        case CommandLine::Action::PrintVersion: std::cout << VersionText(); return 0;
        case CommandLine::Action::PrintUsage: std::cout << UsageText(); return 0;
        default: return std::nullopt;
    }
}

}  // namespace sanxing
