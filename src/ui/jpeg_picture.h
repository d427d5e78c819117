#pragma once
// A JPEG file's bytes, shown at the size it takes on the screen: a picture
// drawn for a denser screen (its header says more than 96 dots per inch)
// covers fewer screen pixels than it has, and is decoded straight to the
// device pixels it takes, sharp at every scale.
#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>

namespace fifteen {

class JpegPicture {
public:
    JpegPicture() = default;
    // Reads the header only. Throws Failure when the bytes are no picture.
    explicit JpegPicture(const QByteArray& bytes);

    [[nodiscard]] bool isNull() const { return bytes_.isEmpty(); }
    [[nodiscard]] const QByteArray& bytes() const { return bytes_; }
    // The size on the screen, in device-independent pixels.
    [[nodiscard]] QSize size() const { return size_; }
    // The picture, or the `part` of it (in screen pixels), decoded for a
    // screen of `ratio` device pixels to a pixel.
    [[nodiscard]] QImage decode(qreal ratio, const QRect& part = QRect()) const;

private:
    QByteArray bytes_;
    QSize pixels_;
    QSize size_;
};

}  // namespace fifteen
