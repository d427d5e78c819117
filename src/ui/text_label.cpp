#include "text_label.h"

#include "core/look.h"
#include "make_control.h"

namespace fifteen {

QFont window_font(int pixels)
{
    QFont font(QString::fromLatin1(look::kFontFamily.data(), qsizetype(look::kFontFamily.size())));
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

}  // namespace fifteen
