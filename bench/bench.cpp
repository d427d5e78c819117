// Times the game's two hot paths in the real window, offscreen unless
// QT_QPA_PLATFORM says otherwise:
//   one counted move, from the click to the end of its handling and the
//   repaint that follows (the 16 picture reads included), and one mouse move
//   over the bare background with its repaint. A key move is timed to its
//   frame as well, without what a screen reader is told after it, back to
//   back and at a player's pace.
// Prints the median and the 90th percentile of many runs of each, then the
// peak resident memory of a played game beside that of a bare Qt Widgets
// window of the same size, each measured in a process of its own.
//   fifteen-bench [RUNS]      everything
//   fifteen-bench --game      (child) a game played a little; prints its
//                             peak in kB, as fifteen-bare-window does
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "core/data_files.h"
#include "core/look.h"
#include "platform/platform.h"
#include "platform/qt_platform.h"
#include "ui/form1.h"
#include "ui/picture_control.h"

using namespace fifteen;

namespace {

// Everything but the files and, when asked, the sound: no browser, no
// sibling, no pause.
struct QuietPlatform final : Platform {
    QString dir;
    QtPlatform* sound = nullptr;
    [[nodiscard]] QString app_dir() const override { return dir; }
    [[nodiscard]] bool launch(const QString&) override { return true; }
    void startup_pause() override {}
    void play_sound(const QString& path) override
    {
        if (sound)
            sound->play_sound(path);
    }
    void open_url(const QUrl&) override {}
    void report(const QString&) override {}
    void end_program(int) override {}
};

// Peak resident memory of this process, in kB.
long peak_kb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

void no_preparation(int) {}

// Where the clock stops: when everything the step set off is done, or when
// its frame is drawn, before what the event loop does after the frame.
enum class Until { Done, Frame };

// Times `step`, after an untimed `prepare` of each run.
template <class Step, class Prepare = decltype(&no_preparation)>
void time_it(const char* what, int runs, Step step, Prepare prepare = &no_preparation, Until until = Until::Done)
{
    std::vector<double> us;
    us.reserve(std::size_t(runs));
    for (int i = 0; i < runs; ++i) {
        prepare(i);
        const auto start = std::chrono::steady_clock::now();
        step(i);
        // What the step changed reaches the screen before the clock stops.
        if (until == Until::Frame)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        else
            QCoreApplication::processEvents();
        const auto end = std::chrono::steady_clock::now();
        if (until == Until::Frame)
            QCoreApplication::processEvents();
        us.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::sort(us.begin(), us.end());
    std::printf("%-34s median %8.1f us   p90 %8.1f us   (%d runs)\n", what, us[us.size() / 2],
                us[us.size() * 9 / 10], runs);
}

void send_click(QWidget* w)
{
    const QPointF at = QRectF(w->rect()).center();
    const QPointF global = w->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

}  // namespace

int main(int argc, char** argv)
{
    // Offscreen unless told otherwise: under X with a screen reader, the
    // cost of what the window tells it shows too.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QDir game(QStringLiteral(FIFTEEN_GAME_DIR));
    for (const QString& name : game.entryList(QDir::Files))
        if (name != QLatin1String("fifteen"))
            QFile::copy(game.filePath(name), dir.filePath(name));
    QuietPlatform platform;
    platform.dir = dir.path();
    Form1 form(platform);
    form.Form_Load();
    app.processEvents();

    Cells cells{15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
    form.set_cells_for_testing(cells);
    auto* above = form.findChild<PictureControl*>(QStringLiteral("Image12"));
    auto* corner = form.findChild<PictureControl*>(QStringLiteral("Image16"));
    form.show();
    app.processEvents();

    if (mode == "--game") {
        // A game as a player has it: moves with their sounds, a new game,
        // the pointer over the background.
        QtPlatform real;
        platform.sound = &real;
        for (int i = 0; i < 200; ++i) {
            send_click(i % 2 == 0 ? above : corner);
            const QPointF at(350 + i % 2, 20);
            QMouseEvent move(QEvent::MouseMove, at, form.mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
            QApplication::sendEvent(&form, &move);
            app.processEvents();
        }
        form.startover_Click();
        app.processEvents();
        std::printf("%ld\n", peak_kb());
        return 0;
    }

    const int runs = argc > 1 ? std::max(10, std::atoi(argv[1])) : 2000;

    time_it("counted move (click to done)", runs, [&](int i) { send_click(i % 2 == 0 ? above : corner); });
    if (form.move_count() != std::min(runs, 32767))
        std::fprintf(stderr, "moves were not counted: %d\n", form.move_count());
    // The same moves by keyboard: Down slides the tile above the gap down,
    // Up slides it back.
    form.set_cells_for_testing(cells);
    form.activateWindow();
    const auto key_move = [&](int i) {
        QKeyEvent press(QEvent::KeyPress, i % 2 == 0 ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
        QApplication::sendEvent(&form, &press);
    };
    time_it("counted key move (key to done)", runs, key_move);
    time_it("counted key move (key to frame)", runs, key_move, &no_preparation, Until::Frame);
    // The same at a quick player's pace: a move every 25 ms (40 a second,
    // faster than anyone plays), the event loop running in between. A
    // screen reader has taken in one move before the next, where back to
    // back its backlog takes the processor from the move timed; and the
    // processor's caches have cooled as they do between a player's moves.
    time_it(
        "key move, a player's pace (to frame)", std::min(runs, 400),
        key_move,
        [](int) {
            QEventLoop pause;
            QTimer::singleShot(25, &pause, &QEventLoop::quit);
            pause.exec();
        },
        Until::Frame);
    QtPlatform real;
    platform.sound = &real;
    time_it("counted move with its sound", runs, [&](int i) { send_click(i % 2 == 0 ? above : corner); });
    platform.sound = nullptr;

    time_it("mouse move over the background", runs, [&](int i) {
        const QPointF at(350 + i % 2, 20);
        QMouseEvent move(QEvent::MouseMove, at, form.mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(&form, &move);
    });

    // A win's save: the pointer move that records a confirmed name, reads
    // the table again under its lock, stores it and deals a new game.
    auto* name_box = form.findChild<QLineEdit*>(QStringLiteral("enter_name"));
    auto* ok = form.findChild<PictureControl*>(QStringLiteral("ok"));
    time_it(
        "save of a recorded win (move to done)", std::min(runs, 300),
        [&](int i) {
            const QPointF at(350 + i % 2, 20);
            QMouseEvent move(QEvent::MouseMove, at, form.mapToGlobal(at), Qt::NoButton, Qt::NoButton, {});
            QApplication::sendEvent(&form, &move);
        },
        [&](int i) {
            form.set_cells_for_testing({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0, 15});
            form.set_move_count_for_testing(std::int16_t(i % 90));
            send_click(corner);
            name_box->setText(QStringLiteral("ANNA"));
            send_click(ok);
            QCoreApplication::processEvents();
        });
    QFile table(dir.filePath(look::as<QString>(kHighscoreFile)));
    if (form.name_confirmed() != 0 || !table.open(QIODevice::ReadOnly) || !table.readAll().startsWith("ANNA."))
        std::fprintf(stderr, "the wins were not saved\n");

    // Memory, each in a fresh process: the game against a bare window.
    auto child_peak = [&](const QString& program, const QStringList& arguments) {
        QProcess child;
        child.start(program, arguments);
        child.waitForFinished(60000);
        return child.readAllStandardOutput().trimmed().toLong();
    };
    const QString here = QCoreApplication::applicationDirPath();
    const long bare = child_peak(here + QStringLiteral("/fifteen-bare-window"), {});
    const long played = child_peak(QCoreApplication::applicationFilePath(), {QStringLiteral("--game")});
    std::printf("%-34s game %ld kB   bare window %ld kB   difference %+.1f MB\n", "peak resident memory", played, bare,
                double(played - bare) / 1024.0);
    return 0;
}
