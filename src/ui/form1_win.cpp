// A solved board: the ranking, the name entry and the freeze around it.
#include "bytes.h"
#include "core/ranking.h"
#include "core/trap.h"
#include "form1.h"
#include "name_entry.h"
#include "picture_control.h"
#include "ranking_table.h"

namespace fifteen {

void Form1::check_completion()
{
    guarded([&] {
        if (!is_solved(stores_.board))
            return;
        const auto place = find_place(table_->names(), table_->scores(), move_count_);
        if (!place) {
            load_picture(welldone, "WELLDONE1.JPG");
            welldone->show();
            return;
        }
        kelvane->hide();
        load_picture(welldone, "WELLDONE2.JPG");
        welldone->show();
        name_entry_->show_in_place();
        zamrzni_slicice();
        if (name_confirmed_ == 0)
            tell_name_wanted(*place);  // the win itself; later calls come to record
        if (!record_confirmed_name())
            return;
        odmrzni_slicice();
        startover_Click();
        if (recorded_place_ != 0)
            tell_recorded(recorded_place_);
    });
}

bool Form1::record_confirmed_name()
{
    if (name_confirmed_ == 0 || !is_solved(stores_.board))
        return false;
    bool recorded = false;
    guarded(
        [&] {
            // Another game in the same folder may have stored a result since
            // this one read the table: hold the lock while the table is read
            // again, ranked, recorded and stored, so that neither result is
            // lost. Where it cannot be read now, nothing is stored and the
            // name waits for the next move of the pointer.
            const TableLock lock = table_->lock();
            table_->take_stored_table(lock);
            const auto place = find_place(table_->names(), table_->scores(), move_count_);
            name_confirmed_ = 0;  // recorded now, or beaten meanwhile and dropped
            recorded = true;
            recorded_place_ = place.value_or(0);
            if (!place)
                return;
            table_->record(*place, to_bytes(name_entry_->confirmed_name()), move_count_);
            write_highscore_file();
        },
        [this](const std::exception& failure) { table_->tell_not_stored(failure); });
    return recorded;
}

void Form1::zamrzni_slicice()
{
    guarded([&] {
        for (PictureControl* image : Image)
            image->setEnabled(false);
        startover->setEnabled(false);
        Image54->setEnabled(false);
    });
}

void Form1::odmrzni_slicice()
{
    guarded([&] {
        for (PictureControl* image : Image)
            image->setEnabled(true);
        startover->setEnabled(true);
        Image54->setEnabled(true);
        name_entry_->close();  // upis, enter_name, ok; the keys go back to the board
        kelvane->show();
        welldone->hide();
    });
}

void Form1::ok_Click()
{
    guarded([&] {
        // A valid name is put into capitals and waits, fixed, for the next
        // move of the pointer; a refused one is wiped for a new try.
        if (name_entry_->check_name() == NameEntry::Check::Accepted)
            name_confirmed_ = 1;
    });
}

}  // namespace fifteen
