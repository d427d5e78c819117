#pragma once
// Reading and writing the game's files: the pictures, sounds and table in the
// game folder, the size check, safe saves.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

#include "core/trap.h"

namespace fifteen {

// The size in bytes of a regular file, or nothing when it is missing.
[[nodiscard]] std::optional<std::uintmax_t> file_size(const QString& path);

// A file in the game folder, open for reading. Whatever a player puts there
// in its place, the game never waits on it and never reads more than it
// allows: it opens without blocking (a FIFO would wait for a writer), and
// only a regular file, or a link to one, of at most `limit` bytes opens at
// all, judged before anything is read. Anything else throws Failure, as a
// missing file does.
class ReadableFile {
public:
    ReadableFile(const QString& path, std::uintmax_t limit);
    ~ReadableFile();
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    [[nodiscard]] int descriptor() const { return fd_; }
    [[nodiscard]] std::uintmax_t size() const { return size_; }
    // Reads up to `at_most` bytes from where the last read ended.
    [[nodiscard]] QByteArray read(std::size_t at_most);

private:
    int fd_ = -1;
    std::uintmax_t size_ = 0;
};

// The largest picture file the game reads: far more than any picture of a
// tile, button or logo takes.
inline constexpr std::uintmax_t kPictureFileLimit = 4u << 20;

// The whole of a data file of at most `limit` bytes; throws Failure for
// anything ReadableFile refuses.
[[nodiscard]] QByteArray read_data_file(const QString& path, std::uintmax_t limit);

// The first bytes of a regular file and its whole size.
struct FilePrefix {
    QByteArray bytes;
    std::uintmax_t size = 0;
};

// Reads at most `limit` bytes from the start of a regular file, every byte
// unchanged, and never blocks: a FIFO, a device or a folder (or a link to
// one) throws Failure unread, as does a file that is missing or cannot be
// read.
[[nodiscard]] FilePrefix read_file_prefix(const QString& path, std::size_t limit);

// A save that did not happen. `lasting` when no save can work until the
// player changes something (the folder cannot be written, the table is
// read-only or not a file); otherwise this save failed (a full disk, a size
// limit) and the next may work.
class SaveFailure : public Failure {
public:
    SaveFailure(const std::string& reason, bool lasting) : Failure(reason), lasting_(lasting) {}
    [[nodiscard]] bool lasting() const { return lasting_; }

private:
    bool lasting_;
};

// Replaces the file with `bytes` through a new file beside it that is
// written whole, flushed to the disk and then renamed over the old one, so
// that a full disk, a size limit or a crash leaves the old file exactly as
// it was. A symbolic link is followed and stays a link; a new file takes the
// umask, an existing one keeps its permissions, and one that nobody may
// write is not replaced. Throws SaveFailure, whose text is the reason, when
// the file was not replaced; no temporary file is left behind then.
void save_whole_file(const QString& path, const QByteArray& bytes);

// Keeps the file's bytes under a new name beside it, "PATH.SUFFIX" or, when
// that is taken, "PATH.SUFFIX.2" and so on, with no limit: no earlier copy is
// ever overwritten. The new name is a second name for the same file (a hard
// link to a link's target) where the file system allows one; where it does
// not (another file system, hard links refused), a copy of the whole file,
// created anew and on the disk before this returns. Returns the new file's
// name; throws Failure when neither can be made, and leaves nothing behind.
[[nodiscard]] QString set_aside(const QString& path, const QString& suffix);

}  // namespace fifteen
