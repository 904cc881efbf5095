#include "gui/history/history_menu.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>

#include "analysis/draw_range.h"
#include "app/window_model.h"
#include "draws/history_updater.h"
#include "draws/html_tables.h"
#include "history/draw_export.h"
#include "tools/safe_file_write.h"

namespace sanxing {

namespace {

constexpr const char* kMenuName = "historyMenu";
constexpr const char* kImportFilter = "开奖号码文件(*.txt;*.csv;*.json)|*.txt;*.csv;*.json|所有文件(*.*)|*.*";
constexpr const char* kExportFilter = "CSV 文件(*.csv)|*.csv|所有文件(*.*)|*.*";
constexpr const char* kClipboard = "剪贴板";
constexpr const char* kUpdateCaption = "更新开奖数据";

const history::Lottery& WindowLottery(const WindowModel& model) {
    return *analysis::AnalysisChoiceFromControls(model.controls()).lottery;
}

}  // namespace

HistoryMenu::HistoryMenu(WindowModel& model, QMainWindow& window, WindowSettings* settings,
                         std::filesystem::path databaseFile)
    : QObject(&window),
      model_(model),
      window_(window),
      access_(model.platform(), std::move(databaseFile)),
      drawFolder_(settings, kDrawFilesFolder) {
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
    // not wait long.
    closing_ = true;
    stopPreview_ = true;
    if (worker_.joinable()) worker_.join();
}

void HistoryMenu::onHistoryChanged(std::function<void(const history::Lottery&)> listener) {
    listeners_.push_back(std::move(listener));
}

void HistoryMenu::importDraws() { importDrawsInto(WindowLottery(model_)); }

void HistoryMenu::importDrawsInto(const history::Lottery& lottery) {
    if (busy_ || !access_.writable()) return;
    const auto file = model_.platform().openFileDialog(
        {"导入开奖号码到" + std::string(lottery.name), kImportFilter, drawFolder_.start(), ""});
    if (!file) return;
    drawFolder_.rememberFolderOf(*file);
    if (auto importable = history::CheckDrawFile(*file); !importable) {
        return tell(importable.error(), MessageIcon::Error);
    }
    source_ = {*file, nullptr, *file};
    previewInto(lottery);
}

void HistoryMenu::previewInto(const history::Lottery& lottery) {
    if (busy_) return;
    stopPreview_ = false;
    runInBackground([this, source = source_, &lottery]() -> std::function<void()> {
        auto preview = source.text
                           ? history::PreviewDrawText(*source.text, source.name, lottery, std::nullopt, &stopPreview_)
                           : history::PreviewDrawFile(source.file, lottery, std::nullopt, &stopPreview_);
        return [this, source, &lottery, preview = std::move(preview)] {
            if (!preview) return tell(preview.error(), MessageIcon::Error);
            openPreview(source, lottery, preview);
        };
    });
}

void HistoryMenu::importClipboard() {
    if (busy_ || !access_.writable()) return;
    const history::Lottery& lottery = WindowLottery(model_);
    const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
    std::string html = clipboard && clipboard->hasHtml() ? clipboard->html().toStdString() : std::string();
    std::string text = clipboard && clipboard->hasText() ? clipboard->text().toStdString() : std::string();
    stopPreview_ = false;
    runInBackground([this, html = std::move(html), text = std::move(text), &lottery]() -> std::function<void()> {
        // A table copied from a page, else whatever text there is.
        auto content = std::make_shared<std::string>(HtmlTableText(html));
        if (content->empty()) *content = text;
        if (content->find_first_not_of(" \t\r\n") == std::string::npos) {
            return [this] {
                tell("剪贴板中没有表格或文字。请在开奖结果页上选中表格并复制，再来导入。", MessageIcon::Information);
            };
        }
        auto preview = history::PreviewDrawText(*content, kClipboard, lottery, std::nullopt, &stopPreview_);
        return [this, content, &lottery, preview = std::move(preview)] {
            if (!preview) return tell(preview.error(), MessageIcon::Error);
            openPreview({{}, content, kClipboard}, lottery, preview);
        };
    });
}

void HistoryMenu::openPreview(ImportSource source, const history::Lottery& lottery,
                              const Result<history::ImportPreview>& first) {
    source_ = std::move(source);
    if (lastPreview_) lastPreview_->close();
    auto* dialog = new ImportPreviewDialog(
        QString::fromStdString(source_.name), lottery,
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
    const unsigned request = ++previewRequest_;
    stopPreview_ = true;  // a preview still running stops at its next chunk
    runInBackground([this, source = source_, &lottery, columns, request]() -> std::function<void()> {
        stopPreview_ = false;  // the one before has ended
        auto preview = source.text
                           ? history::PreviewDrawText(*source.text, source.name, lottery, columns, &stopPreview_)
                           : history::PreviewDrawFile(source.file, lottery, columns, &stopPreview_);
        return [this, request, preview = std::move(preview)] {
            if (request == previewRequest_ && lastPreview_) lastPreview_->showPreview(preview);
        };
    });
}

void HistoryMenu::runImport(const history::Lottery& lottery, history::ImportOptions options) {
    options.cancel = &closing_;
    runInBackground([this, path = access_.path(), source = source_, &lottery, options]() -> std::function<void()> {
        auto db = history::HistoryDb::open(path);
        if (!db) return [this, error = db.error()] { tell(error, MessageIcon::Error); };
        auto report = source.text ? history::ImportDrawText(*db, lottery, *source.text, source.name, options)
                                  : history::ImportDrawFile(*db, lottery, source.file, options);
        if (!report) return [this, error = report.error()] { tell(error, MessageIcon::Error); };
        return [this, &lottery, options, report = std::move(*report)] { showReport(lottery, report, options); };
    });
}

void HistoryMenu::exportDraws() {
    if (busy_ || !access_.database()) return;
    const history::Lottery& lottery = WindowLottery(model_);
    const std::string name = std::string(lottery.name) + "开奖号码.csv";
    const auto file = model_.platform().saveFileDialog(
        {"导出" + std::string(lottery.name) + "开奖号码", kExportFilter, drawFolder_.start(), name});
    if (!file) return;
    drawFolder_.rememberFolderOf(*file);
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
    if (!historyWindow_) {
        historyWindow_ = new HistoryWindow(access_, model_.platform(), &window_);
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
    if (!access_.database()) return;
    update_->setEnabled(false);
    const bool started = updater.updateAll([this](const std::vector<HistoryUpdate>& updates) {
        update_->setEnabled(true);
        std::string text = "更新开奖数据：";
        bool failed = false;
        for (const HistoryUpdate& update : updates) {
            text += '\n';
            text += UpdateLine(update);
            failed = failed || !update.error.empty();
        }
        model_.platform().messageBox(text, kUpdateCaption, failed ? MessageIcon::Warning : MessageIcon::Information,
                                     MessageButtons::Ok);
    });
    update_->setEnabled(!started);
}

void HistoryMenu::runInBackground(std::function<std::function<void()>()> work) {
    if (worker_.joinable()) worker_.join();  // the previous job has finished or is stopping
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
        QString::fromStdString(source_.name), lottery, report, replace,
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

void HistoryMenu::tell(const std::string& text, MessageIcon icon) {
    model_.platform().messageBox(text, kHistoryCaption, icon, MessageButtons::Ok);
}

QMenu* FindHistoryMenu(QMainWindow& window) {
    return window.menuBar()->findChild<QMenu*>(QString::fromLatin1(kMenuName));
}

}  // namespace sanxing
