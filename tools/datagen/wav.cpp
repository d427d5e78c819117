#include "wav.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace fifteen::datagen {

namespace {

constexpr std::size_t kHeaderBytes = 44;

void put32(std::string& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void put16(std::string& out, std::uint16_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

std::size_t sample_count(std::size_t file_bytes)
{
    if (file_bytes < kHeaderBytes || (file_bytes - kHeaderBytes) % 2 != 0)
        throw std::invalid_argument("a 16-bit WAV file needs a 44-byte header and an even data size");
    return (file_bytes - kHeaderBytes) / 2;
}

std::int16_t to_sample(double v)
{
    return static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32000.0));
}

}  // namespace

std::string wav_file(const std::vector<std::int16_t>& samples)
{
    const auto data_bytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    put32(out, 36 + data_bytes);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1);                  // PCM
    put16(out, 1);                  // mono
    put32(out, kSampleRate);
    put32(out, kSampleRate * 2);    // bytes per second
    put16(out, 2);                  // block align
    put16(out, 16);                 // bits per sample
    out += "data";
    put32(out, data_bytes);
    for (std::int16_t s : samples)
        put16(out, static_cast<std::uint16_t>(s));
    return out;
}

std::vector<std::int16_t> click_sound(std::size_t file_bytes)
{
    // A wooden tap: a quickly damped low tone with a short bright attack.
    const std::size_t n = sample_count(file_bytes);
    std::vector<std::int16_t> samples(n);
    std::uint32_t noise = 12345;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        noise = noise * 1664525u + 1013904223u;
        const double white = static_cast<double>(noise >> 8) / double(1 << 23) - 1.0;
        const double body = std::sin(2 * std::numbers::pi * 660.0 * t) * std::exp(-t * 60.0);
        const double knock = std::sin(2 * std::numbers::pi * 1320.0 * t) * std::exp(-t * 110.0);
        const double attack = white * std::exp(-t * 900.0);
        const double fade = std::min(1.0, static_cast<double>(n - i) / 64.0);
        samples[i] = to_sample((0.55 * body + 0.3 * knock + 0.35 * attack) * fade);
    }
    return samples;
}

std::vector<std::int16_t> jingle_sound(std::size_t file_bytes)
{
    // A rising arpeggio: C5, E5, G5, then a held C6.
    const std::size_t n = sample_count(file_bytes);
    const double notes[] = {523.25, 659.25, 783.99, 1046.5};
    const double note_length = 0.16;
    std::vector<std::int16_t> samples(n);
    const double total = static_cast<double>(n) / kSampleRate;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double v = 0.0;
        for (int k = 0; k < 4; ++k) {
            const double start = k * note_length;
            if (t < start)
                continue;
            const double u = t - start;
            const double decay = k == 3 ? 3.5 : 9.0;
            const double env = std::min(1.0, u / 0.004) * std::exp(-u * decay);
            const double f = notes[k];
            v += env * (std::sin(2 * std::numbers::pi * f * u) + 0.3 * std::sin(4 * std::numbers::pi * f * u)
                        + 0.12 * std::sin(6 * std::numbers::pi * f * u));
        }
        const double fade = std::min(1.0, (total - t) / 0.05);
        samples[i] = to_sample(0.42 * v * fade);
    }
    return samples;
}

}  // namespace fifteen::datagen
