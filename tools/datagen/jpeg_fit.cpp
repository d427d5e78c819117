#include "jpeg_fit.h"

#include <QBuffer>
#include <QImageWriter>

namespace fifteen::datagen {

namespace {

constexpr qsizetype kSegmentOverhead = 4;       // marker and length
constexpr qsizetype kMaxSegmentData = 65535 - 2;

QByteArray comment_segments(qsizetype total)
{
    QByteArray out;
    while (total > 0) {
        qsizetype data = std::min(total - kSegmentOverhead, kMaxSegmentData);
        // Never leave a remainder too small for a segment of its own.
        const qsizetype rest = total - kSegmentOverhead - data;
        if (rest > 0 && rest < kSegmentOverhead)
            data -= kSegmentOverhead;
        const qsizetype length = data + 2;
        out.append(char(0xFF)).append(char(0xFE));
        out.append(char((length >> 8) & 0xFF)).append(char(length & 0xFF));
        out.append(QByteArray(data, ' '));
        total -= data + kSegmentOverhead;
    }
    return out;
}

QByteArray encode(const QImage& image, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setOptimizedWrite(true);
    if (!writer.write(image))
        return {};
    return bytes;
}

}  // namespace

std::optional<QByteArray> pad_jpeg(const QByteArray& jpeg, qsizetype size)
{
    if (jpeg.size() < 4 || uchar(jpeg[0]) != 0xFF || uchar(jpeg[1]) != 0xD8)
        return std::nullopt;
    const qsizetype missing = size - jpeg.size();
    if (missing == 0)
        return jpeg;
    if (missing < kSegmentOverhead)
        return std::nullopt;
    qsizetype at = 2;
    if (uchar(jpeg[2]) == 0xFF && uchar(jpeg[3]) == 0xE0 && jpeg.size() >= 6)
        at = 4 + ((qsizetype(uchar(jpeg[4])) << 8) | uchar(jpeg[5]));
    QByteArray out = jpeg.left(at);
    out.append(comment_segments(missing));
    out.append(jpeg.mid(at));
    return out;
}

std::optional<FittedJpeg> fit_jpeg(const QImage& image, qsizetype size)
{
    for (int quality = 100; quality >= 1; --quality) {
        const QByteArray bytes = encode(image, quality);
        if (bytes.isEmpty())
            return std::nullopt;
        if (auto padded = pad_jpeg(bytes, size))
            return FittedJpeg{*padded, quality};
    }
    return std::nullopt;
}

}  // namespace fifteen::datagen
