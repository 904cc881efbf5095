#pragma once
// The main window: a Qt view of the window model's control store. It owns the model,
// one widget per control, the store mirror, the event routing and the 方案 menu.

#include <QMainWindow>
#include <memory>

#include "app/window_model.h"

namespace sanxing {

class ControlWidgets;
class EventRouter;
class HistoryMenu;
class SchemeMenu;
class StoreMirror;

class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Platform& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    WindowModel& model() { return model_; }
    ControlWidgets& widgets() { return *widgets_; }
    EventRouter& router() { return *router_; }
    SchemeMenu& schemes() { return *schemes_; }
    // The 历史 menu and the window's way to the draw history.
    HistoryMenu& history() { return *history_; }

    // The creation-complete event, once the window is shown: starts the timers and runs
    // the model's start-up handler.
    void created();

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    WindowModel model_;
    std::unique_ptr<ControlWidgets> widgets_;
    StoreMirror* mirror_ = nullptr;
    EventRouter* router_ = nullptr;
    SchemeMenu* schemes_ = nullptr;
    HistoryMenu* history_ = nullptr;
};

}  // namespace sanxing
