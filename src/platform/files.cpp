#include "files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <limits>
#include <string>
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

ReadableFile::ReadableFile(const QString& path, std::uintmax_t limit)
    : fd_(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC))
{
    if (fd_ < 0)
        fail_with(errno);
    struct stat info {};
    const bool stated = ::fstat(fd_, &info) == 0;
    const int error = errno;
    if (stated && S_ISREG(info.st_mode) && std::uintmax_t(info.st_size) <= limit) {
        size_ = std::uintmax_t(info.st_size);
        return;
    }
    ::close(fd_);
    if (!stated)
        fail_with(error);
    if (!S_ISREG(info.st_mode))
        throw Failure("not a regular file");
    throw Failure("larger than " + std::to_string(limit) + " bytes");
}

ReadableFile::~ReadableFile()
{
    ::close(fd_);
}

QByteArray ReadableFile::read(std::size_t at_most)
{
    QByteArray bytes(qsizetype(at_most), Qt::Uninitialized);
    std::size_t got = 0;
    while (got < at_most) {
        const ssize_t n = ::read(fd_, bytes.data() + got, at_most - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail_with(errno);
        if (n == 0)
            break;
        got += std::size_t(n);
    }
    bytes.truncate(qsizetype(got));
    return bytes;
}

QByteArray read_data_file(const QString& path, std::uintmax_t limit)
{
    ReadableFile file(path, limit);
    // A file that grows while it is read is read no further than its size.
    return file.read(std::size_t(file.size()));
}

std::optional<std::uintmax_t> file_size(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return std::nullopt;
    return static_cast<std::uintmax_t>(info.size());
}

FilePrefix read_file_prefix(const QString& path, std::size_t limit)
{
    ReadableFile file(path, std::numeric_limits<std::uintmax_t>::max());
    return FilePrefix{file.read(limit), file.size()};
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

namespace {

// Copies the file `from` to `to`, a name no file has: true when done, false
// when a file of that name appeared first. The copy is created exclusively,
// written in pieces whatever the size of the file, and on the disk before
// this returns; throws Failure, leaving no copy, when it cannot be made.
bool copy_to_new_file(const QString& from, const QByteArray& to)
{
    ReadableFile source(from, std::numeric_limits<std::uintmax_t>::max());
    const int fd = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST)
        return false;
    if (fd < 0)
        fail_with(errno);
    Descriptor copy(fd);
    try {
        constexpr std::size_t kPiece = 64 * 1024;
        for (QByteArray piece = source.read(kPiece); !piece.isEmpty(); piece = source.read(kPiece)) {
            const char* at = piece.constData();
            std::size_t left = std::size_t(piece.size());
            while (left > 0) {
                const ssize_t n = ::write(copy.get(), at, left);
                if (n < 0 && errno == EINTR)
                    continue;
                if (n <= 0)
                    fail_with(n < 0 ? errno : ENOSPC);
                at += n;
                left -= std::size_t(n);
            }
        }
        if (::fsync(copy.get()) != 0)
            fail_with(errno);
    } catch (...) {
        ::unlink(to.constData());
        throw;
    }
    return true;
}

}  // namespace

QString set_aside(const QString& path, const QString& suffix)
{
    const QByteArray from = QFile::encodeName(path);
    for (long n = 1;; ++n) {
        const QString name = path + '.' + suffix + (n == 1 ? QString() : '.' + QString::number(n));
        const QByteArray to = QFile::encodeName(name);
        if (::linkat(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), AT_SYMLINK_FOLLOW) == 0)
            return name;
        if (errno == EEXIST)
            continue;
        if (errno == ENOENT || errno == ENOTDIR)
            fail_with(errno);  // nothing there to keep
        if (copy_to_new_file(path, to))
            return name;
    }
}

}  // namespace fifteen
