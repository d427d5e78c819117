// The window's background, painted around its controls.
#include <QPaintEvent>
#include <QPainter>

#include "core/look.h"
#include "form1.h"

namespace fifteen {

void Form1::paintEvent(QPaintEvent* event)
{
    // The background shows only around the controls and is repainted
    // seldom, so it is kept as its JPEG bytes and decoded, band by band, just
    // where it is painted: held decoded it would be the largest piece of the
    // game's memory. Every rectangle around the controls is painted under a
    // plain clip of its own, which the painter fills straight in; the shape
    // around the controls as one clip would cost a buffer the size of the
    // window and threads to fill it.
    constexpr int kBand = 64;
    QPainter painter(this);
    const QRect picture(QPoint(0, 0), background_.size());
    const QRegion shown = event->region() & picture;
    const QRect area = shown.boundingRect();
    for (int top = area.top(); top <= area.bottom(); top += kBand) {
        const QRegion band = shown & QRect(area.left(), top, area.width(), kBand);
        if (band.isEmpty())
            continue;
        const QRect bounds = band.boundingRect();
        const QImage image = background_.decode(devicePixelRatioF(), bounds);
        for (const QRect& piece : band) {
            painter.setClipRect(piece);
            painter.drawImage(bounds.topLeft(), image);
        }
    }
    // Below the picture (its last row) the window shows its own colour.
    for (const QRect& piece : event->region() - picture) {
        painter.setClipRect(piece);
        painter.fillRect(piece, look::as<QColor>(look::kWindow));
    }
}

}  // namespace fifteen
