#include "gui/main_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QMenuBar>
#include <QTextBrowser>
#include <QTimer>
#include <algorithm>
#include <stdexcept>

#include "gui/analysis/analysis_menu.h"
#include "gui/binding/announcement_view.h"
#include "gui/binding/control_widgets.h"
#include "gui/binding/event_router.h"
#include "gui/binding/keyboard.h"
#include "gui/binding/shortcuts.h"
#include "gui/binding/store_mirror.h"
#include "gui/binding/tolerance_guard.h"
#include "gui/binding/tooltips.h"
#include "gui/file_menu.h"
#include "gui/help_menu.h"
#include "gui/history/history_menu.h"
#include "gui/pages/regions.h"
#include "gui/platform/window_settings.h"
#include "gui/scheme_menu.h"
#include "gui/style/fonts.h"
#include "history/data_end.h"
#include "tools/interrupted_saves.h"
#include "window/control_names.h"

namespace sanxing {

namespace {

constexpr std::string_view kAdPanel = ctl::kAdPanel;

// What the window keeps of its controls and its session between runs.
const QString kLotteryKey = QStringLiteral("window/lottery");
const QString kVerifyKey = QStringLiteral("window/verify");
const QString kBaseFileKey = QStringLiteral("folders/lastBaseFile");
const QString kResultFolderKey = QStringLiteral("folders/result");

// Picks the remembered item of a list; one the list does not have (any more) is ignored.
void SelectRemembered(ControlStore& controls, std::string_view list, const QString& item) {
    const auto& items = controls.spec(list).items;
    const auto found = std::find(items.begin(), items.end(), item.toStdString());
    if (!item.isEmpty() && found != items.end()) controls.select(list, static_cast<int>(found - items.begin()));
}

// Every widget must have found its place; one left over would float over the window.
void RequireAllPlaced(const ControlWidgets& widgets) {
    const auto left = widgets.unplaced();
    if (left.empty()) return;
    std::string names;
    for (const std::string& name : left) names += " " + name;
    throw std::logic_error("controls without a place in the window:" + names);
}

}  // namespace

MainWindow::MainWindow(Platform& platform, QWidget* parent, const QString& settingsFile)
    : QMainWindow(parent),
      model_(platform),
      settings_(settingsFile.isEmpty() ? std::make_unique<WindowSettings>()
                                       : std::make_unique<WindowSettings>(settingsFile)) {
    setFont(WindowFont());
    const ControlRow& window = model_.controls().table().front();
    widgets_ = std::make_unique<ControlWidgets>(model_.controls(), this);
    auto* central = new QWidget;
    BuildWindowLayout(*widgets_, central);
    RequireAllPlaced(*widgets_);
    setCentralWidget(central);
    AddFileMenu(menuBar(), *widgets_, this);
    schemes_ = new SchemeMenu(model_, *settings_, menuBar());
    history_ = new HistoryMenu(model_, *this, settings_.get());
    analysis_ = new AnalysisMenu(model_, *widgets_, *this, history_->menu(), history_->session(), settings_.get());
    history_->onHistoryChanged([this](const history::Lottery& lottery) { analysis_->historyChanged(lottery); });
    // The window's history is the user's own: it gets the shipped draws.
    model_.drawList().useHistory(history_->session().path(), model_.platform().programDirectory());
    model_.historyUpdater().useHistory(history_->session().path());

    mirror_ = new StoreMirror(model_.controls(), *widgets_, this);
    mirror_->showAll();
    router_ = new EventRouter(model_, *widgets_, this);
    ShowAnnouncements(widgets_->get<QTextBrowser>(ctl::kAdPage), model_.announcement());
    SetUpKeyboard(*widgets_, central);
    AddButtonShortcuts(this, *widgets_);
    SetToolTips(*widgets_);
    GuardToleranceBox(widgets_->get<QComboBox>(ctl::kTolerance));
    AddHelpMenu(menuBar(), this);  // 帮助 stays the last menu
    ShowDrawStatus(this, model_.drawList());

    move(window.rect.x, window.rect.y);
    resize(window.rect.width, window.rect.height);
    restoreSettings();
}

MainWindow::~MainWindow() {
    model_.shutdown();
    model_.announcement().setListener({});
    model_.drawList().setStatusListener({});
    // The mirror stops observing the store before the widgets go; so do the analysis
    // dialogs, which would otherwise outlive the store as the window's children.
    delete mirror_;
    delete router_;
    delete analysis_;
}

void MainWindow::created() {
    for (std::size_t i = 0; i < widgets_->size(); ++i) {
        if (auto* timer = qobject_cast<QTimer*>(widgets_->object(i))) timer->start();
    }
    model_.created();
    startHistoryUpdates();
    reportStartProblems();
}

void MainWindow::startHistoryUpdates() {
    HistoryUpdater& updater = model_.historyUpdater();
    updater.updateOutdated(history::Today());
    auto* timer = new QTimer(this);
    timer->setInterval(kHistoryUpdateEvery);
    connect(timer, &QTimer::timeout, this, [&updater] { updater.tick(); });
    timer->start();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (!event->isAccepted()) return;
    rememberSettings();
    // Background work ends with the window: nothing runs on after it is gone.
    model_.shutdown();
    emit closed();
}

void MainWindow::restoreSettings() {
    const QByteArray geometry = settings_->geometry();
    if (!geometry.isEmpty()) restoreGeometry(geometry);
    if (settings_->announcementClosed()) model_.controls().setVisible(kAdPanel, false);
    SelectRemembered(model_.controls(), ctl::kLottery, settings_->text(kLotteryKey));
    SelectRemembered(model_.controls(), ctl::kVerifyWindow, settings_->text(kVerifyKey));
    model_.session().lastOpenPath = settings_->text(kBaseFileKey).toStdString();
    model_.session().saveDirectory = settings_->text(kResultFolderKey).toStdString();
}

void MainWindow::rememberSettings() {
    settings_->setGeometry(saveGeometry());
    settings_->setAnnouncementClosed(!model_.controls().visible(kAdPanel));
    settings_->setText(kLotteryKey, QString::fromStdString(model_.controls().text(ctl::kLottery)));
    settings_->setText(kVerifyKey, QString::fromStdString(model_.controls().text(ctl::kVerifyWindow)));
    settings_->setText(kBaseFileKey, QString::fromStdString(model_.session().lastOpenPath));
    settings_->setText(kResultFolderKey, QString::fromStdString(model_.session().saveDirectory));
    settings_->save();
}

void MainWindow::reportStartProblems() {
    const QString font = MissingChineseFontWarning();
    if (!font.isEmpty()) qWarning("sanxing: %s", qPrintable(font));
    QStringList problems{font, settings_->problem().value_or(QString()), settings_->notice().value_or(QString())};
    for (const std::string& note : InterruptedSaveNotes()) problems << QString::fromStdString(note);
    for (const QString& problem : problems) {
        if (problem.isEmpty()) continue;
        model_.platform().messageBox(problem.toStdString(), "提示", MessageIcon::Warning, MessageButtons::Ok);
    }
}

}  // namespace sanxing
