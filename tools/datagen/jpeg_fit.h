#pragma once
// Encoding a picture as JPEG of an exact byte size.
#include <QByteArray>
#include <QImage>
#include <optional>

namespace fifteen::datagen {

// Inserts comment segments right after the JFIF header (or after the start
// marker when there is none) so that the file has exactly `size` bytes.
// Returns nothing when that cannot be done: the file is already larger, or
// short of `size` by fewer bytes than the smallest comment segment takes.
[[nodiscard]] std::optional<QByteArray> pad_jpeg(const QByteArray& jpeg, qsizetype size);

struct FittedJpeg {
    QByteArray bytes;
    int quality;
};

// The picture at the highest JPEG quality whose file, padded, has exactly
// `size` bytes; nothing when even the lowest quality does not fit.
[[nodiscard]] std::optional<FittedJpeg> fit_jpeg(const QImage& image, qsizetype size);

}  // namespace fifteen::datagen
