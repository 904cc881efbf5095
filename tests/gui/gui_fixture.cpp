#include "gui_fixture.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "gui/layout_check.h"
#include "runtime/time_limits.h"

namespace sanxing::test {

DialogWatchdog::DialogWatchdog(std::function<void(const std::string&)> onSurprise)
    : onSurprise_(std::move(onSurprise)) {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) return;
        if (modal != seen_) {
            seen_ = modal;
            seenFor_.start();
        }
        if (seenFor_.elapsed() < 800) return;
        std::string what = modal->windowTitle().toStdString();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) what += ": " + box->text().toStdString();
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
        onSurprise_(what);
    });
    timer_.start();
}

bool WaitFor(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > std::chrono::milliseconds(kWaitLimit).count()) return false;
        QTest::qWait(5);
    }
    return true;
}

void GuiTest::SetUp() {
    watchdog_ = std::make_unique<DialogWatchdog>(
        [](const std::string& what) { ADD_FAILURE() << "a dialog nobody answered was shown: " << what; });
    // Each test remembers into a file of its own: what one test's window keeps (the
    // lottery picked, a folder) never changes how the next one starts.
    window = std::make_unique<MainWindow>(platform, nullptr, settingsFolder_.filePath(QStringLiteral("settings.ini")));
    platform.setDialogParent(window.get());
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void GuiTest::TearDown() {
    EXPECT_FALSE(platform.answersLeft()) << "a prepared dialog answer was not used";
    window.reset();
    watchdog_.reset();
}

void GuiTest::closeAdPanel() { QTest::mouseClick(widget<QPushButton>("按钮1"), Qt::LeftButton); }

std::vector<std::string> GuiTest::layoutProblemsEverywhere() {
    std::vector<std::string> all = LayoutProblems(*window);
    closeAdPanel();
    auto* tabs = widget<QTabWidget>("高级选择夹1");
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        for (const std::string& problem : LayoutProblems(*window)) {
            all.push_back(tabs->tabText(page).toStdString() + ": " + problem);
        }
    }
    return all;
}

}  // namespace sanxing::test
