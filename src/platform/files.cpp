#include "files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "core/trap.h"

namespace fifteen {

std::optional<std::uintmax_t> file_size(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return std::nullopt;
    return static_cast<std::uintmax_t>(info.size());
}

QByteArray read_whole_file(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure("cannot open " + path.toStdString());
    return file.readAll();
}

void save_whole_file(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Failure("cannot create " + path.toStdString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw Failure("cannot write " + path.toStdString());
}

}  // namespace fifteen
