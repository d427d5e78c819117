#include "window_icon.h"

#include <QIconEngine>
#include <QPainter>
#include "core/look.h"
#include "design.h"

namespace fifteen {

namespace {

class BuiltInIconEngine final : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        // The smallest drawn size that is at least as large, or the largest.
        int chosen = look::kIconSizes.back();
        for (int s : look::kIconSizes)
            if (s >= size.width() && s >= size.height()) {
                chosen = s;
                break;
            }
        const QPixmap picture = design_picture(QStringLiteral("icon-%1.png").arg(chosen), "png");
        return picture.size() == size ? picture : picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int s : look::kIconSizes)
            sizes << QSize(s, s);
        return sizes;
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    [[nodiscard]] QIconEngine* clone() const override { return new BuiltInIconEngine; }
};

}  // namespace

QIcon window_icon()
{
    return QIcon(new BuiltInIconEngine);
}

}  // namespace fifteen
