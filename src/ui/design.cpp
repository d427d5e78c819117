#include "design.h"

#include <QImageReader>
#include <QResource>

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

QByteArray design_bytes(const QString& name)
{
    const QResource resource(design_path(name));
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
        return QByteArray();
    return QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()), qsizetype(resource.size()));
}

}  // namespace fifteen
