#include "gui/history/history_menu.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>

#include "analysis/draw_range.h"
#include "app/window_model.h"
#include "draws/history_updater.h"
#include "services/history_export.h"
#include "services/history_refresh.h"

namespace sanxing {

namespace {

constexpr const char* kMenuName = "historyMenu";
constexpr const char* kImportFilter = "开奖号码文件(*.txt;*.csv;*.json)|*.txt;*.csv;*.json|所有文件(*.*)|*.*";
constexpr const char* kExportFilter = "CSV 文件(*.csv)|*.csv|所有文件(*.*)|*.*";

const history::Lottery& WindowLottery(const WindowModel& model) {
    return *analysis::AnalysisChoiceFromControls(model.controls()).lottery;
}

}  // namespace

HistoryMenu::HistoryMenu(WindowModel& model, QMainWindow& window, WindowSettings* settings,
                         std::filesystem::path databaseFile)
    : QObject(&window),
      model_(model),
      window_(window),
      session_(std::move(databaseFile)),
      drawFolder_(settings, kDrawFilesFolder),
      worker_([this](SerialWorker::Task task) { post(std::move(task)); }) {
    session_.onNotice([this](const HistoryNotice& notice) { showNotice(notice); });
    menu_ = window.menuBar()->addMenu(QStringLiteral("历史(&L)"));
    menu_->setObjectName(QString::fromLatin1(kMenuName));
    actions_ = {menu_->addAction(QStringLiteral("导入开奖号码(&I)…"), this, &HistoryMenu::importDraws),
                menu_->addAction(QStringLiteral("从剪贴板导入(&P)…"), this, &HistoryMenu::importClipboard),
                menu_->addAction(QStringLiteral("导出开奖号码(&E)…"), this, &HistoryMenu::exportDraws)};
    update_ = menu_->addAction(QStringLiteral("更新开奖数据(&U)"), this, &HistoryMenu::updateDraws);
    menu_->addAction(QStringLiteral("开奖历史(&H)"), this, &HistoryMenu::showHistory);
    model_.historyUpdater().onDrawsAdded([this](const history::Lottery& lottery) { historyGrew(lottery); });
}

HistoryMenu::~HistoryMenu() {
    // A running import rolls back and a preview stops at its next chunk, so closing does
    // not wait long; what they still post is dropped with this object.
    (void)worker_.shutdown();
}

void HistoryMenu::onHistoryChanged(std::function<void(const history::Lottery&)> listener) {
    listeners_.push_back(std::move(listener));
}

void HistoryMenu::importDraws() { importDrawsInto(WindowLottery(model_)); }

void HistoryMenu::importDrawsInto(const history::Lottery& lottery) {
    if (busy_ || !session_.writable()) return;
    const auto file = model_.platform().openFileDialog(
        {"导入开奖号码到" + std::string(lottery.name), kImportFilter, drawFolder_.start(), ""});
    if (!file) return;
    drawFolder_.rememberFolderOf(*file);
    auto source = ImportSource::File(*file);
    if (!source) return tell(source.error(), MessageIcon::Error);
    source_ = std::move(*source);
    previewInto(lottery);
}

void HistoryMenu::previewInto(const history::Lottery& lottery) {
    if (busy_) return;
    runInBackground([this, source = source_, &lottery](const SerialWorker::JobContext& job) -> std::function<void()> {
        auto preview = PreviewImport(source, lottery, std::nullopt, &job.cancel());
        return [this, source, &lottery, preview = std::move(preview)] {
            if (!preview) return tell(preview.error(), MessageIcon::Error);
            openPreview(source, lottery, preview);
        };
    });
}

void HistoryMenu::importClipboard() {
    if (busy_ || !session_.writable()) return;
    const history::Lottery& lottery = WindowLottery(model_);
    const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
    std::string html = clipboard && clipboard->hasHtml() ? clipboard->html().toStdString() : std::string();
    std::string text = clipboard && clipboard->hasText() ? clipboard->text().toStdString() : std::string();
    runInBackground([this, html = std::move(html), text = std::move(text),
                     &lottery](const SerialWorker::JobContext& job) -> std::function<void()> {
        auto source = ImportSource::Clipboard(html, text);
        if (!source) return [this, error = source.error()] { tell(error, MessageIcon::Information); };
        auto preview = PreviewImport(*source, lottery, std::nullopt, &job.cancel());
        return [this, source = std::move(*source), &lottery, preview = std::move(preview)] {
            if (!preview) return tell(preview.error(), MessageIcon::Error);
            openPreview(source, lottery, preview);
        };
    });
}

void HistoryMenu::openPreview(ImportSource source, const history::Lottery& lottery,
                              const Result<history::ImportPreview>& first) {
    source_ = std::move(source);
    if (lastPreview_) lastPreview_->close();
    auto* dialog = new ImportPreviewDialog(
        QString::fromStdString(source_.name()), lottery,
        [this](const history::Lottery& chosen, std::optional<history::ColumnMap> columns) {
            requestPreview(chosen, std::move(columns));
        },
        &window_);
    lastPreview_ = dialog;
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        history::ImportOptions options;
        options.columns = dialog->columns();  // what the preview showed
        runImport(dialog->lottery(), options);
    });
    dialog->showPreview(first);
    dialog->show();
}

