#include "table_lock.h"

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
    (void)lock_.tryLock(kWaitMs);
}

}  // namespace fifteen
