#pragma once
// The 历史 menu: 导入开奖号码…, 从剪贴板导入…, 导出开奖号码…, 更新开奖数据 and
// 开奖历史. An import shows its preview first and stores only on 导入; its report
// offers 以文件为准 when draws of the file differ from stored ones. 更新开奖数据 reads
// every draw-file address of sources.json on the window model's updater and reports one
// line per address. Previews, imports and exports run off the UI thread, one at a time, on
// a SerialWorker (closing the window cancels the running one and waits a bounded time);
// the history is reached through the window's HistorySession. After an import, a replacement, a delete or an update,
// the draw list, the history window and whoever listens (the analysis dialogs) show the new state at once. Other
// features add their items to the same menu through menu() or FindHistoryMenu().

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "draws/serial_worker.h"
#include "gui/history/history_window.h"
#include "gui/history/import_preview_dialog.h"
#include "gui/history/import_report_dialog.h"
#include "gui/platform/remembered_folder.h"
#include "history/draw_import.h"
#include "runtime/platform.h"
#include "services/history_import.h"
#include "services/history_session.h"

class QAction;
class QMainWindow;
class QMenu;

namespace sanxing {

class WindowModel;
class WindowSettings;

class HistoryMenu final : public QObject {
public:
    // `settings` (may be null) keeps the folder of draw files.
    HistoryMenu(WindowModel& model, QMainWindow& window, WindowSettings* settings,
                std::filesystem::path databaseFile = history::DefaultDatabasePath());
    ~HistoryMenu() override;

    QMenu* menu() const { return menu_; }
    HistorySession& session() { return session_; }

    // Asks for a file and previews its import into the lottery of 组合框_彩种.
    void importDraws();
    // The same into `lottery` (the 开奖历史 window's 导入…).
    void importDrawsInto(const history::Lottery& lottery);
    // Previews the import of the clipboard: its HTML table (as a browser copies a results
    // page) or its text.
    void importClipboard();
    // Asks for a file and writes the lottery's draws to it as CSV.
    void exportDraws();
    // Opens (or raises) the 开奖历史 window on the lottery of 组合框_彩种.
    void showHistory();
    // Brings the history up to date from every draw-file address and reports each; without
    // an address, says how to set one.
    void updateDraws();

    // `listener` hears of every change this window makes to a lottery's draws.
    void onHistoryChanged(std::function<void(const history::Lottery&)> listener);

    bool busy() const { return busy_; }
    HistoryWindow* historyWindow() const { return historyWindow_; }
    ImportPreviewDialog* lastPreview() const { return lastPreview_; }
    ImportReportDialog* lastReport() const { return lastReport_; }

private:
    // Previews the import of the source of the last preview again, into `lottery`.
    void previewInto(const history::Lottery& lottery);
    void openPreview(ImportSource source, const history::Lottery& lottery, const Result<history::ImportPreview>& first);
    void requestPreview(const history::Lottery& lottery, std::optional<history::ColumnMap> columns);
    void confirmLottery(const history::Lottery& lottery, history::ImportOptions options, const std::string& why);
    void runImport(const history::Lottery& lottery, history::ImportOptions options);
    // Runs `work` on the worker, after the job before it; what it returns runs on the UI
    // thread afterwards, unless a later job superseded it (`supersede`) or the menu is gone.
    using Work = std::function<std::function<void()>(const SerialWorker::JobContext&)>;
    void runInBackground(Work work, bool supersede = false);
    void showNotice(const HistoryNotice& notice);
    // Hands a task of the worker to the UI thread through a queue of this menu, whose mutex
    // ThreadSanitizer sees (Qt's own queue it cannot); the event that wakes the UI thread
    // carries nothing. Tasks still queued when the menu goes are dropped.
    void post(SerialWorker::Task task);
    void customEvent(QEvent* event) override;
    void setBusy(bool busy);
    void showReport(const history::Lottery& lottery, const history::ImportReport& report,
                    const history::ImportOptions& options);
    void historyChanged(const history::Lottery& lottery, bool fromHistoryWindow = false);
    // An update added draws (the draw list has been told): the open views show them.
    void historyGrew(const history::Lottery& lottery);
    void tell(const std::string& text, MessageIcon icon);

    WindowModel& model_;
    QMainWindow& window_;
    HistorySession session_;
    QMenu* menu_;
    std::vector<QAction*> actions_;  // off while a job runs
    QAction* update_;                // off while an update it started runs
    RememberedFolder drawFolder_;    // where the last draw file was opened or saved
    ImportSource source_;            // of the preview and the import
    bool busy_ = false;              // a job was handed in and its result not yet shown
    unsigned lastJob_ = 0;           // the number of the last job handed in
    std::vector<std::function<void(const history::Lottery&)>> listeners_;
    QPointer<HistoryWindow> historyWindow_;
    QPointer<ImportPreviewDialog> lastPreview_;
    QPointer<ImportReportDialog> lastReport_;
    std::mutex postedMutex_;
    std::vector<SerialWorker::Task> posted_;
    SerialWorker worker_;  // last: shut down before the rest goes
};

// The 历史 menu of a main window that has one, else nullptr.
QMenu* FindHistoryMenu(QMainWindow& window);

}  // namespace sanxing
