#pragma once
// Short sounds through the desktop's sound server (PulseAudio, or PipeWire's
// server for PulseAudio clients), driven by the application's own event
// loop: no thread of the game's own, no wake-ups while nothing plays.
#include <QString>
#include <cstddef>
#include <vector>

struct pa_context;
struct pa_glib_mainloop;
struct pa_stream;

namespace fifteen {

// A plain PCM WAV file (8 or 16 bits, mono or stereo, any rate) as
// interleaved 16-bit samples; false for any other file, or none.
[[nodiscard]] bool read_plain_wav(const QString& path, std::vector<short>& samples, int& rate, int& channels);

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

    pa_glib_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    // The sound waiting for the connection, or playing: interleaved 16-bit
    // samples and how far they have been handed to the server.
    std::vector<short> samples_;
    std::size_t written_ = 0;
    int rate_ = 0;
    int channels_ = 0;
    bool waiting_ = false;  // a sound waits for the connection
};

}  // namespace fifteen
