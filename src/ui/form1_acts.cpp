// Every act of the player on a control comes through one gate, and the
// window's state as the handlers read it.
#include "form1.h"
#include "name_entry.h"
#include "picture_control.h"

namespace fifteen {

void Form1::on_click_and_press(PictureControl* control, const std::function<void()>& handler)
{
    const auto on_act = [this, control, handler] { act(control, handler); };
    connect(control, &PictureControl::clicked, this, on_act);
    control->set_press(on_act);
}

void Form1::act(const QWidget* control, const std::function<void()>& handler)
{
    // A frozen control (disabled by zamrzni_slicice) or a hidden one takes
    // no act, whichever way it comes.
    if (control->isEnabled() && !control->isHidden())
        handler();
}

bool Form1::frozen() const
{
    return !startover->isEnabled();
}

bool Form1::entry_open() const
{
    return name_entry_->is_open();
}

}  // namespace fifteen
