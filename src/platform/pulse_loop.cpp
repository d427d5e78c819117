#include "pulse_loop.h"

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <utility>
#include <ctime>
#include <sys/time.h>

using fifteen::PulseLoop;

namespace {

// The library marks a time on its monotonic clock with this bit in the
// microseconds; a time without it is on the wall clock.
constexpr long kMonotonicBit = 1L << 30;

// Every event: freed by the library at any moment, also from inside its own
// callback, so it is only marked dead then and deleted once Qt is back in
// its loop; a dead event calls nothing.
template <class Destroy>
struct Event : QObject {
    Event(PulseLoop* loop, void* data) : QObject(loop), userdata(data) {}
    template <class Self>
    void free_it(Self* self)
    {
        if (dead)
            return;
        dead = true;
        if (destroy)
            destroy(api, self, userdata);
        deleteLater();
    }
    pa_mainloop_api* api = nullptr;
    void* userdata;
    Destroy destroy = nullptr;
    bool dead = false;
};

}  // namespace

struct pa_io_event : Event<pa_io_event_destroy_cb_t> {
    using Event::Event;
    void enable(pa_io_event_flags_t events)
    {
        read->setEnabled(!dead && (events & PA_IO_EVENT_INPUT));
        write->setEnabled(!dead && (events & PA_IO_EVENT_OUTPUT));
    }
    QSocketNotifier* read = nullptr;
    QSocketNotifier* write = nullptr;
};

struct pa_time_event : Event<pa_time_event_destroy_cb_t> {
    using Event::Event;
    void restart(const struct timeval* at)
    {
        timer.stop();
        if (!at || dead)
            return;
        const bool monotonic = (at->tv_usec & kMonotonicBit) != 0;
        timespec now{};
        ::clock_gettime(monotonic ? CLOCK_MONOTONIC : CLOCK_REALTIME, &now);
        const long long due_us = (long long)at->tv_sec * 1000000 + (at->tv_usec & ~kMonotonicBit);
        const long long now_us = (long long)now.tv_sec * 1000000 + now.tv_nsec / 1000;
        when = *at;
        timer.start(int(std::max(0LL, (due_us - now_us + 999) / 1000)));
    }
    QTimer timer;
    struct timeval when {};
};

struct pa_defer_event : Event<pa_defer_event_destroy_cb_t> {
    using Event::Event;
    QTimer timer;  // at 0 ms: once each time Qt's loop comes round
};

namespace fifteen {

namespace {

PulseLoop* loop_of(pa_mainloop_api* api)
{
    return static_cast<PulseLoop*>(api->userdata);
}

pa_io_event* io_new(pa_mainloop_api* api, int fd, pa_io_event_flags_t events, pa_io_event_cb_t callback,
                    void* userdata)
{
    auto* e = new pa_io_event(loop_of(api), userdata);
    e->api = api;
    e->read = new QSocketNotifier(fd, QSocketNotifier::Read, e);
    e->write = new QSocketNotifier(fd, QSocketNotifier::Write, e);
    for (auto [notifier, flag] : {std::pair{e->read, PA_IO_EVENT_INPUT}, std::pair{e->write, PA_IO_EVENT_OUTPUT}})
        QObject::connect(notifier, &QSocketNotifier::activated, e, [e, fd, callback, flag = flag] {
            if (!e->dead)
                callback(e->api, e, fd, flag, e->userdata);
        });
    e->enable(events);
    return e;
}

pa_time_event* time_new(pa_mainloop_api* api, const struct timeval* at, pa_time_event_cb_t callback, void* userdata)
{
    auto* e = new pa_time_event(loop_of(api), userdata);
    e->api = api;
    e->timer.setSingleShot(true);
    e->timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&e->timer, &QTimer::timeout, e, [e, callback] {
        if (!e->dead)
            callback(e->api, e, &e->when, e->userdata);
    });
    e->restart(at);
    return e;
}

pa_defer_event* defer_new(pa_mainloop_api* api, pa_defer_event_cb_t callback, void* userdata)
{
    auto* e = new pa_defer_event(loop_of(api), userdata);
    e->api = api;
    QObject::connect(&e->timer, &QTimer::timeout, e, [e, callback] {
        if (!e->dead)
            callback(e->api, e, e->userdata);
    });
    e->timer.start(0);
    return e;
}

}  // namespace

PulseLoop::PulseLoop()
{
    api_.userdata = this;
    api_.io_new = io_new;
    api_.io_enable = [](pa_io_event* e, pa_io_event_flags_t events) { e->enable(events); };
    api_.io_free = [](pa_io_event* e) {
        e->enable(PA_IO_EVENT_NULL);
        e->free_it(e);
    };
    api_.io_set_destroy = [](pa_io_event* e, pa_io_event_destroy_cb_t destroy) { e->destroy = destroy; };
    api_.time_new = time_new;
    api_.time_restart = [](pa_time_event* e, const struct timeval* at) { e->restart(at); };
    api_.time_free = [](pa_time_event* e) {
        e->timer.stop();
        e->free_it(e);
    };
    api_.time_set_destroy = [](pa_time_event* e, pa_time_event_destroy_cb_t destroy) { e->destroy = destroy; };
    api_.defer_new = defer_new;
    api_.defer_enable = [](pa_defer_event* e, int on) {
        if (on && !e->dead)
            e->timer.start(0);
        else
            e->timer.stop();
    };
    api_.defer_free = [](pa_defer_event* e) {
        e->timer.stop();
        e->free_it(e);
    };
    api_.defer_set_destroy = [](pa_defer_event* e, pa_defer_event_destroy_cb_t destroy) { e->destroy = destroy; };
    api_.quit = [](pa_mainloop_api*, int) {};  // the game's loop ends with the game, not with a sound
}

// Events the library never freed go with the loop, their destroy callbacks
// unheard: by then nothing of the library is left to hear them.
PulseLoop::~PulseLoop() = default;

}  // namespace fifteen
