// Start-up shows the window and runs its creation handler; closing the window ends the
// loop, and the exit routine releases the process-wide state while the window still exists.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "gui/application.h"
#include "gui/binding/control_widgets.h"
#include "gui/main_window.h"
#include "gui/platform/process_state.h"

namespace sanxing::test {
namespace {

TEST(Startup, ShowsTheWindowRunsItUntilClosedThenReleasesTheState) {
    bool shown = false;
    bool timerRunning = false;
    std::string directoryAtExit = "not run";
    const int code = RunMainWindow(*qApp, [&](MainWindow& window) {
        shown = window.isVisible();
        timerRunning = qobject_cast<QTimer*>(window.widgets().object("时钟_开奖更新"))->isActive();
        window.model().session().saveDirectory = "/tmp/saved";
        window.model().session().lastDrawNumber = "12345";
        // Connected after the exit routine, so it runs after it, with the window alive.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, &window, [&window, &directoryAtExit] {
            directoryAtExit = window.model().session().saveDirectory + window.model().session().lastDrawNumber;
        });
        QTimer::singleShot(0, &window, &QWidget::close);
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(timerRunning) << "the creation handler starts the timer";
    EXPECT_EQ(directoryAtExit, "");
}

TEST(ExitRoutine, ReleasesEverythingOnce) {
    SessionState session{"/tmp", "/tmp/a.txt", "1", "2"};
    ProcessState state;
    state.session = &session;
    state.soundClips = {{1, 2, 3}, {4}};
    ReleaseProcessState(state);
    EXPECT_EQ(session.saveDirectory, "");
    EXPECT_EQ(session.lastDrawNumber, "");
    EXPECT_EQ(session.handledDrawNumber, "");
    EXPECT_TRUE(state.soundClips.empty());
    EXPECT_EQ(state.session, nullptr);
    ReleaseProcessState(state);  // a second run finds nothing left to release
}

}  // namespace
}  // namespace sanxing::test
