#include "files.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/trap.h"

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
    // Closes now and reports a failure to close, which on some file systems
    // is where a failed write shows.
    void close()
    {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            fail_with(errno);
    }

private:
    int fd_;
};

void write_all(int fd, const QByteArray& bytes)
{
    const char* at = bytes.constData();
    std::size_t left = std::size_t(bytes.size());
    while (left > 0) {
        const ssize_t written = ::write(fd, at, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            fail_with(written < 0 ? errno : ENOSPC);
        at += written;
        left -= std::size_t(written);
    }
}

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

QByteArray read_small_file(const QString& path, std::size_t limit)
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
    QByteArray bytes(qsizetype(limit + 1), '\0');
    std::size_t got = 0;
    while (got < limit + 1) {
        const ssize_t n = ::read(file.get(), bytes.data() + got, limit + 1 - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail_with(errno);
        if (n == 0)
            break;
        got += std::size_t(n);
    }
    if (got > limit)
        throw Failure("larger than " + std::to_string(limit) + " bytes");
    bytes.truncate(qsizetype(got));
    return bytes;
}

void save_whole_file(const QString& path, const QByteArray& bytes)
{
    const QByteArray target = QFile::encodeName(path);
    QByteArray temporary = target + ".XXXXXX";
    Descriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.get() < 0)
        fail_with(errno);
    try {
        // The new file takes the old one's permissions, or the usual ones.
        struct stat old {};
        const mode_t mode = ::stat(target.constData(), &old) == 0 ? (old.st_mode & 07777) : 0644;
        if (::fchmod(file.get(), mode) != 0)
            fail_with(errno);
        write_all(file.get(), bytes);
        if (::fsync(file.get()) != 0)
            fail_with(errno);
        file.close();
        if (::rename(temporary.constData(), target.constData()) != 0)
            fail_with(errno);
    } catch (...) {
        ::unlink(temporary.constData());
        throw;
    }
    // The rename itself reaches the disk with the folder.
    Descriptor folder(::open(folder_of(target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        (void)::fsync(folder.get());
}

}  // namespace fifteen
