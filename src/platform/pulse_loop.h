#pragma once
// The sound library's main-loop interface served by Qt's event loop on the
// window's thread: descriptors watched by QSocketNotifier, timers and
// deferred calls by QTimer. Sound then works whichever loop Qt runs (GLib's
// or its own) and wakes the game only when the server has something to say.
#include <QObject>
#include <pulse/mainloop-api.h>

namespace fifteen {

class PulseLoop : public QObject {
public:
    PulseLoop();
    ~PulseLoop() override;
    PulseLoop(const PulseLoop&) = delete;
    PulseLoop& operator=(const PulseLoop&) = delete;

    [[nodiscard]] pa_mainloop_api* api() { return &api_; }

private:
    pa_mainloop_api api_{};
};

}  // namespace fifteen
