// Play from the keyboard: every key goes through the handler a click would.
#include <QKeyEvent>
#include <algorithm>

#include "core/trap.h"
#include "form1.h"
#include "name_box.h"
#include "picture_control.h"

namespace fifteen {

void Form1::keyPressEvent(QKeyEvent* event)
{
    const auto key = Qt::Key(event->key());
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down)) {
        // Arrows that the name box leaves alone never reach the tiles.
        if (focusWidget() != enter_name)
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
        // The arrow names the way the tile travels: Left takes the tile to the
        // right of the gap, Up the one below it, and so on.
        const auto at = std::find(stores_.cells.begin(), stores_.cells.end(), 0);
        if (at == stores_.cells.end())
            return;
        const int gap = int(at - stores_.cells.begin());  // 0..15
        const int row = gap / 4, column = gap % 4;
        int from = -1;
        if (key == Qt::Key_Left && column < 3)
            from = gap + 1;
        else if (key == Qt::Key_Right && column > 0)
            from = gap - 1;
        else if (key == Qt::Key_Up && row < 3)
            from = gap + 4;
        else if (key == Qt::Key_Down && row > 0)
            from = gap - 4;
        if (from < 0)
            return;  // no tile on that side of the gap
        // A key move is a click on that tile; a frozen tile takes no click.
        Image[std::size_t(from)]->press();
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
