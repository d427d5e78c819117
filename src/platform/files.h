#pragma once
// Reading and writing the game's files: the pictures, sounds and table in the
// game folder, the size check, safe saves.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

#include "core/data_files.h"
#include "core/trap.h"

namespace fifteen {

// A file operation that failed, with the system's error number (0 when the
// file was there but not one the game reads: not a regular file, too large).
class FileError : public Failure {
public:
    FileError(const std::string& reason, int error) : Failure(reason), error_(error) {}
    [[nodiscard]] int error() const { return error_; }
    // Only "no such file" means that the file is not there.
    [[nodiscard]] bool missing() const;
    // The same try will fail until the player changes something: the file or
    // its folder may not be read or written, or it is no regular file.
    [[nodiscard]] bool lasting() const;

private:
    int error_;
};

// Whether an error number says that a file or folder may not be written
// (as opposed to a failing disk or a passing fault).
[[nodiscard]] bool refused(int error);
// Whether the same try with this error number will fail until the player
// changes something (see FileError::lasting).
[[nodiscard]] bool lasting_error(int error);

// Looks at a file, following links: its size when it is a regular file.
[[nodiscard]] FileLook look_at(const QString& path);

// Which file a path leads to, following links: the same for two names of
// one file, different once a save has put a new file in its place.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
[[nodiscard]] std::optional<FileIdentity> file_identity(const QString& path);

// A file in the game folder, open for reading. Whatever a player puts there
// in its place, the game never waits on it and never reads more than it
// allows: it opens without blocking (a FIFO would wait for a writer), and
// only a regular file, or a link to one, of at most `limit` bytes opens at
// all, judged before anything is read. Anything else throws FileError, as a
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
// written whole, given the old file's permissions, flushed to the disk and
// then renamed over the old one, so that a full disk, a size limit or a
// crash leaves the old file exactly as it was. A symbolic link is followed
// and stays a link; where the file or the end of its link cannot be looked
// at, nothing is written. A new file takes the umask; one that nobody may
// write is not replaced. Throws SaveFailure, whose text is the reason, when
// the file was not replaced; no temporary file is left behind then.
void save_whole_file(const QString& path, const QByteArray& bytes);

// Creates the file with `bytes` only where there is none, by a call that
// fails when one has appeared meanwhile; the file is whole and on the disk
// before it has its name. False when a file of that name was there first;
// throws SaveFailure when it could not be made.
[[nodiscard]] bool create_whole_file(const QString& path, const QByteArray& bytes);

// Removes what a save killed between writing its new file and renaming it
// leaves beside the file: "NAME.XXXXXX", six letters or digits. Only call
// it where no other save of the same file can be under way.
void remove_save_leftovers(const QString& path);

// Keeps the file's bytes under a new name beside it, "PATH.SUFFIX" or, when
// that is taken, "PATH.SUFFIX.2" and so on, with no limit: no earlier copy is
// ever overwritten. The new name is a second name for the same file (a hard
// link to a link's target) where the file system allows one; where it does
// not (another file system, hard links refused), a copy of the whole file,
// created anew and on the disk before this returns. Returns the new file's
// name; throws FileError when neither can be made, and leaves nothing behind.
[[nodiscard]] QString set_aside(const QString& path, const QString& suffix);

}  // namespace fifteen
