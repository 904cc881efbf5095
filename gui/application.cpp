#include "gui/application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <iostream>
#include <string>

#include "draws/draw_hosts.h"
#include "gui/main_window.h"
#include "gui/platform/command_line.h"
#include "gui/platform/process_state.h"
#include "gui/platform/program_identity.h"
#include "gui/platform/qt_platform.h"
#include "gui/platform/quit_signals.h"
#include "gui/platform/startup_hooks.h"
#include "gui/scheme_menu.h"
#include "gui/style/compact_style.h"
#include "gui/style/skin.h"

namespace sanxing {

namespace {

// Qt's own texts (dialog buttons, file dialogs, the edit boxes' menu) in Chinese
// whatever the system's language: the zh_CN translations that Debian's
// qt6-translations-l10n puts beside Qt.
void InstallChineseTranslations(QApplication& app) {
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto* translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (translator->load(QStringLiteral("qtbase_zh_CN"), folder)) {
        QApplication::installTranslator(translator);
    } else {
        qWarning("sanxing: Qt 的中文翻译不在 %s（请安装 qt6-translations-l10n）", qPrintable(folder));
        delete translator;
    }
}

}  // namespace

void InitialiseToolkit(QApplication& app) {
    app.setStyle(new CompactStyle);
    InstallChineseTranslations(app);
    SetProgramIdentity();
}

int RunMainWindow(QApplication& app, const std::function<void(MainWindow&)>& whenShown) {
    ProcessState state;

    // The exit routine runs when the message loop ends, while the window still exists.
    QObject exitRoutine;
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &exitRoutine, [&state] { ReleaseProcessState(state); });

    LoadSoundClips(state);

    QtPlatform platform;
    platform.setSoundClips(&state.soundClips);
    MainWindow window(platform);
    platform.setDialogParent(&window);
    // The hosts of the draw sources and of the announcement page; without sources.json, or
    // with a broken one, the draw area says what is missing.
    window.model().drawHosts() = LoadConfiguredDrawHosts(DefaultDrawHostsPath());
    state.session = &window.model().session();
    QObject::connect(&window, &MainWindow::closed, &app, &QCoreApplication::quit);
    // A logout or `kill` closes the window as 退出 does.
    const QuitSignals quitSignals([&window] { window.close(); });
    window.show();

    // The creation-complete event: the skin first, then the model's start-up handler.
    AttachSkin(window);
    window.created();
    if (whenShown) whenShown(window);

    QApplication::exec();
    return 0;
}

int RunProgram(int argc, char** argv) {
    if (const auto code = AnswerWithoutWindow(argc, argv)) return *code;
    QApplication app(argc, argv);
    const CommandLine command = ParseCommandLine(QApplication::arguments().mid(1));
    if (command.action == CommandLine::Action::Refuse) {
        std::cerr << "sanxing: " << command.problem << '\n' << UsageText();
        return 2;
    }
    InitialiseToolkit(app);
    if (command.schemePath.isEmpty()) return RunMainWindow(app);
    return RunMainWindow(app, [&command](MainWindow& window) { window.schemes().openPath(command.schemePath); });
}

}  // namespace sanxing
