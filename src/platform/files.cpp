#include "files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fifteen {

namespace {

[[noreturn]] void fail_with(int error)
{
    throw Failure(std::strerror(error));
}

// A file descriptor that is closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    [[nodiscard]] int get() const { return fd_; }

private:
    int fd_;
};

QByteArray folder_of(const QByteArray& path)
{
    const auto slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

}  // namespace

std::optional<std::uintmax_t> file_size(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return std::nullopt;
    return static_cast<std::uintmax_t>(info.size());
}

FilePrefix read_file_prefix(const QString& path, std::size_t limit)
{
    // Opening without blocking: a FIFO would otherwise wait for a writer.
    Descriptor file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        fail_with(errno);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        fail_with(errno);
    if (!S_ISREG(info.st_mode))
        throw Failure("not a regular file");
    FilePrefix prefix;
    prefix.size = static_cast<std::uintmax_t>(info.st_size);
    prefix.bytes.resize(qsizetype(limit));
    std::size_t got = 0;
    while (got < limit) {
        const ssize_t n = ::read(file.get(), prefix.bytes.data() + got, limit - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail_with(errno);
        if (n == 0)
            break;
        got += std::size_t(n);
    }
    prefix.bytes.truncate(qsizetype(got));
    return prefix;
}

void save_whole_file(const QString& path, const QByteArray& bytes)
{
    // A table the player made read-only stays as it is, for root as well.
    struct stat old {};
    if (::stat(QFile::encodeName(path).constData(), &old) == 0 && S_ISREG(old.st_mode) && (old.st_mode & 0222) == 0)
        throw SaveFailure("the file is read-only", true);
    // QSaveFile writes a new file beside the old one (unnamed where the file
    // system allows) and renames it over the old one at commit. Unbuffered,
    // every write reaches the file here, so a failure shows at once with its
    // reason; a buffered one could fail in commit's flush and still rename a
    // truncated file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw SaveFailure(file.errorString().toStdString(), true);
    const char* at = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        // A write cut short by a size limit says nothing; the next one gives
        // the reason.
        const qint64 written = file.write(at, left);
        if (written <= 0) {
            const std::string reason = file.errorString().toStdString();
            file.cancelWriting();
            throw SaveFailure(reason.empty() ? std::strerror(ENOSPC) : reason, false);
        }
        at += written;
        left -= written;
    }
    if (!file.commit())
        throw SaveFailure(file.errorString().toStdString(), false);
    // The rename itself reaches the disk with the folder.
    const QFileInfo info(path);
    const QByteArray target = QFile::encodeName(info.isSymLink() ? info.symLinkTarget() : path);
    Descriptor folder(::open(folder_of(target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        (void)::fsync(folder.get());
}

QString set_aside(const QString& path, const QString& suffix)
{
    const QByteArray from = QFile::encodeName(path);
    for (int n = 1; n <= 100; ++n) {
        const QString name = path + '.' + suffix + (n == 1 ? QString() : '.' + QString::number(n));
        if (::linkat(AT_FDCWD, from.constData(), AT_FDCWD, QFile::encodeName(name).constData(), AT_SYMLINK_FOLLOW) == 0)
            return name;
        if (errno != EEXIST)
            fail_with(errno);
    }
    fail_with(EEXIST);
}

}  // namespace fifteen
