#include "app/qt/main_window.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QTextBrowser>
#include <QTimer>
#include <stdexcept>

#include "app/qt/announcement_view.h"
#include "app/qt/control_widgets.h"
#include "app/qt/event_router.h"
#include "app/qt/fonts.h"
#include "app/qt/history_menu.h"
#include "app/qt/regions.h"
#include "app/qt/scheme_menu.h"
#include "app/qt/store_mirror.h"

namespace sanxing {

namespace {

// Every widget must have found its place; one left over would float over the window.
void RequireAllPlaced(const ControlWidgets& widgets) {
    const auto left = widgets.unplaced();
    if (left.empty()) return;
    std::string names;
    for (const std::string& name : left) names += " " + name;
    throw std::logic_error("controls without a place in the window:" + names);
}

}  // namespace

MainWindow::MainWindow(Platform& platform, QWidget* parent) : QMainWindow(parent), model_(platform) {
    setFont(WindowFont());
    const ControlSpec& window = model_.controls().table().front();
    widgets_ = std::make_unique<ControlWidgets>(model_.controls(), this);
    auto* central = new QWidget;
    BuildWindowLayout(*widgets_, central);
    RequireAllPlaced(*widgets_);
    setCentralWidget(central);
    schemes_ = new SchemeMenu(model_, menuBar());
    history_ = new HistoryMenu(model_, *this);
    model_.drawList().useHistory(history_->access().path());

    mirror_ = new StoreMirror(model_.controls(), *widgets_, this);
    mirror_->showAll();
    router_ = new EventRouter(model_, *widgets_, this);
    ShowAnnouncements(widgets_->get<QTextBrowser>("超文本浏览框"), model_.announcement());
    ShowDrawStatus(this, model_.drawList());

    move(window.rect.x, window.rect.y);
    resize(window.rect.width, window.rect.height);
}

MainWindow::~MainWindow() {
    model_.shutdown();
    model_.announcement().setListener({});
    model_.drawList().setStatusListener({});
    // The mirror stops observing the store before the widgets go.
    delete mirror_;
    delete router_;
}

void MainWindow::created() {
    for (std::size_t i = 0; i < widgets_->size(); ++i) {
        if (auto* timer = qobject_cast<QTimer*>(widgets_->object(i))) timer->start();
    }
    model_.created();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (!event->isAccepted()) return;
    // Background work ends with the window: nothing runs on after it is gone.
    model_.shutdown();
    emit closed();
}

}  // namespace sanxing
