#include "files.h"

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cctype>
#include <cstring>
#include <optional>
#include <limits>
#include <string>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fifteen {

namespace {

[[noreturn]] void fail_with(int error)
{
    throw FileError(std::strerror(error), error);
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

// Writes every byte, going on after a signal: 0, or the error that stopped
// it. A write cut short by a size limit says nothing; the next gives the
// reason.
int write_all(int fd, const char* at, std::size_t left)
{
    while (left > 0) {
        const ssize_t n = ::write(fd, at, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        at += n;
        left -= std::size_t(n);
    }
    return 0;
}

// Puts the file on the disk, again after a signal: 0, or the error.
int sync_file(int fd)
{
    int result = 0;
    do
        result = ::fsync(fd);
    while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

}  // namespace

bool refused(int error)
{
    return error == EACCES || error == EPERM || error == EROFS;
}

bool FileError::missing() const
{
    return error_ == ENOENT;
}

bool lasting_error(int error)
{
    return error == 0 || refused(error) || error == ENOTDIR || error == ELOOP || error == EISDIR
        || error == ENAMETOOLONG;
}

bool FileError::lasting() const
{
    return lasting_error(error_);
}

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
        throw FileError("not a regular file", 0);
    throw FileError("larger than " + std::to_string(limit) + " bytes", 0);
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

FileLook look_at(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        if (errno == ENOENT)
            return {};
        return FileLook{FileLook::Kind::Failed, 0, std::strerror(errno)};
    }
    if (!S_ISREG(info.st_mode))
        return FileLook{FileLook::Kind::NotRegular, 0, {}};
    return FileLook{FileLook::Kind::Regular, std::uintmax_t(info.st_size), {}};
}

std::optional<FileIdentity> file_identity(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return FileIdentity{std::uint64_t(info.st_dev), std::uint64_t(info.st_ino)};
}

FilePrefix read_file_prefix(const QString& path, std::size_t limit)
{
    ReadableFile file(path, std::numeric_limits<std::uintmax_t>::max());
    return FilePrefix{file.read(limit), file.size()};
}

namespace {

[[noreturn]] void save_failed(int error)
{
    throw SaveFailure(std::strerror(error), lasting_error(error));
}

// The file a save writes: the path itself or, where it is a symbolic link,
// the file at the end of its links (which need not exist yet), so that a
// link stays a link. A link that cannot be read writes nothing.
QByteArray save_target(QByteArray path)
{
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(path.constData(), &info) != 0) {
            if (errno == ENOENT)
                return path;
            save_failed(errno);
        }
        if (!S_ISLNK(info.st_mode))
            return path;
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), buffer, sizeof buffer);
        if (n < 0)
            save_failed(errno);
        if (std::size_t(n) == sizeof buffer)
            save_failed(ENAMETOOLONG);
        const QByteArray next(buffer, n);
        path = next.startsWith('/') ? next : folder_of(path) + '/' + next;
    }
    save_failed(ELOOP);
}

// The rename or link itself reaches the disk with its folder. It is done
// and seen by every later read whatever this finds, so a failure here costs
// nothing but a result lost to a power cut in the next moments: it is not
// worth failing a save that has happened.
void sync_folder(const QByteArray& folder)
{
    Descriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0)
        (void)sync_file(fd.get());
}

QByteArray leftover_name(const QByteArray& target)
{
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray name = target + '.';
    for (int i = 0; i < 6; ++i)
        name += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
    return name;
}

