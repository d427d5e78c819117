#include "name_box.h"

#include "control_traits.h"
#include "text_label.h"

namespace fifteen {

NameBox::NameBox(const QString& name, const QRect& geometry, QWidget* parent) : QLineEdit(parent)
{
    make_control(this, name);
    setGeometry(geometry);
    setMaxLength(6);
    setFrame(false);
    setFont(window_font(13));
    setTextMargins(1, 0, 1, 0);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, QColor(228, 188, 28));
    setPalette(colours);
}

}  // namespace fifteen