void HistoryMenu::requestPreview(const history::Lottery& lottery, std::optional<history::ColumnMap> columns) {
    // A preview still running stops at its next chunk, and what it found is dropped.
    runInBackground(
        [this, source = source_, &lottery, columns](const SerialWorker::JobContext& job) -> std::function<void()> {
            auto preview = PreviewImport(source, lottery, columns, &job.cancel());
            return [this, preview = std::move(preview)] {
                if (lastPreview_) lastPreview_->showPreview(preview);
            };
        },
        true);
}

void HistoryMenu::runImport(const history::Lottery& lottery, history::ImportOptions options) {
    // The job keeps a session of its own on the same file: it may outlast this menu.
    runInBackground([this, history = HistorySession(session_.path()), source = source_, &lottery,
                     options](const SerialWorker::JobContext& job) mutable -> std::function<void()> {
        options.cancel = &job.cancel();
        auto report = ImportDraws(history, source, lottery, options);
        if (report.code() == ErrorCode::OtherLottery) {
            return [this, &lottery, options, error = report.error()] { confirmLottery(lottery, options, error); };
        }
        if (!report) return [this, error = report.error()] { tell(error, MessageIcon::Error); };
        return [this, &lottery, options, report = std::move(*report)] { showReport(lottery, report, options); };
    });
}

// The draws seem another lottery's: stored into `lottery` only when the player says so.
void HistoryMenu::confirmLottery(const history::Lottery& lottery, history::ImportOptions options,
                                 const std::string& why) {
    const std::string question = why + "\n\n仍要存入" + std::string(lottery.name) + "吗？";
    if (model_.platform().messageBox(question, "导入开奖号码", MessageIcon::Question, MessageButtons::YesNoDefaultNo) !=
        MessageAnswer::Yes) {
        return;
    }
    options.otherLotteryConfirmed = true;
    runImport(lottery, options);
}

void HistoryMenu::exportDraws() {
    if (busy_) return;
    auto db = session_.database();
    if (!db) return;
    const history::Lottery& lottery = WindowLottery(model_);
    const std::string name = std::string(lottery.name) + "开奖号码.csv";
    const auto file = model_.platform().saveFileDialog(
        {"导出" + std::string(lottery.name) + "开奖号码", kExportFilter, drawFolder_.start(), name});
    if (!file) return;
    drawFolder_.rememberFolderOf(*file);
    runInBackground([this, db = *db, file = *file, &lottery](const SerialWorker::JobContext&) -> std::function<void()> {
        const auto count = ExportDraws(*db, lottery, file);
        if (!count) return [this, error = count.error()] { tell(error, MessageIcon::Error); };
        const std::string done =
            "已把" + std::string(lottery.name) + "的 " + std::to_string(*count) + " 期开奖号码导出到“" + file + "”";
        return [this, done] { tell(done, MessageIcon::Information); };
    });
}

void HistoryMenu::showHistory() {
    if (!session_.database()) return;
    if (!historyWindow_) {
        historyWindow_ = new HistoryWindow(session_, model_.platform(), &window_);
        historyWindow_->onDrawsDeleted([this](const history::Lottery& lottery) { historyChanged(lottery, true); });
        historyWindow_->onImport([this](const history::Lottery& lottery) { importDrawsInto(lottery); });
    }
    historyWindow_->showLottery(WindowLottery(model_));
    historyWindow_->show();
    historyWindow_->raise();
    historyWindow_->activateWindow();
}

