#include "name_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QProxyStyle>

#include "make_control.h"
#include "core/highscore.h"
#include "core/look.h"
#include "text_label.h"

namespace fifteen {

namespace {

// The application's style, but for a caret two pixels wide.
class WideCaret final : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        return metric == PM_TextCursorWidth ? 2 : QProxyStyle::pixelMetric(metric, option, widget);
    }
};

}  // namespace

NameBox::NameBox(const QString& name, const QRect& geometry, QWidget* parent) : QLineEdit(parent)
{
    make_control(this, name);
    setGeometry(geometry);
    setMaxLength(int(kNameLength));
    setFrame(false);
    setFont(window_font(look::kTextPixels));
    // The name starts clear of the box's edge, in the game's dark ink on
    // gold; the caret is that ink too, two pixels wide, and a selected name
    // shows gold on the ink.
    setTextMargins(3, 0, 2, 0);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, look::as<QColor>(look::kGold));
    colours.setColor(QPalette::Text, look::as<QColor>(look::kGreen));
    colours.setColor(QPalette::Highlight, look::as<QColor>(look::kGreen));
    colours.setColor(QPalette::HighlightedText, look::as<QColor>(look::kGold));
    setPalette(colours);
    auto* caret = new WideCaret;
    caret->setParent(this);
    setStyle(caret);
}

bool NameBox::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress)
        select_on_press_ = false;
    // A hidden box takes no keys: whatever is typed goes on to the window,
    // so that nothing typed during play waits in the box for the next entry.
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
        if (isHidden()) {
            event->ignore();
            return false;
        }
        break;
    default:
        break;
    }
    return QLineEdit::event(event);
}

void NameBox::focusInEvent(QFocusEvent* event)
{
    // The box keeps the last name between games. Taking the focus selects
    // it, so that typing replaces it instead of running into the six-letter
    // limit.
    QLineEdit::focusInEvent(event);
    selectAll();
    select_on_press_ = true;
}

void NameBox::mousePressEvent(QMouseEvent* event)
{
    // The first press after the box took the focus (by that press, or given
    // it at a win) would put the cursor where it landed and drop the
    // selection; keep the selection for that one press, unless the player
    // has typed since.
    QLineEdit::mousePressEvent(event);
    if (select_on_press_)
        selectAll();
    select_on_press_ = false;
}

}  // namespace fifteen
