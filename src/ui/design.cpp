#include "design.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QResource>

#include "core/trap.h"

namespace fifteen {

namespace {

QString design_path(const QString& name)
{
    return QStringLiteral(":/design/") + name;
}

}  // namespace

QPixmap design_picture(const QString& name, const char* format)
{
    QImageReader reader(design_path(name), format);
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QCursor design_cursor(const QString& name, QPoint tip, qreal ratio)
{
    QImage image = design_picture(name, "xpm").toImage().convertToFormat(QImage::Format_ARGB32);
    const QSize device = (QSizeF(image.size()) * ratio / 2).toSize();
    if (image.size() != device)
        image = image.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    // The X11 platform places a pointer's tip in the pixmap's own pixels;
    // the others take it on the screen's scale, as QCursor documents it.
    const QPoint spot = QGuiApplication::platformName() == QLatin1String("xcb") ? (QPointF(tip) * ratio).toPoint() : tip;
    return QCursor(pixmap, spot.x(), spot.y());
}

JpegPicture design_jpeg(const QString& name)
{
    const QResource resource(design_path(name));
    try {
        if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
            throw Failure("missing");
        return JpegPicture(
            QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()), qsizetype(resource.size())));
    } catch (const Failure&) {
        throw Failure("the built-in picture " + name.toStdString() + " is broken; build the game again");
    }
}

}  // namespace fifteen
