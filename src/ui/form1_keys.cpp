// Play from the keyboard: every key is the act of the control it stands for.
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
        start_over_key();
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
        if (const auto from = cell_for_arrow(stores_.cells, arrow))
            act(Image[std::size_t(*from - 1)], [this, n = *from] { Image_Click(n); });
    });
}

void Form1::start_over_key()
{
    act(start_over_button(), [this] { startover_Click(); });
}

void Form1::enter_name_key()
{
    act(name_entry_->ok(), [this] { enter_name_Return(); });
}

void Form1::enter_name_Return()
{
    // A valid name is recorded at once, a refused one is wiped.
    guarded([&] {
        ok_Click();
        if (name_confirmed_ == 1)
            ok_MouseMove();
    });
}

}  // namespace fifteen
