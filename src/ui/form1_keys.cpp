// Play from the keyboard: every key goes through the handler a click would.
#include <QKeyEvent>

#include "core/trap.h"
#include "form1.h"
#include "name_entry.h"
#include "picture_control.h"

namespace fifteen {

void Form1::keyPressEvent(QKeyEvent* event)
{
    const auto key = Qt::Key(event->key());
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down)) {
        // Arrows that the name box leaves alone never reach the tiles.
        if (!name_entry_->typing())
            arrow_key(key);
        return;
    }
    if ((plain && key == Qt::Key_F2) || (key == Qt::Key_N && event->modifiers() == Qt::ControlModifier)) {
        start_over_unless_frozen();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form1::arrow_key(Qt::Key key)
{
    guarded([&] {
        const Arrow arrow = key == Qt::Key_Left  ? Arrow::Left
                            : key == Qt::Key_Right ? Arrow::Right
                            : key == Qt::Key_Up    ? Arrow::Up
                                                   : Arrow::Down;
        // A key move is a click on that tile; a frozen tile takes no click.
        if (const auto from = cell_for_arrow(stores_.cells, arrow))
            Image[std::size_t(*from - 1)]->press();
    });
}

void Form1::start_over_unless_frozen()
{
    // As the start-over button, which is disabled while the board is frozen.
    guarded([&] {
        if (startover->isEnabled())
            startover_Click();
    });
}

void Form1::enter_name_Return()
{
    // Enter in the name box is a click on OK and then a move of the pointer
    // over OK: a valid name is recorded at once, a refused one is wiped.
    guarded([&] {
        ok_Click();
        if (name_confirmed_ == 1)
            ok_MouseMove();
    });
}

}  // namespace fifteen
