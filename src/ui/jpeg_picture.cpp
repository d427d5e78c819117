#include "jpeg_picture.h"

#include <QBuffer>
#include <QHash>
#include <QImageReader>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_set>

#include "core/jpeg_header.h"
#include "core/trap.h"

namespace fifteen {

namespace {

// Hears what Qt's JPEG reader says while it is alive. The reader reports a
// damaged file (data that ends early, a corrupt scan) only as a warning and
// still hands back a picture, filled with grey where the data was missing.
class JpegReaderComplaints {
public:
    JpegReaderComplaints()
    {
        heard_ = false;
        previous_ = qInstallMessageHandler(&JpegReaderComplaints::hear);
    }
    ~JpegReaderComplaints() { qInstallMessageHandler(previous_); }
    JpegReaderComplaints(const JpegReaderComplaints&) = delete;
    JpegReaderComplaints& operator=(const JpegReaderComplaints&) = delete;
    [[nodiscard]] static bool heard() { return heard_; }

private:
    static void hear(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (context.category && std::strcmp(context.category, "qt.gui.imageio.jpeg") == 0)
            heard_ = true;
        else if (previous_)
            previous_(type, context, message);
    }
    static inline QtMessageHandler previous_ = nullptr;
    static inline bool heard_ = false;
};

// True when the bytes decode without an error or a warning. Decoded at an
// eighth of their size, which still reads every byte of the scan, so a
// damaged file shows itself for a fraction of a full decode.
bool decodes_cleanly(const QByteArray& bytes, QSize pixels)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    QImageReader reader(&buffer, "jpeg");
    reader.setAutoDetectImageFormat(false);
    reader.setScaledSize(QSize(std::max(1, pixels.width() / 8), std::max(1, pixels.height() / 8)));
    const JpegReaderComplaints complaints;
    const QImage trial = reader.read();
    return !trial.isNull() && !complaints.heard();
}

// The same, remembered for bytes found clean before. A move shows two tiles
// whose files the game has read many times over, and a trial decode of each
// would cost a third of the move. Only the verdict on the exact bytes is
// kept, under a hash with the process's random seed; every file is still
// read afresh.
bool known_to_decode_cleanly(const QByteArray& bytes, QSize pixels)
{
    static std::unordered_set<std::size_t> clean;
    const std::size_t key = qHash(bytes, QHashSeed::globalSeed());
    if (clean.count(key) != 0)
        return true;
    if (!decodes_cleanly(bytes, pixels))
        return false;
    if (clean.size() >= 64)  // far more pictures than the game has
        clean.clear();
    clean.insert(key);
    return true;
}

}  // namespace

JpegPicture::JpegPicture(const QByteArray& bytes) : bytes_(bytes)
{
    // The header says the size; a picture counts only when it also decodes
    // cleanly, so that a damaged file leaves the control as it was rather
    // than a grey area the size its header claims. It is decoded in full
    // only where it is painted. Qt would fill a missing density with the
    // screen's; the header says what the file itself gives.
    const std::string_view view(bytes_.constData(), std::size_t(bytes_.size()));
    const auto pixels = showable_pixel_size(view);
    if (!pixels || !known_to_decode_cleanly(bytes_, QSize(pixels->width, pixels->height))) {
        bytes_.clear();
        throw Failure("not a picture");
    }
    pixels_ = QSize(pixels->width, pixels->height);
    const auto dpi = jfif_dots_per_inch(view);
    size_ = QSize(screen_pixels(pixels_.width(), dpi), screen_pixels(pixels_.height(), dpi));
}

QImage JpegPicture::decode(qreal ratio, const QRect& part) const
{
    QByteArray bytes = bytes_;
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "jpeg");
    // Straight to the JPEG reader: guessing would load every image reader.
    reader.setAutoDetectImageFormat(false);
    const QSize device(int(std::lround(size_.width() * ratio)), int(std::lround(size_.height() * ratio)));
    if (device != pixels_)
        reader.setScaledSize(device);
    if (part.isValid())
        reader.setScaledClipRect(QRectF(QPointF(part.topLeft()) * ratio, QSizeF(part.size()) * ratio).toAlignedRect()
                                 & QRect(QPoint(0, 0), device));
    QImage image = reader.read();
    image.setDevicePixelRatio(ratio);
    return image;
}

}  // namespace fifteen
