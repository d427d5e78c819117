#include "files.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <optional>
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

// How the new contents reach the disk before they are renamed over the old
// file. Unnamed: the file has no name until it is complete and flushed, so a
// game killed while saving leaves nothing behind; the file system and /proc
// must allow it. Named: a temporary file beside the table from the start.
enum class Way { Unnamed, Named };

// Gives the unnamed file `fd` a fresh name beside `target`. Returns nothing
// when /proc is not there to do it.
std::optional<QByteArray> give_name(int fd, const QByteArray& target)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray name = target + '.';
        for (int i = 0; i < 6; ++i)
            name += letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)];
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0)
            return name;
        if (errno == ENOENT && ::access(self.constData(), F_OK) != 0)
            return std::nullopt;
        if (errno != EEXIST)
            fail_with(errno);
    }
    fail_with(EEXIST);
}

// Writes `bytes` into a new file and renames it over `target`. Returns false,
// having changed nothing, when the unnamed way is not available here.
bool save_by_way_of(Way way, const QByteArray& target, const QByteArray& bytes)
{
    // The new file takes the old one's permissions, or the usual ones.
    struct stat old {};
    const mode_t mode = ::stat(target.constData(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    QByteArray temporary;  // empty while the file has no name
    int fd = -1;
    if (way == Way::Unnamed) {
        fd = ::open(folder_of(target).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
        if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL))
            return false;
    } else {
        temporary = target + ".XXXXXX";
        fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    }
    if (fd < 0)
        fail_with(errno);
    Descriptor file(fd);
    try {
        if (::fchmod(file.get(), mode) != 0)
            fail_with(errno);
        write_all(file.get(), bytes);
        if (::fsync(file.get()) != 0)
            fail_with(errno);
        if (temporary.isEmpty()) {
            const auto named = give_name(file.get(), target);
            if (!named)
                return false;
            temporary = *named;
        }
        file.close();
        if (::rename(temporary.constData(), target.constData()) != 0)
            fail_with(errno);
    } catch (...) {
        if (!temporary.isEmpty())
            ::unlink(temporary.constData());
        throw;
    }
    return true;
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
    if (!save_by_way_of(Way::Unnamed, target, bytes))
        (void)save_by_way_of(Way::Named, target, bytes);
    // The rename itself reaches the disk with the folder.
    Descriptor folder(::open(folder_of(target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        (void)::fsync(folder.get());
}

}  // namespace fifteen
