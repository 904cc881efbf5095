#include "app/qt/application.h"

#include <QApplication>
#include <string>

#include "app/qt/compact_style.h"
#include "app/qt/main_window.h"
#include "app/qt/process_state.h"
#include "app/qt/qt_platform.h"
#include "app/qt/startup_hooks.h"
#include "draws/draw_hosts.h"

namespace sanxing {

void InitialiseToolkit(QApplication& app) { app.setStyle(new CompactStyle); }

int RunMainWindow(QApplication& app, const std::function<void(MainWindow&)>& whenShown) {
    ProcessState state;

    // The exit routine runs when the message loop ends, while the window still exists.
    QObject exitRoutine;
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &exitRoutine, [&state] { ReleaseProcessState(state); });

    LoadSkin(state);
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
    window.show();

    // The creation-complete event: the skin first, then the model's start-up handler.
    AttachSkin(state, window);
    window.created();
    if (whenShown) whenShown(window);

    QApplication::exec();
    return 0;
}

int RunProgram(int argc, char** argv) {
    QApplication app(argc, argv);
    InitialiseToolkit(app);
    return RunMainWindow(app);
}

}  // namespace sanxing
