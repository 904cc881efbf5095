#pragma once
// The main window: a Qt view of the window model's control store. It owns the model,
// one widget per control, the store mirror, the event routing, the keyboard handling, the
// menus and what the window remembers between runs.

#include <QMainWindow>
#include <memory>

#include "app/window_model.h"

namespace sanxing {

class AnalysisMenu;
class ControlWidgets;
class EventRouter;
class HistoryMenu;
class SchemeMenu;
class StoreMirror;
class WindowSettings;

class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    // `settingsFile` holds what the window remembers; empty: the user's settings.ini.
    explicit MainWindow(Platform& platform, QWidget* parent = nullptr, const QString& settingsFile = {});
    ~MainWindow() override;

    WindowModel& model() { return model_; }
    ControlWidgets& widgets() { return *widgets_; }
    EventRouter& router() { return *router_; }
    SchemeMenu& schemes() { return *schemes_; }
    WindowSettings& settings() { return *settings_; }
    // The 历史 menu and the window's way to the draw history.
    HistoryMenu& history() { return *history_; }
    // 历史验证, 走势图 and 查号.
    AnalysisMenu& analysis() { return *analysis_; }

    // The creation-complete event, once the window is shown: starts the timers, runs the
    // model's start-up handler, updates an outdated history of 福彩3D and 排列三 from its
    // draw-file addresses (and again every 30 minutes while one is selected), and tells of
    // a missing Chinese font, unreadable or set-aside settings and saves that an earlier
    // run left unfinished.
    void created();

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void restoreSettings();
    void rememberSettings();
    void reportStartProblems();
    void startHistoryUpdates();

    WindowModel model_;
    std::unique_ptr<WindowSettings> settings_;
    std::unique_ptr<ControlWidgets> widgets_;
    StoreMirror* mirror_ = nullptr;
    EventRouter* router_ = nullptr;
    SchemeMenu* schemes_ = nullptr;
    HistoryMenu* history_ = nullptr;
    AnalysisMenu* analysis_ = nullptr;
};

}  // namespace sanxing
