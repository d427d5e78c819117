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

// Runs `body`; any failure inside it ends it quietly. Anything that is not an
// ordinary run-time error (such as the request to end the program) passes on.
template <class Body>
void guarded(Body&& body) noexcept(false)
{
    try {
        std::forward<Body>(body)();
    } catch (const std::exception&) {
        // Silent by design: no message, no retry, nothing undone.
    }
}

}  // namespace fifteen
