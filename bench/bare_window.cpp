// The memory floor the game is measured against: a Qt Widgets window of the
// game's size that shows a line of text, as every Qt Widgets window with a
// caption or a label does, in a program that links nothing else. Prints its
// peak resident memory in kB.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <cstdio>

#include "core/look.h"

using namespace fifteen;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QWidget bare;
    bare.setFixedSize(look::kWindowWidth, look::kWindowHeight);
    QLabel text(QStringLiteral("Fifteen 0123456789"), &bare);
    text.move(10, 10);
    bare.show();
    for (int i = 0; i < 50; ++i) {
        bare.update();
        app.processEvents();
    }
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                std::printf("%s\n", line.mid(6).trimmed().split(' ').first().constData());
    return 0;
}
