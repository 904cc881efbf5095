#include "gui/platform/quit_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <array>
#include <cerrno>

namespace sanxing {

namespace {

constexpr std::array kQuitSignals{SIGTERM, SIGINT, SIGHUP};

// The pipe from the handler to the UI thread, and whether a signal has come.
int g_pipe[2] = {-1, -1};
volatile sig_atomic_t g_received = 0;
struct sigaction g_previous[kQuitSignals.size()];

// Only async-signal-safe calls: the UI thread does the rest.
void OnQuitSignal(int number) {
    if (g_received != 0) {
        // The second signal: its default action, which ends the program, once this returns.
        ::signal(number, SIG_DFL);
        ::raise(number);
        return;
    }
    g_received = number;
    const int saved = errno;
    const char byte = 1;
    if (::write(g_pipe[1], &byte, 1) != 1) {
        // A full pipe already holds a byte for the UI thread.
    }
    errno = saved;
}

}  // namespace

QuitSignals::QuitSignals(std::function<void()> quit, QObject* parent) : QObject(parent), quit_(std::move(quit)) {
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;  // no pipe: the signals keep their default
    g_received = 0;
    notifier_ = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &QuitSignals::onSignal);
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigfillset(&action.sa_mask);  // one handler at a time
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kQuitSignals.size(); ++i) ::sigaction(kQuitSignals[i], &action, &g_previous[i]);
}

QuitSignals::~QuitSignals() {
    if (notifier_ == nullptr) return;
    for (std::size_t i = 0; i < kQuitSignals.size(); ++i) ::sigaction(kQuitSignals[i], &g_previous[i], nullptr);
    delete notifier_;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void QuitSignals::onSignal() {
    char bytes[16];
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
    }
    if (quit_) quit_();
}

}  // namespace sanxing
