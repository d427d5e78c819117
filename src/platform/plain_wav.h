#pragma once
// Reading a sound file for the sound server.
#include <QString>
#include <cstddef>
#include <memory>

struct sf_private_tag;

namespace fifteen {

class ReadableFile;

// A plain PCM WAV file (8 or 16 bits, mono or stereo, any rate), open for
// reading as interleaved 16-bit samples; not open for any other file, or
// none.
class PlainWav {
public:
    explicit PlainWav(const QString& path);
    ~PlainWav();
    PlainWav(const PlainWav&) = delete;
    PlainWav& operator=(const PlainWav&) = delete;

    [[nodiscard]] bool is_open() const { return file_ != nullptr; }
    [[nodiscard]] int rate() const { return rate_; }
    [[nodiscard]] int channels() const { return channels_; }
    // Reads up to `frames` frames into `to`; the number read, 0 at the end.
    [[nodiscard]] std::size_t read(short* to, std::size_t frames);

private:
    std::unique_ptr<ReadableFile> source_;
    sf_private_tag* file_ = nullptr;
    int rate_ = 0;
    int channels_ = 0;
};

}  // namespace fifteen
