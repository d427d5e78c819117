#pragma once
// Whole-file reading and writing for the high-score file and the size check.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace fifteen {

// The size in bytes of a regular file, or nothing when it is missing.
[[nodiscard]] std::optional<std::uintmax_t> file_size(const QString& path);

// The whole file, every byte unchanged. Throws Failure when it cannot be read.
[[nodiscard]] QByteArray read_whole_file(const QString& path);

// Replaces the file with `bytes` through a temporary file beside it, so that
// a crash or a full disk leaves the old file as it was. Throws Failure when
// the file cannot be written.
void save_whole_file(const QString& path, const QByteArray& bytes);

}  // namespace fifteen
