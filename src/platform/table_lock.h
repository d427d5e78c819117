#pragma once
// A lock beside the high-score file, held while a game reads the stored table
// again, records into it and stores it, so that two games in one folder take
// turns instead of overwriting each other's results.
#include <QLockFile>
#include <QString>
#include <optional>

#include "files.h"

namespace fifteen {

class TableLock {
public:
    // Waits a moment at most. A lock left by a game that was killed is taken
    // over at once.
    explicit TableLock(const QString& table_path);
    TableLock(const TableLock&) = delete;
    TableLock& operator=(const TableLock&) = delete;
    ~TableLock() = default;  // QLockFile releases the lock

    [[nodiscard]] bool held() const { return lock_.isLocked(); }
    // Throws SaveFailure when another game holds the lock: the stored table
    // is about to change, so it is not worth reading yet.
    void require() const;
    // Why no lock is held where no game holds it: the folder takes no new
    // file (it may not be written, the disk is full), so no save can be made
    // there either, and the table may still be read and ranked for the
    // session. Nothing while the lock is held.
    [[nodiscard]] std::optional<SaveFailure> why_not_held() const;

private:
    QLockFile lock_;
    int error_ = 0;  // the system's reason when the lock file could not be made
};

}  // namespace fifteen
