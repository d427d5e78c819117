#pragma once
// Short sounds through the desktop's sound server (PulseAudio, or PipeWire's
// server for PulseAudio clients), driven by the application's own event
// loop: no thread of the game's own, no wake-ups while nothing plays.
#include <QString>
#include <cstddef>
#include <memory>

struct pa_context;
struct pa_stream;

namespace fifteen {

class PlainWav;
class PulseLoop;

class PulseSound {
public:
    PulseSound();
    ~PulseSound();
    PulseSound(const PulseSound&) = delete;
    PulseSound& operator=(const PulseSound&) = delete;

    // Plays a plain PCM WAV file (8 or 16 bits, mono or stereo, any rate),
    // read afresh; returns at once. A new sound cuts the one playing. Any
    // failure (no server, a missing or other file, a server that goes away)
    // is silence, said nowhere.
    void play(const QString& path);

private:
    void cut();
    void ensure_context();
    void start_stream();
    static void on_context_state(pa_context* context, void* self);
    static void on_writable(pa_stream* stream, std::size_t bytes, void* self);
    static void on_drained(pa_stream* stream, int success, void* self);
    static void end_when_ready(pa_stream* stream, void*);

    std::unique_ptr<PulseLoop> loop_;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    // The sound waiting for the connection, or playing: read from its file
    // straight into the server's buffers as they ask for more.
    std::unique_ptr<PlainWav> wav_;
    bool waiting_ = false;  // a sound waits for the connection
};

}  // namespace fifteen
