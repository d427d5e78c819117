#include "table_lock.h"

#include <QCoreApplication>
#include <QSysInfo>
#include <cerrno>
#include <cstring>

namespace fifteen {

namespace {
constexpr int kWaitMs = 1000;
// A recording holds the lock for a few milliseconds; a lock this old belongs
// to a game that hangs and is taken over.
constexpr int kStaleMs = 10000;
}  // namespace

TableLock::TableLock(const QString& table_path) : lock_(table_path + QStringLiteral(".lock"))
{
    lock_.setStaleLockTime(kStaleMs);
    // QLockFile keeps no reason of the system's, but its failed open is
    // the last call it makes.
    if (lock_.tryLock(kWaitMs))
        return;
    error_ = errno;
    // A lock file that names this very game is one whose removal failed
    // when it last let go; one that names nobody after the wait is one
    // whose game died while writing it. Neither is held by a live game, so
    // it is taken over instead of shutting the game out of its table.
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock_.error() != QLockFile::LockFailedError)
        return;
    const bool named = lock_.getLockInfo(&pid, &host, &application);
    if ((!named || (pid == QCoreApplication::applicationPid() && host == QSysInfo::machineHostName()))
        && lock_.removeStaleLockFile() && lock_.tryLock(0))
        error_ = 0;
}

void TableLock::require() const
{
    if (lock_.error() == QLockFile::LockFailedError)
        throw SaveFailure("another game is saving it", false);
}

std::optional<SaveFailure> TableLock::why_not_held() const
{
    if (held())
        return std::nullopt;
    const int error = error_ != 0 ? error_ : EIO;
    // A folder that is not there stays so until the player makes it.
    return SaveFailure(std::strerror(error), error == ENOENT || lasting_error(error));
}

}  // namespace fifteen
