#pragma once
// The shared fixture of the GUI tests: a main window shown on the offscreen platform,
// dialogs answered ahead through the platform, and a watchdog that fails the test and
// closes any dialog nobody answered, so that a surprise dialog cannot hang the run.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/binding/control_widgets.h"
#include "gui/main_window.h"
#include "gui/platform/qt_platform.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace sanxing::test {

// Closes every modal dialog that stays open longer than a simulated user would take to
// answer it, and tells `onSurprise` its title and text.
class DialogWatchdog {
public:
    explicit DialogWatchdog(std::function<void(const std::string&)> onSurprise);

private:
    QTimer timer_;
    QPointer<QWidget> seen_;
    QElapsedTimer seenFor_;
    std::function<void(const std::string&)> onSurprise_;
};

// Processes events until `done` holds or the tests' wait limit passes; whether it held.
bool WaitFor(const std::function<bool()>& done);

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    ControlStore& store() { return window->model().controls(); }

    template <class T = QWidget>
    T* widget(std::string_view name) {
        return window->widgets().get<T>(name);
    }

    // Clicks 按钮1, so the condition pages are reachable.
    void closeAdPanel();

    // Controls cut off on the ad panel view and on every condition page (closes the ad
    // panel), each line led by its page.
    std::vector<std::string> layoutProblemsEverywhere();

    QtPlatform platform;
    std::unique_ptr<MainWindow> window;

private:
    QTemporaryDir settingsFolder_;
    std::unique_ptr<DialogWatchdog> watchdog_;
};

}  // namespace sanxing::test
