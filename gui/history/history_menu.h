#pragma once
// The 历史 menu: 导入开奖号码…, 导出开奖号码… and 开奖历史. Import and export run off the UI
// thread, one at a time, on a connection of their own; the window's connection is opened
// on first use (HistoryAccess). Other features add their items to the same menu through
// menu() or FindHistoryMenu().

#include <QObject>
#include <QPointer>
#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "gui/history/history_access.h"
#include "gui/history/history_window.h"
#include "gui/history/import_report_dialog.h"
#include "history/draw_import.h"
#include "runtime/platform.h"

class QAction;
class QMainWindow;
class QMenu;

namespace sanxing {

class WindowModel;

class HistoryMenu final : public QObject {
public:
    HistoryMenu(WindowModel& model, QMainWindow& window,
                std::filesystem::path databaseFile = history::DefaultDatabasePath());
    ~HistoryMenu() override;

    QMenu* menu() const { return menu_; }
    HistoryAccess& access() { return access_; }

    // Asks for a file and imports it into the lottery of 组合框_彩种; the report follows.
    void importDraws();
    // Asks for a file and writes the lottery's draws to it as CSV.
    void exportDraws();
    // Opens (or raises) the 开奖历史 window on the lottery of 组合框_彩种.
    void showHistory();

    bool busy() const { return busy_; }
    HistoryWindow* historyWindow() const { return historyWindow_; }
    ImportReportDialog* lastReport() const { return lastReport_; }

private:
    // Runs `work` on the worker thread; what it returns runs on the UI thread afterwards.
    void runInBackground(std::function<std::function<void()>()> work);
    void setBusy(bool busy);
    void showReport(const std::string& file, const history::Lottery& lottery, const history::ImportReport& report);
    void tell(const std::string& text, MessageIcon icon);

    WindowModel& model_;
    QMainWindow& window_;
    HistoryAccess access_;
    QMenu* menu_;
    QAction* import_;
    QAction* export_;
    QString directory_;  // where the last draw file was opened or saved
    std::thread worker_;
    std::atomic<bool> busy_{false};
    std::atomic<bool> closing_{false};  // tells a running import to stop
    QPointer<HistoryWindow> historyWindow_;
    QPointer<ImportReportDialog> lastReport_;
};

// The 历史 menu of a main window that has one, else nullptr.
QMenu* FindHistoryMenu(QMainWindow& window);

}  // namespace sanxing
