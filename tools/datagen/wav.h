#pragma once
// The game's two sounds, synthesised as 16-bit mono PCM at 22050 Hz.
#include <cstdint>
#include <string>
#include <vector>

namespace fifteen::datagen {

inline constexpr int kSampleRate = 22050;

// A RIFF WAVE file of the samples.
[[nodiscard]] std::string wav_file(const std::vector<std::int16_t>& samples);

// Samples for a file of exactly `file_bytes` bytes (header included).
[[nodiscard]] std::vector<std::int16_t> click_sound(std::size_t file_bytes);
[[nodiscard]] std::vector<std::int16_t> jingle_sound(std::size_t file_bytes);

}  // namespace fifteen::datagen
