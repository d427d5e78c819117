#include "close_signals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace fifteen {

namespace {

int signal_pipe[2] = {-1, -1};

extern "C" void on_signal(int)
{
    // Only async-signal-safe work here: wake the event loop. The code the
    // signal cut into finds errno as it left it.
    const int saved = errno;
    const char byte = 1;
    // A full socket already holds a wake-up, so a write that fails loses nothing.
    [[maybe_unused]] const auto written = ::write(signal_pipe[0], &byte, 1);
    errno = saved;
}

}  // namespace

bool route_close_signals(std::function<void()> on_close)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signal_pipe) != 0)
        return false;
    auto* notifier = new QSocketNotifier(signal_pipe[1], QSocketNotifier::Read);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, on_close = std::move(on_close)] {
        char byte = 0;
        [[maybe_unused]] const auto got = ::read(signal_pipe[1], &byte, 1);
        notifier->setEnabled(false);
        on_close();
    });
    struct sigaction action {};
    action.sa_handler = on_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGTERM, &action, nullptr) == 0 && ::sigaction(SIGHUP, &action, nullptr) == 0;
}

}  // namespace fifteen
