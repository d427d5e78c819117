#include "jpeg_picture.h"

#include <QBuffer>
#include <QImageReader>
#include <cmath>

#include "core/picture_density.h"
#include "core/trap.h"

namespace fifteen {

JpegPicture::JpegPicture(const QByteArray& bytes) : bytes_(bytes)
{
    // The header alone says the size: nothing is decoded until the picture
    // is painted. Qt would fill a missing density with the screen's; the
    // header says what the file itself gives.
    const std::string_view view(bytes_.constData(), std::size_t(bytes_.size()));
    const auto pixels = jpeg_pixel_size(view);
    if (!pixels) {
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
