// The high-score file: the table read into the ranking labels at start, and
// stored after a win or as the default table.
#include "core/trap.h"
#include "form1.h"
#include "ranking_table.h"

namespace fifteen {

void Form1::read_highscore_file()
{
    // A file in which no place reads is replaced by the default table at
    // once, its bytes kept beside it.
    guarded([&] {
        {
            const TableLock lock = table_->lock();
            iz_opena_u_tekst(table_->read_stored(lock));
        }
        if (table_->places_read() == 0)
            write_default_highscore_file();
    });
}

void Form1::iz_opena_u_tekst(const QByteArray& bufer)
{
    guarded([&] { table_->show_text(bufer); });
}

void Form1::write_highscore_file()
{
    guarded([&] { table_->store(); }, [this](const std::exception& failure) { table_->tell_not_stored(failure); });
}

void Form1::write_default_highscore_file()
{
    // Only where no table is stored, or none of its places reads, as the
    // stored file shows when it is read again under the lock.
    guarded(
        [&] {
            const TableLock lock = table_->lock();
            table_->take_stored_table(lock);
            table_->store_default();
        },
        [this](const std::exception& failure) { table_->tell_not_stored(failure); });
}

}  // namespace fifteen
