#include "design.h"

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
