// What a screen reader says. It follows the keyboard focus and reads the
// focused control's name and description, so the focus goes to what the
// player's last act concerns, described with what happened: the tile that
// slid and the count, the new game, the name a win asks for, the place a
// result took. A sighted player sees nothing of it: no picture draws a focus
// frame. Tab goes round the board, START OVER, the logo, the ten places and,
// while it is open, the name entry. All of it is told once the act's frame is
// drawn.
#include <QAccessible>
#include <QCoreApplication>
#include <QTimer>
#include <utility>

#include "core/board.h"
#include "core/trap.h"
#include "form1.h"
#include "name_box.h"
#include "name_entry.h"
#include "picture_control.h"
#include "text_label.h"

namespace fifteen {

namespace {

QString where(int cell)
{
    return QStringLiteral("row %1, column %2").arg((cell - 1) / 4 + 1).arg((cell - 1) % 4 + 1);
}

QString moves(int count)
{
    return count == 1 ? QStringLiteral("1 move") : QStringLiteral("%1 moves").arg(count);
}

// The posted event that tells what waits.
const QEvent::Type kTellEvent = QEvent::Type(QEvent::registerEventType());

const char* const kOrdinals[kPlaces] = {"first", "second", "third", "fourth", "fifth",
                                        "sixth", "seventh", "eighth", "ninth", "tenth"};

// Tells a screen reader again that `control` has the focus.
void retell_focus(QWidget* control)
{
    QAccessibleEvent focus(control, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

// Gives `control` the focus and has it read out, also when it had the focus
// already.
void focus_and_tell(QWidget* control)
{
    if (!control->isVisible() || !control->isEnabled())
        return;
    if (control->hasFocus())
        retell_focus(control);
    else
        control->setFocus(Qt::OtherFocusReason);
}

void set_description(QWidget* control, const QString& description)
{
    if (control->accessibleDescription() != description)
        control->setAccessibleDescription(description);
}

}  // namespace

void set_spoken_name(QWidget* control, const QString& name)
{
    // Qt tells the screen reader of every name set, changed or not: a move
    // would flood it with sixteen, where two tiles change.
    if (control->accessibleName() != name)
        control->setAccessibleName(name);
}

void Form1::tell_after_frame(std::function<void()> telling)
{
    // Each change a screen reader hears of is a message on its bus, which
    // costs the game's thread some 20 us while a reader listens: they wait
    // until the act's frame is drawn, so a move shows as soon with a reader
    // as without. Qt posts the drawing at low priority; the telling is
    // posted lower still, and keeps its order.
    if (!tell_posted_)
        QCoreApplication::postEvent(this, new QEvent(kTellEvent), Qt::LowEventPriority - 1);
    tell_posted_ = true;
    to_tell_.push_back(std::move(telling));
}

void Form1::tell_now()
{
    for (const auto& telling : std::exchange(to_tell_, {}))
        guarded(telling);
}

bool Form1::event(QEvent* event)
{
    if (event->type() != kTellEvent)
        return QWidget::event(event);
    tell_posted_ = false;
    tell_now();
    return true;
}

void Form1::show_count()
{
    Label2->setText(QString::number(move_count_));
    tell_after_frame([this] {
        QAccessibleEvent changed(Label2, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    });
}

void Form1::name_cells(const Cells& values)
{
    tell_after_frame([this, values] {
        for (std::size_t k = 0; k < kCellCount; ++k)
            set_spoken_name(Image[k], values[k] == 0 ? QStringLiteral("gap") : QString::number(values[k]));
    });
}

void Form1::describe_tile(int cell, const QString& what)
{
    // Only the tile in focus carries the count; the others say where they are.
    if (described_ != 0 && described_ != cell)
        set_description(Image[std::size_t(described_ - 1)], where(described_));
    described_ = cell;
    set_description(Image[std::size_t(cell - 1)], what.isEmpty() ? where(cell) : where(cell) + ", " + what);
}

void Form1::tell_move(int to)
{
    tell_after_frame([this, to, name = QString::number(stores_.cells[std::size_t(to - 1)]),
                      count = moves(next_move_count(move_count_))] {  // the count this move makes
        PictureControl* tile = Image[std::size_t(to - 1)];
        set_spoken_name(tile, name);
        describe_tile(to, count);
        focus_and_tell(tile);
    });
}

void Form1::tell_new_game()
{
    // A tile next to the gap, the first an arrow could move.
    for (const Arrow arrow : {Arrow::Down, Arrow::Right, Arrow::Up, Arrow::Left})
        if (const auto cell = cell_for_arrow(stores_.cells, arrow)) {
            tell_after_frame([this, cell = *cell, what = QStringLiteral("new game, ") + moves(move_count_)] {
                describe_tile(cell, what);
                focus_and_tell(Image[std::size_t(cell - 1)]);
            });
            return;
        }
}

void Form1::tell_solved(int cell)
{
    tell_after_frame([this, cell, what = QStringLiteral("solved in ") + moves(move_count_)] {
        describe_tile(cell, what);
        focus_and_tell(Image[std::size_t(cell - 1)]);
    });
}

void Form1::tell_name_wanted(int place)
{
    tell_after_frame([this, what = QStringLiteral("Well done, %1, %2 place: type your name")
                                       .arg(moves(move_count_), QLatin1String(kOrdinals[place - 1]))] {
        NameBox* box = name_entry_->box();
        box->setAccessibleDescription(what);
        focus_and_tell(box);
    });
}

void Form1::tell_recorded(int place)
{
    tell_after_frame([this, place] { focus_and_tell(place_names[std::size_t(place - 1)]); });
}

void Form1::focus_board()
{
    const int cell = described_ != 0 ? described_ : 0;
    if (cell != 0 && stores_.cells[std::size_t(cell - 1)] != 0)
        focus_and_tell(Image[std::size_t(cell - 1)]);
    else
        tell_new_game();
}

bool Form1::focusNextPrevChild(bool next)
{
    tell_now();  // Tab goes on from where the last act left the focus
    // The stops in order; a hidden or frozen one is passed over.
    std::vector<QWidget*> stops{Image[std::size_t((described_ != 0 ? described_ : 1) - 1)], start_over_button(),
                                kelvane};
    for (TextLabel* place : place_names)
        stops.push_back(place);
    stops.push_back(name_entry_->box());
    stops.push_back(name_entry_->ok());
    const auto here = std::find(stops.begin(), stops.end(), focusWidget());
    const bool on_board = std::find(Image.begin(), Image.end(), focusWidget()) != Image.end();
    auto index = on_board ? 0 : here == stops.end() ? (next ? stops.size() - 1 : 0) : std::size_t(here - stops.begin());
    for (std::size_t step = 0; step < stops.size(); ++step) {
        index = (index + (next ? 1 : stops.size() - 1)) % stops.size();
        QWidget* stop = stops[index];
        if (!stop->isVisible() || !stop->isEnabled())
            continue;
        if (index == 0)
            focus_board();
        else
            stop->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return false;
}

void Form1::changeEvent(QEvent* event)
{
    // A screen reader takes the focus only within the window it knows to be
    // active, and may hear of the activation after the focus: once the
    // window is active, the focused control is told again.
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        QTimer::singleShot(0, this, [this] {
            if (QWidget* focused = focusWidget(); focused && isActiveWindow())
                retell_focus(focused);
        });
}

void Form1::focusInEvent(QFocusEvent* event)
{
    // The window itself has nothing to say: the board speaks for it.
    QWidget::focusInEvent(event);
    tell_now();
    focus_board();
}

}  // namespace fifteen
