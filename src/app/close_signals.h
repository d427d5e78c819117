#pragma once
// Turns the termination signals a session or a task manager sends into the
// window's own close request, handled on the event thread.
#include <functional>

namespace fifteen {

// On SIGTERM or SIGHUP, `on_close` runs from the event loop. Returns false
// when the signals could not be hooked; the program then ends on them as
// any program does.
[[nodiscard]] bool route_close_signals(std::function<void()> on_close);

}  // namespace fifteen
