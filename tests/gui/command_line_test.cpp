// The window program's command line and identity: --version and --help win wherever they
// stand, one scheme file may follow, anything else is refused; every window wears the
// program's icon.

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "app/version.h"
#include "gui/platform/command_line.h"

namespace sanxing::test {
namespace {

using Action = CommandLine::Action;

CommandLine Parse(std::initializer_list<const char*> arguments) {
    QStringList list;
    for (const char* argument : arguments) list.append(QString::fromUtf8(argument));
    return ParseCommandLine(list);
}

TEST(CommandLine, InformationOptionsWinWhereverTheyStand) {
    EXPECT_EQ(Parse({"--version"}).action, Action::PrintVersion);
    EXPECT_EQ(Parse({"a.json", "-v"}).action, Action::PrintVersion);
    EXPECT_EQ(Parse({"-platform", "offscreen", "--help"}).action, Action::PrintUsage);
    EXPECT_EQ(Parse({"--bogus", "-h"}).action, Action::PrintUsage);
    EXPECT_EQ(Parse({"--", "--version"}).action, Action::RunWindow) << "after -- it is a file name";
    EXPECT_EQ(VersionText(), std::string("sanxing ") + kVersion + "\n");
}

TEST(CommandLine, OneSchemeFileOrNone) {
    EXPECT_EQ(Parse({}).action, Action::RunWindow);
    EXPECT_TRUE(Parse({}).schemePath.isEmpty());
    EXPECT_EQ(Parse({"方案.json"}).schemePath, QStringLiteral("方案.json"));
    EXPECT_EQ(Parse({"--", "-odd.json"}).schemePath, QStringLiteral("-odd.json"));
    EXPECT_EQ(Parse({"-"}).schemePath, QStringLiteral("-")) << "a lone dash is a name, not an option";
}

TEST(CommandLine, AnythingElseIsRefusedWithTheReason) {
    const CommandLine unknown = Parse({"a.json", "--bogus"});
    EXPECT_EQ(unknown.action, Action::Refuse);
    EXPECT_NE(unknown.problem.find("--bogus"), std::string::npos);
    EXPECT_EQ(Parse({"a.json", "b.json"}).action, Action::Refuse);
    EXPECT_EQ(Parse({"a.json", "--", "b.json"}).action, Action::Refuse);
}

TEST(ProgramIdentity, WindowsWearTheIconAndTheVersionIsSet) {
    EXPECT_EQ(QCoreApplication::applicationVersion(), QString::fromLatin1(kVersion));
    QWidget window;
    const QIcon icon = window.windowIcon();
    for (const int size : {48, 128, 256}) {
        EXPECT_EQ(icon.pixmap(size, size).size(), QSize(size, size)) << size;
    }
}

}  // namespace
}  // namespace sanxing::test
