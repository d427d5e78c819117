#pragma once
// The game's one failure mechanism. A routine that "arms its trap" runs its
// body through `guarded`: the first failure ends the body at once, silently,
// and the caller goes on as if the routine had run to its end. Whatever the
// body changed before the failure stays changed.
#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

namespace fifteen {

// Thrown by operations that can fail at run time (a picture that will not
// load, a file that cannot be written, a program that will not start).
class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string& what) : std::runtime_error(what) {}
};

// Runs `body`; any failure inside it ends it quietly: no message, no retry,
// nothing undone.
template <class Body>
void guarded(Body&& body)
{
    try {
        std::forward<Body>(body)();
    } catch (const std::exception&) {
    }
}

// The same, for the few routines whose failure leaves the game unusable:
// `witness` hears what went wrong, so that it can be told on the terminal.
template <class Body, class Witness>
void guarded(Body&& body, Witness&& witness)
{
    try {
        std::forward<Body>(body)();
    } catch (const std::exception& failure) {
        std::forward<Witness>(witness)(failure);
    }
}

}  // namespace fifteen
