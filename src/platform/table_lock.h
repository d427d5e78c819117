#pragma once
// A lock beside the high-score file, held while a game reads the stored table
// again, records into it and stores it, so that two games in one folder take
// turns instead of overwriting each other's results.
#include <QLockFile>
#include <QString>

namespace fifteen {

class TableLock {
public:
    // Waits a moment at most. A lock left by a game that was killed is taken
    // over at once. When the lock cannot be had (a folder that cannot be
    // written, a game that hangs while holding it) the caller goes on
    // without it rather than lose the result.
    explicit TableLock(const QString& table_path);
    TableLock(const TableLock&) = delete;
    TableLock& operator=(const TableLock&) = delete;
    ~TableLock() = default;  // QLockFile releases the lock

private:
    QLockFile lock_;
};

}  // namespace fifteen
