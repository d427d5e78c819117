#pragma once
// Whole-file reading and writing for the high-score file and the size check.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace fifteen {

// The size in bytes of a regular file, or nothing when it is missing.
[[nodiscard]] std::optional<std::uintmax_t> file_size(const QString& path);

// The whole of a small regular file, every byte unchanged. Never blocks and
// never reads more than `limit` + 1 bytes: a FIFO, a device, a folder (or a
// link to one) or a file longer than `limit` throws Failure, as does a file
// that cannot be read.
[[nodiscard]] QByteArray read_small_file(const QString& path, std::size_t limit);

// Replaces the file with `bytes` through a new file beside it that is
// written, flushed to the disk and then renamed over the old one, so that a
// full disk, a size limit or a crash leaves the old file exactly as it was.
// Where the file system allows, the new file has no name until it is
// complete, so that even a kill leaves nothing behind. Throws Failure, whose
// text is the reason, when the file was not replaced; no temporary file is
// left behind then.
void save_whole_file(const QString& path, const QByteArray& bytes);

}  // namespace fifteen
