// Saves the high-score file again and again, alternating two complete
// tables, until it is killed. The kill test checks what each kill leaves.
//   save_loop PATH
#include <QByteArray>
#include <QString>
#include <cstdio>

#include "core/highscore.h"
#include "core/trap.h"
#include "platform/files.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: save_loop PATH\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QByteArray stored(fifteen::kDefaultTableText.data(), qsizetype(fifteen::kDefaultTableText.size()));
    // The default table, and the table after a win in the first place.
    const QByteArray tables[2] = {stored + "\r\n", "ANNA.99." + stored.left(stored.lastIndexOf("OKU.")) + "\r\n"};
    std::fputs("saving\n", stdout);
    std::fflush(stdout);
    for (unsigned long i = 0;; ++i) {
        try {
            fifteen::save_whole_file(path, tables[i % 2]);
        } catch (const fifteen::Failure& failure) {
            std::fprintf(stderr, "save_loop: %s\n", failure.what());
            return 1;
        }
    }
}
