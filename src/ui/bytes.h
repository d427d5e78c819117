#pragma once
// The table's captions are bytes: one character each, Latin-1 both ways, so
// that every byte of HIGHSCORE.RES round-trips.
#include <QString>
#include <string>
#include <string_view>

namespace fifteen {

inline QString from_bytes(std::string_view bytes)
{
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

inline std::string to_bytes(const QString& text)
{
    return text.toLatin1().toStdString();
}

}  // namespace fifteen
