// Saves the high-score file again and again, alternating two complete
// tables, until it is killed. The kill test checks what each kill leaves.
//   save_loop PATH
#include <QByteArray>
#include <QString>
#include <cstdio>

#include "core/trap.h"
#include "platform/files.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: save_loop PATH\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QByteArray tables[2] = {
        "TOMVAR.100.KELIN.150.DANO.200.RABO.250.MIRAS.300.SENYA.350.TAO KI.400.ZORIA.450.PALKA.500.OKU.550.\r\n",
        "ANNA.99.TOMVAR.100.KELIN.150.DANO.200.RABO.250.MIRAS.300.SENYA.350.TAO KI.400.ZORIA.450.PALKA.500.\r\n",
    };
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
