#include "text_label.h"

#include <QFontMetricsF>
#include <QPainter>

#include "core/look.h"
#include "make_control.h"

namespace fifteen {

QFont window_font(int pixels)
{
    QFont font(look::as<QString>(look::kFontFamily));
    font.setBold(true);
    font.setPixelSize(pixels);
    return font;
}

TextLabel::TextLabel(const QString& name, const QRect& geometry, const QColor& background, const QColor& text,
                     int font_pixels, Qt::Alignment alignment, QWidget* parent)
    : QLabel(parent)
{
    make_control(this, name);
    setGeometry(geometry);
    setFont(window_font(font_pixels));
    setAlignment(alignment | Qt::AlignVCenter);
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText, text);
    setPalette(colours);
}

void TextLabel::paintEvent(QPaintEvent*)
{
    // The background is filled already (autoFillBackground). The text takes
    // the room inside the margins at the label's size. One that would not
    // fit, such as a four-digit count or score, is drawn a little narrower
    // (down to 85%), then a pixel smaller and so on: the largest size that
    // fits, as wide as it can be there.
    const QRectF room = QRectF(contentsRect()).adjusted(kInset, 0, -kInset, 0);
    const QString shown = text();
    QFont drawn = font();
    const auto fits = [&] { return QFontMetricsF(drawn, this).horizontalAdvance(shown) <= room.width(); };
    for (int pixels = drawn.pixelSize(); pixels >= 7; --pixels) {
        drawn.setPixelSize(pixels);
        drawn.setStretch(100);
        for (int stretch = 95; stretch >= 85 && !fits(); stretch -= 5)
            drawn.setStretch(stretch);
        if (fits())
            break;
    }
    QPainter painter(this);
    painter.setFont(drawn);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(room, int(alignment()), shown);
}

}  // namespace fifteen
