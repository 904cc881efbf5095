#include "gui/history/history_menu.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "analysis/draw_range.h"
#include "app/window_model.h"
#include "gui/history/history_window.h"
#include "gui/history/import_report_dialog.h"
#include "history/draw_export.h"
#include "tools/safe_file_write.h"

namespace sanxing {

namespace {

constexpr const char* kMenuName = "historyMenu";
constexpr const char* kImportFilter = "开奖号码文件(*.txt;*.csv)|*.txt;*.csv|所有文件(*.*)|*.*";
constexpr const char* kExportFilter = "CSV 文件(*.csv)|*.csv|所有文件(*.*)|*.*";

}  // namespace

HistoryMenu::HistoryMenu(WindowModel& model, QMainWindow& window, std::filesystem::path databaseFile)
    : QObject(&window), model_(model), window_(window), access_(model.platform(), std::move(databaseFile)) {
    menu_ = window.menuBar()->addMenu(QStringLiteral("历史(&L)"));
    menu_->setObjectName(QString::fromLatin1(kMenuName));
    import_ = menu_->addAction(QStringLiteral("导入开奖号码(&I)…"), this, &HistoryMenu::importDraws);
    export_ = menu_->addAction(QStringLiteral("导出开奖号码(&E)…"), this, &HistoryMenu::exportDraws);
    menu_->addAction(QStringLiteral("开奖历史(&H)"), this, &HistoryMenu::showHistory);
}

HistoryMenu::~HistoryMenu() {
    closing_ = true;  // an import rolls back at its next chunk, so closing does not wait long
    if (worker_.joinable()) worker_.join();
}

void HistoryMenu::importDraws() {
    if (busy_ || !access_.database()) return;
    const history::Lottery& lottery = *analysis::AnalysisChoiceFromControls(model_.controls()).lottery;
    const auto file = model_.platform().openFileDialog(
        {"导入开奖号码到" + std::string(lottery.name), kImportFilter, directory_.toStdString(), ""});
    if (!file) return;
    directory_ = QFileInfo(QString::fromStdString(*file)).absolutePath();
    runInBackground([this, path = access_.path(), file = *file, &lottery]() -> std::function<void()> {
        auto db = history::HistoryDb::open(path);
        if (!db) return [this, error = db.error()] { tell(error, MessageIcon::Error); };
        auto report = history::ImportDrawFile(*db, lottery, file, &closing_);
        if (!report) return [this, error = report.error()] { tell(error, MessageIcon::Error); };
        return [this, file, &lottery, report = std::move(*report)] { showReport(file, lottery, report); };
    });
}

void HistoryMenu::exportDraws() {
    if (busy_ || !access_.database()) return;
    const history::Lottery& lottery = *analysis::AnalysisChoiceFromControls(model_.controls()).lottery;
    const std::string name = std::string(lottery.name) + "开奖号码.csv";
    const auto file = model_.platform().saveFileDialog(
        {"导出" + std::string(lottery.name) + "开奖号码", kExportFilter, directory_.toStdString(), name});
    if (!file) return;
    directory_ = QFileInfo(QString::fromStdString(*file)).absolutePath();
    runInBackground([this, path = access_.path(), file = *file, &lottery]() -> std::function<void()> {
        auto db = history::HistoryDb::shared(path);
        if (!db) return [this, error = db.error()] { tell(error, MessageIcon::Error); };
        const auto csv = history::ExportCsv(**db, lottery.name);
        const auto count = (*db)->count(lottery.name);
        if (!csv || !count) {
            return [this, error = csv ? count.error() : csv.error()] { tell(error, MessageIcon::Error); };
        }
        if (auto written = WriteFileWhole(file, *csv); !written) {
            return [this, text = "无法写入“" + file + "”：" + written.error()] { tell(text, MessageIcon::Error); };
        }
        const std::string done =
            "已把" + std::string(lottery.name) + "的 " + std::to_string(*count) + " 期开奖号码导出到“" + file + "”";
        return [this, done] { tell(done, MessageIcon::Information); };
    });
}

void HistoryMenu::showHistory() {
    if (!access_.database()) return;
    if (!historyWindow_) historyWindow_ = new HistoryWindow(access_, model_.platform(), &window_);
    historyWindow_->showLottery(*analysis::AnalysisChoiceFromControls(model_.controls()).lottery);
    historyWindow_->show();
    historyWindow_->raise();
    historyWindow_->activateWindow();
}

void HistoryMenu::runInBackground(std::function<std::function<void()>()> work) {
    if (worker_.joinable()) worker_.join();  // the previous job has already finished
    setBusy(true);
    worker_ = std::thread([this, work = std::move(work)] {
        std::function<void()> then = work();
        // Queued to this object: dropped if the window is gone by then.
        QMetaObject::invokeMethod(
            this,
            [this, then = std::move(then)] {
                setBusy(false);
                then();
            },
            Qt::QueuedConnection);
    });
}

void HistoryMenu::setBusy(bool busy) {
    busy_ = busy;
    import_->setEnabled(!busy);
    export_->setEnabled(!busy);
}

void HistoryMenu::showReport(const std::string& file, const history::Lottery& lottery,
                             const history::ImportReport& report) {
    if (historyWindow_ && historyWindow_->isVisible()) historyWindow_->showLottery(lottery);
    lastReport_ = new ImportReportDialog(file, lottery, report, &window_);
    lastReport_->show();
}

void HistoryMenu::tell(const std::string& text, MessageIcon icon) {
    model_.platform().messageBox(text, kHistoryCaption, icon, MessageButtons::Ok);
}

QMenu* FindHistoryMenu(QMainWindow& window) {
    return window.menuBar()->findChild<QMenu*>(QString::fromLatin1(kMenuName));
}

}  // namespace sanxing
