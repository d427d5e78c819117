#pragma once
// The window's design pictures, built into the program.
#include <QByteArray>
#include <QCursor>
#include <QPixmap>
#include <QString>

#include "jpeg_picture.h"

namespace fifteen {

// A picture in the given format ("xpm", "png"), handed to that format's
// reader directly: left to guess, Qt would load all its image readers to ask
// each. The pointers are XPM text, which Qt reads without a picture library.
[[nodiscard]] QPixmap design_picture(const QString& name, const char* format);

// A pointer drawn at twice its size on the screen, with its tip at `tip` on
// the screen, made for a screen of `ratio` device pixels to a pixel.
[[nodiscard]] QCursor design_cursor(const QString& name, QPoint tip, qreal ratio);

// A control's JPEG picture, its bytes stored uncompressed and used where
// they lie in the program rather than copied. Throws Failure naming the
// picture when it is missing or does not decode: the build is broken.
[[nodiscard]] JpegPicture design_jpeg(const QString& name);

}  // namespace fifteen
