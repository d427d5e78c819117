#pragma once
// The window's icon at every size the generator draws, read from the
// program's built-in pictures whenever the desktop asks for one and never
// kept: the largest alone would hold a quarter of a megabyte for nothing.
#include <QIcon>

namespace fifteen {

[[nodiscard]] QIcon window_icon();

}  // namespace fifteen