void HistoryMenu::updateDraws() {
    HistoryUpdater& updater = model_.historyUpdater();
    if (!updater.configured()) {
        return tell(NoUpdateAddressText(model_.drawHosts(), DefaultDrawHostsPath()), MessageIcon::Information);
    }
    if (!session_.database()) return;
    update_->setEnabled(false);
    const bool started = updater.updateAll([this](const std::vector<HistoryUpdate>& updates) {
        update_->setEnabled(true);
        const UpdateReport report{updates};
        model_.platform().messageBox(report.text(), kUpdateCaption,
                                     report.anyFailed() ? MessageIcon::Warning : MessageIcon::Information,
                                     MessageButtons::Ok);
    });
    update_->setEnabled(!started);
}

void HistoryMenu::runInBackground(Work work, bool supersede) {
    const unsigned ticket = ++lastJob_;
    setBusy(true);
    SerialWorker::Job job = [this, work = std::move(work), ticket, supersede](const SerialWorker::JobContext& context) {
        std::function<void()> then = work(context);
        context.post([this, then = std::move(then), ticket, supersede] {
            // Jobs end in the order they were handed in: the last one ends the busy state.
            // A preview that a newer job followed comes too late to be shown.
            const bool last = ticket == lastJob_;
            if (last) setBusy(false);
            if (last || !supersede) then();
        });
    };
    if (supersede) {
        worker_.supersede(std::move(job));
    } else {
        worker_.replace(std::move(job));
    }
}

void HistoryMenu::post(SerialWorker::Task task) {
    {
        std::lock_guard lock(postedMutex_);
        posted_.push_back(std::move(task));
    }
    QCoreApplication::postEvent(this, new QEvent(QEvent::User));
}

void HistoryMenu::customEvent(QEvent*) {
    std::vector<SerialWorker::Task> tasks;
    {
        std::lock_guard lock(postedMutex_);
        tasks.swap(posted_);
    }
    for (SerialWorker::Task& task : tasks) task();
}

void HistoryMenu::setBusy(bool busy) {
    busy_ = busy;
    for (QAction* action : actions_) action->setEnabled(!busy);
}

void HistoryMenu::showReport(const history::Lottery& lottery, const history::ImportReport& report,
                             const history::ImportOptions& options) {
    if (report.stored > 0 || report.replacedCount() > 0) historyChanged(lottery);
    std::function<void()> replace;
    if (report.storedConflicts > 0 && !options.replaceConflicts) {
        // 以文件为准: the same input again, replacing the stored draws that differ.
        replace = [this, &lottery, options] {
            history::ImportOptions again = options;
            again.replaceConflicts = true;
            runImport(lottery, again);
        };
    }
    if (lastReport_) lastReport_->close();
    lastReport_ = new ImportReportDialog(
        QString::fromStdString(source_.name()), lottery, report, replace,
        [this](const history::Lottery& better) { previewInto(better); }, &window_);
    lastReport_->show();
}

void HistoryMenu::historyChanged(const history::Lottery& lottery, bool fromHistoryWindow) {
    model_.drawList().historyChanged(lottery.kindIndex);
    if (!fromHistoryWindow && historyWindow_ && historyWindow_->isVisible()) historyWindow_->showLottery(lottery);
    for (const auto& listener : listeners_) listener(lottery);
}

void HistoryMenu::historyGrew(const history::Lottery& lottery) {
    if (historyWindow_ && historyWindow_->isVisible() && historyWindow_->lottery().name == lottery.name) {
        historyWindow_->refresh();
    }
    for (const auto& listener : listeners_) listener(lottery);
}

void HistoryMenu::showNotice(const HistoryNotice& notice) {
    switch (notice.kind) {
        case HistoryNotice::Kind::Off:
            return tell(notice.text + "\n开奖历史的功能在本次运行中关闭。", MessageIcon::Error);
        case HistoryNotice::Kind::Busy: return tell(notice.text, MessageIcon::Error);
        case HistoryNotice::Kind::ReadOnly: return tell(notice.text, MessageIcon::Information);
        case HistoryNotice::Kind::ShippedDraws: return;  // the draw list offers them
    }
}

void HistoryMenu::tell(const std::string& text, MessageIcon icon) {
    model_.platform().messageBox(text, kHistoryCaption, icon, MessageButtons::Ok);
}

QMenu* FindHistoryMenu(QMainWindow& window) {
    return window.menuBar()->findChild<QMenu*>(QString::fromLatin1(kMenuName));
}

}  // namespace sanxing
