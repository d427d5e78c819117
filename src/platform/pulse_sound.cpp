#include "pulse_sound.h"

#include <QFile>
#include <limits>
#include <algorithm>
#include <pulse/context.h>
#include <pulse/proplist.h>
#include <pulse/stream.h>
#include <utility>

#include "core/identity.h"
#include "plain_wav.h"
#include "pulse_loop.h"

namespace fifteen {

namespace {

// Sends the sound library's own complaints (a settings folder it cannot
// make, a key file it cannot read) to the system log rather than the game's
// terminal, where a game says nothing of its sounds. The library takes its log
// target from the environment once, at the first line it writes, which
// making a connection always does: the variable is set for that moment only,
// so that no program the game starts inherits it. A target the user chose is
// left alone.
class LibraryLinesToSystemLog {
public:
    LibraryLinesToSystemLog()
        : set_(!qEnvironmentVariableIsSet("PULSE_LOG_SYSLOG") && !qEnvironmentVariableIsSet("PULSE_LOG_JOURNAL"))
    {
        if (set_)
            qputenv("PULSE_LOG_SYSLOG", "1");
    }
    ~LibraryLinesToSystemLog()
    {
        if (set_)
            qunsetenv("PULSE_LOG_SYSLOG");
    }
    LibraryLinesToSystemLog(const LibraryLinesToSystemLog&) = delete;
    LibraryLinesToSystemLog& operator=(const LibraryLinesToSystemLog&) = delete;

private:
    bool set_;
};

// A proplist that lives for a scope.
class Properties {
public:
    Properties() : list_(pa_proplist_new())
    {
        pa_proplist_sets(list_, PA_PROP_APPLICATION_NAME, "Fifteen");
        // The id is a literal, so its view ends in the NUL the library reads to.
        pa_proplist_sets(list_, PA_PROP_APPLICATION_ID, kApplicationId.data());
        pa_proplist_sets(list_, PA_PROP_APPLICATION_ICON_NAME, kApplicationId.data());
        pa_proplist_sets(list_, PA_PROP_MEDIA_ROLE, "event");
    }
    ~Properties() { pa_proplist_free(list_); }
    Properties(const Properties&) = delete;
    Properties& operator=(const Properties&) = delete;
    [[nodiscard]] pa_proplist* get() const { return list_; }

private:
    pa_proplist* list_;
};

}  // namespace

PulseSound::PulseSound() : loop_(std::make_unique<PulseLoop>()) {}

PulseSound::~PulseSound()
{
    cut();
    if (context_) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
    }
}

void PulseSound::play(const QString& path)
{
    cut();
    waiting_ = false;
    wav_ = std::make_unique<PlainWav>(path);
    if (!wav_->is_open()) {
        wav_.reset();
        return;
    }
    ensure_context();
    if (!context_)
        return;
    if (pa_context_get_state(context_) == PA_CONTEXT_READY)
        start_stream();
    else
        waiting_ = true;  // started when the connection is ready
}

void PulseSound::cut()
{
    wav_.reset();
    if (!stream_)
        return;
    pa_stream* stream = std::exchange(stream_, nullptr);
    pa_stream_set_write_callback(stream, nullptr, nullptr);
    if (pa_stream_get_state(stream) == PA_STREAM_CREATING) {
        // The server is still setting it up and cannot end it yet: it ends
        // itself the moment it is ready. Left alone it would stay connected,
        // silent, for as long as the game runs.
        pa_stream_set_state_callback(stream, &PulseSound::end_when_ready, nullptr);
        return;
    }
    pa_stream_disconnect(stream);
    pa_stream_unref(stream);
}

void PulseSound::end_when_ready(pa_stream* stream, void*)
{
    switch (pa_stream_get_state(stream)) {
    case PA_STREAM_READY:
        pa_stream_disconnect(stream);  // terminated next
        break;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
        pa_stream_set_state_callback(stream, nullptr, nullptr);
        pa_stream_unref(stream);
        break;
    default:
        break;
    }
}

void PulseSound::ensure_context()
{
    if (context_) {
        const pa_context_state_t state = pa_context_get_state(context_);
        if (state != PA_CONTEXT_FAILED && state != PA_CONTEXT_TERMINATED)
            return;
        // The server went away: a new connection for this sound.
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_unref(context_);
        context_ = nullptr;
    }
    const LibraryLinesToSystemLog to_system_log;
    const Properties properties;
    context_ = pa_context_new_with_proplist(loop_->api(), "Fifteen", properties.get());
    if (!context_)
        return;
    pa_context_set_state_callback(context_, &PulseSound::on_context_state, this);
    // Never start a server of our own: no server is silence.
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_unref(context_);
        context_ = nullptr;
    }
}

void PulseSound::on_context_state(pa_context* context, void* self)
{
    auto* sound = static_cast<PulseSound*>(self);
    const pa_context_state_t state = pa_context_get_state(context);
    if (state == PA_CONTEXT_READY && sound->waiting_) {
        sound->waiting_ = false;
        sound->start_stream();
    } else if (state == PA_CONTEXT_FAILED || state == PA_CONTEXT_TERMINATED) {
        sound->waiting_ = false;
        sound->cut();
    }
}

void PulseSound::start_stream()
{
    const pa_sample_spec format{PA_SAMPLE_S16NE, std::uint32_t(wav_->rate()), std::uint8_t(wav_->channels())};
    const Properties properties;
    stream_ = pa_stream_new_with_proplist(context_, "Fifteen", &format, nullptr, properties.get());
    if (!stream_)
        return;
    pa_stream_set_write_callback(stream_, &PulseSound::on_writable, this);
    if (pa_stream_connect_playback(stream_, nullptr, nullptr, PA_STREAM_NOFLAGS, nullptr, nullptr) < 0)
        cut();
}

void PulseSound::on_writable(pa_stream* stream, std::size_t bytes, void* self)
{
    auto* sound = static_cast<PulseSound*>(self);
    if (!sound->wav_)
        return;
    const std::size_t frame = sizeof(short) * std::size_t(sound->wav_->channels());
    bool finished = false;
    while (bytes >= frame && !finished) {
        // Read straight into the server's buffer.
        void* buffer = nullptr;
        std::size_t size = bytes;
        if (pa_stream_begin_write(stream, &buffer, &size) < 0 || !buffer || size < frame) {
            sound->cut();
            return;
        }
        const std::size_t frames = size / frame;
        const std::size_t got = sound->wav_->read(static_cast<short*>(buffer), frames);
        finished = got < frames;
        if (got == 0) {
            pa_stream_cancel_write(stream);
        } else if (pa_stream_write(stream, buffer, got * frame, nullptr, 0, PA_SEEK_RELATIVE) < 0) {
            sound->cut();
            return;
        }
        bytes -= std::min(bytes, got * frame);
    }
    if (finished) {
        // All handed over: the stream ends when the server has played it.
        sound->wav_.reset();
        pa_stream_set_write_callback(stream, nullptr, nullptr);
        if (pa_operation* drain = pa_stream_drain(stream, &PulseSound::on_drained, self))
            pa_operation_unref(drain);
    }
}

void PulseSound::on_drained(pa_stream* stream, int, void* self)
{
    auto* sound = static_cast<PulseSound*>(self);
    if (stream == sound->stream_)
        sound->cut();
}

}  // namespace fifteen
