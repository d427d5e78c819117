#pragma once
#include <QString>
#include <QUrl>

namespace fifteen {

// The game's home page, opened by the logo and on the way out: the page
// shipped in the game folder, unless the build names a web site of its own.
inline QUrl maker_site(const QString& home_page_path)
{
#ifdef FIFTEEN_SITE
    const QUrl site(QStringLiteral(FIFTEEN_SITE));
    if (site.isValid() && !site.isEmpty())
        return site;
#endif
    return QUrl::fromLocalFile(home_page_path);
}

}  // namespace fifteen