// A new file being written beside `target`: unnamed where the file system
// allows (nothing is left behind if the game dies), else under a temporary
// name that is removed unless the file took its place.
class NewFile {
public:
    explicit NewFile(const QByteArray& target) : target_(target)
    {
        // 0666 less the umask, as any new file of the player's.
        fd_ = ::open(folder_of(target).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            save_failed(errno);
        // An unnamed file is given its name through /proc; without it, a
        // named one from the start.
        if (fd_ >= 0 && ::access(fd_path().constData(), F_OK) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
        while (fd_ < 0) {
            name_ = leftover_name(target);
            fd_ = ::open(name_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && errno != EEXIST)
                save_failed(errno);
        }
    }
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;
    ~NewFile()
    {
        ::close(fd_);
        if (!name_.isEmpty())
            ::unlink(name_.constData());
    }

    // Writes the bytes, gives the file `mode` when asked, and puts it on the disk.
    void fill(const QByteArray& bytes, std::optional<mode_t> mode)
    {
        if (const int error = write_all(fd_, bytes.constData(), std::size_t(bytes.size())))
            throw SaveFailure(std::strerror(error), false);
        if (mode && ::fchmod(fd_, *mode) != 0)
            save_failed(errno);
        if (const int error = sync_file(fd_))
            throw SaveFailure(std::strerror(error), false);
    }

    // Gives the file the target's name where no file has it: false when one does.
    [[nodiscard]] bool link_as_target()
    {
        const int done = name_.isEmpty()
            ? ::linkat(AT_FDCWD, fd_path().constData(), AT_FDCWD, target_.constData(), AT_SYMLINK_FOLLOW)
            : ::link(name_.constData(), target_.constData());
        if (done != 0 && errno == EEXIST)
            return false;
        if (done != 0)
            save_failed(errno);
        return true;
    }

    // Puts the file in the target's place, whatever stood there.
    void rename_over_target()
    {
        while (name_.isEmpty()) {
            const QByteArray name = leftover_name(target_);
            if (::linkat(AT_FDCWD, fd_path().constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0)
                name_ = name;
            else if (errno != EEXIST)
                save_failed(errno);
        }
        if (::rename(name_.constData(), target_.constData()) != 0)
            save_failed(errno);
        name_.clear();
    }

private:
    [[nodiscard]] QByteArray fd_path() const { return "/proc/self/fd/" + QByteArray::number(fd_); }

    QByteArray target_;
    QByteArray name_;  // the temporary name, while the file has one
    int fd_ = -1;
};

}  // namespace

void save_whole_file(const QString& path, const QByteArray& bytes)
{
    const QByteArray target = save_target(QFile::encodeName(path));
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (!exists && errno != ENOENT)
        save_failed(errno);  // a file that cannot be looked at is not replaced
    if (exists && !S_ISREG(old.st_mode))
        throw SaveFailure("not a regular file", true);
    // A table the player made read-only stays as it is, for root as well.
    if (exists && (old.st_mode & 0222) == 0)
        throw SaveFailure("the file is read-only", true);
    NewFile file(target);
    file.fill(bytes, exists ? std::optional<mode_t>(old.st_mode & 07777) : std::nullopt);
    file.rename_over_target();
    sync_folder(folder_of(target));
}

bool create_whole_file(const QString& path, const QByteArray& bytes)
{
    const QByteArray target = save_target(QFile::encodeName(path));
    NewFile file(target);
    file.fill(bytes, std::nullopt);
    if (!file.link_as_target())
        return false;
    sync_folder(folder_of(target));
    return true;
}

void remove_save_leftovers(const QString& path)
{
    QByteArray target;
    try {
        target = save_target(QFile::encodeName(path));
    } catch (const std::exception&) {
        return;  // nothing can have been saved there either
    }
    const QByteArray folder = folder_of(target);
    const QByteArray prefix = target.mid(target.lastIndexOf('/') + 1) + '.';
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name.size() != prefix.size() + 6 || !name.startsWith(prefix))
            continue;
        bool temporary = true;
        for (const char c : name.mid(prefix.size()))
            temporary = temporary && std::isalnum(static_cast<unsigned char>(c));
        struct stat info {};
        const QByteArray full = folder + '/' + name;
        if (temporary && ::lstat(full.constData(), &info) == 0 && S_ISREG(info.st_mode))
            (void)::unlink(full.constData());  // what is not removed now is tried again at the next save
    }
    ::closedir(dir);
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
            if (const int error = write_all(copy.get(), piece.constData(), std::size_t(piece.size())))
                fail_with(error);
        }
        if (const int error = sync_file(copy.get()))
            fail_with(error);
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
