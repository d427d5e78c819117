#pragma once
// Finding a data file in the game folder on a file system that tells case apart.
#include <QString>

namespace fifteen {

// The path of `name` in `dir`: the exact name when it exists, otherwise the
// first entry whose name matches without regard to case, otherwise the exact
// name (which does not exist).
[[nodiscard]] QString data_path(const QString& dir, const QString& name);

}  // namespace fifteen
