// The board, tile moves, a new game, the hover looks and the way out.
#include <algorithm>

#include "core/data_files.h"
#include "core/trap.h"
#include "form1.h"
#include "maker_site.h"
#include "name_entry.h"
#include "picture_control.h"
#include "platform/platform.h"
#include "text_label.h"

namespace fifteen {

void Form1::StartnaTabla16()
{
    guarded([&] {
        stores_.create_board();
        shuffle_cells();
        stores_.rebuild_board();
        stores_.copy_to_shown();
    });
}

void Form1::shuffle_cells()
{
    guarded([&] {
        random_.seed_afresh();
        stores_.cells = deal_cells([this] { return random_.draw(); });
    });
}

void Form1::NovaTabla16()
{
    guarded([&] {
        shuffle_cells();
        stores_.rebuild_board();
    });
}

void Form1::PrikaziTablu16()
{
    guarded([&] {
        for (std::size_t k = 0; k < kCellCount; ++k)
            load_picture(Image[k], tile_file(stores_.shown_board[k]));
        name_cells(stores_.shown_board);
    });
}

void Form1::Image_Click(int n)
{
    guarded([&] {
        // The tile slides into the gap: that is where it then stands.
        const int to = int(std::find(stores_.cells.begin(), stores_.cells.end(), 0) - stores_.cells.begin()) + 1;
        if (!slide_tile(stores_.cells, n))
            return;
        // A screen reader hears where the tile stands before the board is
        // drawn again: the cell it left becomes the gap only once the focus
        // has moved on with the tile.
        tell_move(to);
        after_move();
        if (!entry_open() && is_solved(stores_.board))  // a win that asks for a name has spoken already
            tell_solved(to);
    });
}

void Form1::after_move()
{
    guarded([&] {
        set_app_dir();
        move_count_ = next_move_count(move_count_);
        show_count();
        stores_.rebuild_board();
        stores_.copy_to_shown();
        PrikaziTablu16();
        check_completion();
        platform_.play_sound(data_file("001.WAV"));
    });
}

void Form1::startover_Click()
{
    guarded([&] {
        for (PictureControl* image : Image)
            image->show();
        move_count_ = 0;
        show_count();
        load_picture(welldone, "WELLDONE1.JPG");
        welldone->hide();
        NovaTabla16();
        stores_.copy_to_shown();
        PrikaziTablu16();
        platform_.play_sound(data_file("002.WAV"));
        tell_new_game();
    });
}

void Form1::Image54_MouseMove()
{
    guarded([&] {
        Image54->hide();
        startover->show();
    });
}

void Form1::Form_MouseMove()
{
    guarded([&] {
        Image54->show();
        startover->hide();
        load_picture(kelvane, "KELVANE1.JPG");
        load_picture(name_entry_->ok(), "OK1.JPG");
        if (name_confirmed_ == 1)
            check_completion();
    });
}

void Form1::right_column_MouseMove()
{
    guarded([&] {
        Image54->show();
        startover->hide();
        load_picture(kelvane, "KELVANE1.JPG");
    });
}

void Form1::ok_MouseMove()
{
    guarded([&] {
        load_picture(name_entry_->ok(), "OK2.JPG");
        if (name_confirmed_ == 1)
            check_completion();
    });
}

void Form1::kelvane_MouseMove()
{
    guarded([&] { load_picture(kelvane, "KELVANE2.JPG"); });
}

void Form1::kelvane_Click()
{
    guarded([&] { platform_.open_url(maker_site(data_file(kHomePage))); });
}

void Form1::Form_QueryUnload()
{
    // Every close request ends here and cannot be refused. A name the winner
    // has confirmed is recorded and stored first, just as the next move of
    // the pointer would have done; no new game is dealt on the way out.
    guarded([&] { (void)record_confirmed_name(); });
    platform_.open_url(maker_site(data_file(kHomePage)));
    platform_.end_program(0);
}

}  // namespace fifteen
