#pragma once
// SIGTERM, SIGINT and SIGHUP (a logout, `kill`, Ctrl+C in the terminal) close the window
// as 退出 does: the settings are saved, background transfers cancelled, and the program
// ends with code 0. The handler only writes a byte to a pipe; the UI thread reads it and
// runs the close. A second signal, while the first is still being handled, ends the
// program at once.

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace sanxing {

class QuitSignals final : public QObject {
    Q_OBJECT
public:
    // Catches the signals while this lives; `quit` runs on the UI thread at the first.
    explicit QuitSignals(std::function<void()> quit, QObject* parent = nullptr);
    ~QuitSignals() override;

private:
    void onSignal();

    std::function<void()> quit_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace sanxing
