#pragma once
#include <QUrl>

namespace fifteen {

// The home page of the game's maker, opened by the logo and on the way out.
inline QUrl maker_site()
{
    return QUrl(QStringLiteral("https://kelvane.example/"));
}

}  // namespace fifteen
