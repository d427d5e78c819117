// The real program under an X server: started from a copy of the game
// folder, driven with xdotool and looked at through screenshots.
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <cmath>
#include <optional>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <csignal>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include "core/highscore.h"
#include "solver.h"

namespace {

const QByteArray kDefaultFile = QByteArray(fifteen::kDefaultTableText.data(), qsizetype(fifteen::kDefaultTableText.size())) + "\r\n";
const int kLeft[] = {16, 96, 176, 256};
const int kTop[] = {63, 144, 224, 304};

QString xdotool(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    p.waitForFinished(5000);
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

// Where a window's client area starts on the screen, frame or no frame.
QPoint window_origin(const QString& window)
{
    QProcess p;
    p.start(QStringLiteral("xwininfo"), {"-id", window});
    p.waitForFinished(5000);
    const QString info = QString::fromLocal8Bit(p.readAllStandardOutput());
    const auto x = QRegularExpression(QStringLiteral("Absolute upper-left X: +(-?\\d+)")).match(info);
    const auto y = QRegularExpression(QStringLiteral("Absolute upper-left Y: +(-?\\d+)")).match(info);
    return {x.captured(1).toInt(), y.captured(1).toInt()};
}

QByteArray read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// One run of the game from its own copy of the game folder.
class Run {
public:
    Run()
    {
        const QDir source(QStringLiteral(FIFTEEN_GAME_DIR));
        for (const QString& name : source.entryList(QDir::Files))
            if (name != QLatin1String("HIGHSCORE.RES"))
                QFile::copy(source.filePath(name), dir.filePath(name));
        QFile::setPermissions(dir.filePath("fifteen"), QFile::permissions(source.filePath("fifteen")));
        QFile::setPermissions(dir.filePath("ZUROZO.EXE"), QFile::permissions(source.filePath("ZUROZO.EXE")));
    }
    ~Run()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(3000);
        }
        // A game started through another program (runuser) is not this
        // process's child. The splash is left to end by itself.
        QProcess::execute(QStringLiteral("pkill"), {QStringLiteral("-KILL"), QStringLiteral("-f"), dir.filePath("fifteen")});
    }

    // The processes that run a program from this game folder.
    [[nodiscard]] QList<qint64> programs_running() const
    {
        const QString folder = QFileInfo(dir.path()).canonicalFilePath() + '/';
        QList<qint64> found;
        for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs))
            if (pid.toLongLong() > 0 && QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget().startsWith(folder))
                found << pid.toLongLong();
        return found;
    }

    // Starts the game, through `wrapper` (a program and its arguments, such
    // as runuser's) when one is given.
    void start(const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(), QStringList wrapper = {})
    {
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(QDir::rootPath());  // the game finds its folder itself
        clock.start();
        wrapper << dir.filePath("fifteen");
        process.start(wrapper.takeFirst(), wrapper);
        QVERIFY(process.waitForStarted(5000));
    }

    // The game window's id once it is on the screen, or 0.
    QString wait_for_window(int timeout_ms = 10000)
    {
        while (clock.elapsed() < timeout_ms && process.state() == QProcess::Running) {
            const QString found = xdotool({"search", "--onlyvisible", "--name", "^Fifteen$"});
            if (!found.isEmpty()) {
                window = found.split('\n').first();
                shown_after_ms = clock.elapsed();
                origin = window_origin(window);
                QTest::qWait(300);  // let the first drawing reach the screen
                return window;
            }
            QTest::qWait(50);
        }
        return {};
    }

    QImage screenshot(const QString& name) const
    {
        const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0, origin.x(), origin.y(), 500, 430).toImage();
        QDir().mkpath(QStringLiteral(FIFTEEN_SHOT_DIR));
        shot.save(QStringLiteral(FIFTEEN_SHOT_DIR "/") + name + ".png");
        return shot.convertToFormat(QImage::Format_RGB32);
    }

    void click(QPoint at) const
    {
        xdotool({"mousemove", QString::number(origin.x() + at.x()), QString::number(origin.y() + at.y()), "click", "1"});
        QTest::qWait(250);
    }

    QString file(const QString& name) const { return dir.filePath(name); }

    // Keys to the window that has the keyboard, as a player types them.
    static void keys(const QStringList& names)
    {
        QStringList args{"key", "--delay", "15"};
        xdotool(args + names);
        QTest::qWait(250);
    }
    static void type(const QString& text)
    {
        xdotool({"type", "--delay", "30", text});
        QTest::qWait(150);
    }

    QTemporaryDir dir;
    QProcess process;
    QElapsedTimer clock;
    QString window;
    QPoint origin;
    qint64 shown_after_ms = -1;
};

// The splash's window id once it is on the screen, or empty.
QString wait_for_splash(const Run& run)
{
    QString splash;
    while (splash.isEmpty() && run.clock.elapsed() < 2500) {
        splash = xdotool({"search", "--onlyvisible", "--name", "^kelvane games$"}).section('\n', 0, 0);
        QTest::qWait(50);
    }
    return splash;
}

// A tile's picture decoded to `size` device pixels a side (80 on an
// ordinary screen; the file has twice that).
QImage tile_picture(const Run& run, int value, int size = 80)
{
    QImageReader reader(run.file(QString::asprintf("%03d.JPG", value)), "jpeg");
    reader.setScaledSize(QSize(size, size));
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

double difference(const QImage& shot, QPoint at, const QImage& picture)
{
    double sum = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb a = shot.pixel(at.x() + x, at.y() + y), b = picture.pixel(x, y);
            sum += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
        }
    return sum / (picture.width() * picture.height());
}

// The value whose picture each cell of the screenshot shows.
std::vector<int> board_on_screen(const Run& run, const QImage& shot)
{
    std::vector<QImage> pictures;
    for (int v = 0; v <= 15; ++v)
        pictures.push_back(tile_picture(run, v));
    std::vector<int> values;
    for (int k = 0; k < 16; ++k) {
        const QPoint at(kLeft[k % 4], kTop[k / 4]);
        int best = -1;
        double best_difference = 1e9;
        for (int v = 0; v <= 15; ++v) {
            const double d = difference(shot, at, pictures[std::size_t(v)]);
            if (d < best_difference) {
                best_difference = d;
                best = v;
            }
        }
        values.push_back(best_difference < 12 ? best : -1);
    }
    return values;
}

void send_close_request(const QString& window)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    QVERIFY(x11);
    xcb_connection_t* c = x11->connection();
    auto atom = [c](const char* name) {
        xcb_intern_atom_reply_t* reply =
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
        const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        return a;
    };
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window.toUInt();
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, event.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
    xcb_flush(c);
}

// Processor seconds and peak resident kilobytes of a running process.
std::pair<double, long> usage(qint64 pid)
{
    const QList<QByteArray> stat = read(QStringLiteral("/proc/%1/stat").arg(pid)).split(' ');
    const double ticks = double(sysconf(_SC_CLK_TCK));
    const double seconds = stat.size() > 15 ? (stat[13].toDouble() + stat[14].toDouble()) / ticks : -1;
    long peak = -1;
    for (const QByteArray& line : read(QStringLiteral("/proc/%1/status").arg(pid)).split('\n'))
        if (line.startsWith("VmHWM:"))
            peak = line.mid(6).trimmed().split(' ').first().toLong();
    return {seconds, peak};
}

bool has_text(const QImage& shot, const QRect& label)
{
    // The ranking's text is dark green on a light label.
    int dark = 0;
    for (int y = label.top(); y <= label.bottom(); ++y)
        for (int x = label.left(); x <= label.right(); ++x)
            if (qGray(shot.pixel(x, y)) < 110)
                ++dark;
    return dark >= 8;
}

// A window manager on the display, for what only one shows: frames, focus,
// icons and stacking.
class WindowManager {
public:
    WindowManager()
    {
        process_.start("openbox", {"--sm-disable"});
        started_ = process_.waitForStarted(5000);
        QTest::qWait(700);
    }
    ~WindowManager()
    {
        process_.terminate();
        process_.waitForFinished(3000);
    }
    [[nodiscard]] bool started() const { return started_ && process_.state() == QProcess::Running; }

private:
    QProcess process_;
    bool started_ = false;
};

QString xprop(const QString& window, const QString& property)
{
    QProcess p;
    p.start("xprop", {"-len", "100000000", "-id", window, property});
    p.waitForFinished(5000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// Plays the deal on the screen to the end by arrow keys, all but the last
// move, and returns the key of that last move. `moves` counts them all.
QString play_to_the_last_move(const Run& run, const QString& shot, int& moves)
{
    const std::vector<int> board = board_on_screen(run, run.screenshot(shot));
    const std::vector<std::string> solution = solve(board);
    moves = int(solution.size());
    QStringList keys;
    for (const std::string& key : solution)
        keys << QString::fromStdString(key);
    const QString last = keys.takeLast();
    Run::keys(keys);
    return last;
}

// A private sound server with a sink that plays to nowhere.
class SoundServer {
public:
    SoundServer()
    {
        env_ = QProcessEnvironment::systemEnvironment();
        env_.insert("XDG_RUNTIME_DIR", runtime_.path());
        env_.insert("HOME", runtime_.path());
        QFile::setPermissions(runtime_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        start();
    }
    void start()
    {
        QProcess daemon;
        daemon.setProcessEnvironment(env_);
        daemon.start("pulseaudio", {"--daemonize=yes", "--exit-idle-time=-1", "-n",
                                    "--load=module-null-sink sink_name=nowhere",
                                    "--load=module-native-protocol-unix"});
        started_ = daemon.waitForFinished(10000) && daemon.exitCode() == 0;
    }
    ~SoundServer() { stop(); }
    void stop()
    {
        QProcess stop;
        stop.setProcessEnvironment(env_);
        stop.start("pulseaudio", {"--kill"});
        stop.waitForFinished(5000);
    }
    [[nodiscard]] bool started() const { return started_; }
    // What the server knows of the streams that play now.
    [[nodiscard]] QString stream_properties() const { return pactl({"list", "sink-inputs"}); }
    [[nodiscard]] const QProcessEnvironment& env() const { return env_; }
    // The streams that play now, one line each.
    [[nodiscard]] int streams() const
    {
        const QString out = pactl({"list", "short", "sink-inputs"});
        return out.isEmpty() ? 0 : int(out.split('\n').size());
    }

private:
    QString pactl(const QStringList& args) const
    {
        QProcess p;
        p.setProcessEnvironment(env_);
        p.start("pactl", args);
        p.waitForFinished(5000);
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    }
    QTemporaryDir runtime_;
    QProcessEnvironment env_;
    bool started_ = false;
};

// A private session bus; the accessibility bus is started on it on demand.
class SessionBus {
public:
    SessionBus()
    {
        QProcess daemon;
        daemon.start("dbus-daemon", {"--session", "--fork", "--print-address=1", "--print-pid=1"});
        daemon.waitForFinished(10000);
        const QStringList lines = QString::fromLocal8Bit(daemon.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        if (lines.size() >= 2) {
            address_ = lines[0].trimmed();
            pid_ = lines[1].trimmed().toLongLong();
        }
    }
    ~SessionBus()
    {
        if (pid_ > 0)
            ::kill(pid_t(pid_), SIGTERM);
        QProcess::execute("pkill", {"-f", "at-spi-bus-launcher|at-spi2-registryd"});
    }
    [[nodiscard]] const QString& address() const { return address_; }

private:
    QString address_;
    qint64 pid_ = 0;
};

// The names of the push buttons below one object of the accessibility tree.
void push_buttons(const QDBusConnection& bus, const QString& service, const QString& path, QStringList& names,
                  int depth = 0)
{
    if (depth > 8)
        return;
    QDBusInterface node(service, path, "org.a11y.atspi.Accessible", bus);
    const QDBusReply<QString> role = node.call("GetRoleName");
    if (role.isValid() && role.value() == QLatin1String("push button"))
        names << node.property("Name").toString();
    const QDBusMessage children = node.call("GetChildren");
    if (children.type() != QDBusMessage::ReplyMessage || children.arguments().isEmpty())
        return;
    const QDBusArgument list = children.arguments().first().value<QDBusArgument>();
    QList<std::pair<QString, QString>> found;
    list.beginArray();
    while (!list.atEnd()) {
        QString child_service;
        QDBusObjectPath child_path;
        list.beginStructure();
        list >> child_service >> child_path;
        list.endStructure();
        found.append({child_service, child_path.path()});
    }
    list.endArray();
    for (const auto& [s, p] : found)
        push_buttons(bus, s, p, names, depth + 1);
}

// Starts a game with the default table that plays to `server`, with
// `settings` ("NAME=VALUE") added to its environment.
void start_with_sound(Run& run, const SoundServer& server, const QStringList& settings)
{
    write(run.file("HIGHSCORE.RES"), kDefaultFile);
    QProcessEnvironment env = server.env();
    for (const QString& setting : settings)
        env.insert(setting.section('=', 0, 0), setting.section('=', 1));
    run.start(env);
}

}  // namespace

class GameEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void firstStartCreatesTheTableAndShowsADealtBoard()
    {
        Run run;
        run.start();
        QVERIFY(!run.wait_for_window().isEmpty());
        QVERIFY(run.shown_after_ms >= 3000);  // the pause is never cut short
        const auto [cpu, peak_kb] = usage(run.process.processId());
        qInfo("figures: window shown after %lld ms; processor %.3f s by then; peak resident %ld kB",
              run.shown_after_ms, cpu, peak_kb);
        QCOMPARE(read(run.file("HIGHSCORE.RES")), kDefaultFile);

        const QImage shot = run.screenshot("first-start");
        const std::vector<int> board = board_on_screen(run, shot);
        QCOMPARE(board[15], 0);
        std::vector<int> sorted = board;
        std::sort(sorted.begin(), sorted.end());
        for (int v = 0; v < 16; ++v)
            QCOMPARE(sorted[std::size_t(v)], v);
        QCOMPARE(QGuiApplication::primaryScreen()->geometry().center(), run.origin + QPoint(250, 215));
    }

    void aFailingLookAtStartKeepsTheTable()
    {
        // A look at the table, or at whether its folder can be written,
        // that fails at start as on a failing disk: the stored table stays
        // byte for byte, with its mode, and stays where it is.
        const QByteArray table = "KEEP.1.ME.2.\r\n";
        int fired = 0;
        for (const char* fault :
             {"access:1:13:HIGHSCORE.RES", "access:2:13:HIGHSCORE.RES", "stat:1:5:HIGHSCORE.RES", "access:2:5:"}) {
            Run run;
            write(run.file("HIGHSCORE.RES"), table);
            QVERIFY(QFile::setPermissions(run.file("HIGHSCORE.RES"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
            QTemporaryDir home;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("HOME", home.path());
            env.insert("LD_PRELOAD", FIFTEEN_FAIL_CALL);
            env.insert("FIFTEEN_FAIL", fault + (QByteArray(fault).endsWith(':') ? run.dir.path() : QString()));
            run.start(env);
            QVERIFY2(!run.wait_for_window().isEmpty(), fault);
            fired += run.process.readAllStandardError().contains("fail_call: fired");
            QCOMPARE(read(run.file("HIGHSCORE.RES")), table);
            QCOMPARE(QFileInfo(run.file("HIGHSCORE.RES")).permissions() & 0x0777,
                     QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup);
            QVERIFY2(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty(), fault);
        }
        QVERIFY(fired >= 3);  // the calls the game makes at start, and one an older game made
    }

    void pictureOneByteTooLongEndsWithStatusOne()
    {
        Run run;
        write(run.file("HIGHSCORE.RES"), "KEEP.1.");
        write(run.file("005.JPG"), read(run.file("005.JPG")) + 'x');
        run.start();
        bool window_seen = false;
        while (!run.process.waitForFinished(100) && run.clock.elapsed() < 10000)
            window_seen = window_seen || !xdotool({"search", "--onlyvisible", "--name", "^Fifteen$"}).isEmpty();
        QCOMPARE(run.process.state(), QProcess::NotRunning);
        QCOMPARE(run.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.process.exitCode(), 1);
        QVERIFY(!window_seen);
        QVERIFY(run.process.readAllStandardError().contains("005.JPG: size 4140 where 4139 is expected"));
        QCOMPARE(read(run.file("HIGHSCORE.RES")), QByteArray("KEEP.1."));
    }

    void clickedTileSlidesIntoTheGap()
    {
        Run run;
        write(run.file("HIGHSCORE.RES"), kDefaultFile);
        run.start();
        QVERIFY(!run.wait_for_window().isEmpty());
        const std::vector<int> before = board_on_screen(run, run.screenshot("before-move"));
        QCOMPARE(before[15], 0);
        run.click(QPoint(kLeft[3] + 40, kTop[2] + 40));  // the tile above the gap
        const std::vector<int> after = board_on_screen(run, run.screenshot("after-move"));
        QCOMPARE(after[11], 0);
        QCOMPARE(after[15], before[11]);
        for (int k = 0; k < 11; ++k)
            QCOMPARE(after[std::size_t(k)], before[std::size_t(k)]);
        // Still answering after the sound: the tile goes back.
        run.click(QPoint(kLeft[3] + 40, kTop[3] + 40));
        QCOMPARE(board_on_screen(run, run.screenshot("moved-back")), before);
        QCOMPARE(run.process.state(), QProcess::Running);
    }

    void logoAndCloseOpenTheSiteAndCloseEndsAtOnce()
    {
        Run run;
        write(run.file("HIGHSCORE.RES"), kDefaultFile);
        QTemporaryDir bin;
        const QString log = bin.filePath("opened.txt");
        // An opener that complains on its terminal, as xdg-open does without a browser.
        write(bin.filePath("xdg-open"), "#!/bin/sh\necho \"$@\" >> \"" + log.toLocal8Bit()
                                            + "\"\necho 'xdg-open: no method available' >&2\necho noise\n");
        QFile::setPermissions(bin.filePath("xdg-open"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PATH", bin.path() + ':' + env.value("PATH"));
        for (const char* desktop : {"XDG_CURRENT_DESKTOP", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID", "DESKTOP_SESSION"})
            env.remove(desktop);
        run.start(env);
        QVERIFY(!run.wait_for_window().isEmpty());

        run.click(QPoint(374 + 50, 392 + 14));  // the logo
        // The home page shipped in the game folder.
        const QByteArray page = QUrl::fromLocalFile(run.file("fifteen.html")).toEncoded() + "\n";
        QTRY_COMPARE_WITH_TIMEOUT(read(log), page, 3000);
        QCOMPARE(run.process.state(), QProcess::Running);

        send_close_request(run.window);
        QElapsedTimer closing;
        closing.start();
        QVERIFY(run.process.waitForFinished(1000));
        qInfo("figures: ended %lld ms after the close request", closing.elapsed());
        QCOMPARE(run.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.process.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(read(log), page + page, 3000);
        QCOMPARE(run.process.readAllStandardError(), QByteArray());
        QCOMPARE(run.process.readAllStandardOutput(), QByteArray());

        // A task manager's or a session's end takes the same way out.
        QFile::remove(log);
        Run second;
        write(second.file("HIGHSCORE.RES"), kDefaultFile);
        second.start(env);
        QVERIFY(!second.wait_for_window().isEmpty());
        second.process.terminate();
        QVERIFY(second.process.waitForFinished(1000));
        QCOMPARE(second.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.process.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(read(log), QUrl::fromLocalFile(second.file("fifteen.html")).toEncoded() + "\n", 3000);
    }

    void soundsPlayAndANewOneCutsTheOld()
    {
        SoundServer server;
        QVERIFY(server.started());
        Run run;
        start_with_sound(run, server, {});
        QVERIFY(!run.wait_for_window().isEmpty());
        QCOMPARE(server.streams(), 0);

        // A new game's jingle: light the button, click it.
        run.click(QPoint(100, 410));
        QTRY_COMPARE_WITH_TIMEOUT(server.streams(), 1, 1000);
        // Two more at once: still one stream, the last.
        run.click(QPoint(101, 410));
        run.click(QPoint(100, 410));
        QCOMPARE(server.streams(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(server.streams(), 0, 3000);
        // A burst of moves by keys, each cutting a sound the server may
        // still be setting up: when the last has played, none is left.
        xdotool({"windowfocus", "--sync", run.window});
        QStringList burst{"key", "--delay", "0"};
        for (int i = 0; i < 15; ++i)
            burst << "Down" << "Up";
        xdotool(burst);
        QTRY_COMPARE_WITH_TIMEOUT(server.streams(), 0, 3000);

        // A move's click sound, then the same sound file made longer: the
        // next move plays the new file.
        run.click(QPoint(kLeft[3] + 40, kTop[2] + 40));
        QTRY_COMPARE_WITH_TIMEOUT(server.streams(), 0, 2000);
        QFile::remove(run.file("001.WAV"));
        QFile::copy(run.file("002.WAV"), run.file("001.WAV"));
        run.click(QPoint(kLeft[3] + 40, kTop[3] + 40));
        QTRY_COMPARE_WITH_TIMEOUT(server.streams(), 1, 1000);
        // It shows as the game's in the desktop's volume mixer.
        const QString properties = server.stream_properties();
        QVERIFY2(properties.contains("application.name = \"Fifteen\"") && properties.contains("media.role = \"event\""),
                 qPrintable(properties));
        QTest::qWait(400);  // the 70 ms click would be over by now; the jingle is not
        QCOMPARE(server.streams(), 1);
        QCOMPARE(run.process.state(), QProcess::Running);

        // Idle after sounds: the game's thread sleeps.
        QTRY_COMPARE_WITH_TIMEOUT(server.streams(), 0, 3000);
        QTest::qWait(500);
        const auto switches = [&run] {
            for (const QByteArray& line : read(QStringLiteral("/proc/%1/status").arg(run.process.processId())).split('\n'))
                if (line.startsWith("voluntary_ctxt_switches:"))
                    return line.mid(24).trimmed().toLong();
            return -1L;
        };
        const long before = switches();
        QTest::qWait(3000);
        qInfo("figures: %ld wake-ups of the game's thread in 3 s idle after sounds", switches() - before);
        QCOMPARE(switches() - before, 0L);

        // The server goes away in the middle of the jingle: silence, and the
        // game goes on; back again, the next sound plays.
        run.click(QPoint(100, 410));
        QTRY_COMPARE_WITH_TIMEOUT(server.streams(), 1, 1000);
        server.stop();
        run.click(QPoint(kLeft[3] + 40, kTop[2] + 40));
        const std::vector<int> moved = board_on_screen(run, run.screenshot("moved-without-sound-server"));
        QCOMPARE(moved[11], 0);
        server.start();
        QVERIFY(server.started());
        run.click(QPoint(kLeft[3] + 40, kTop[3] + 40));
        QTRY_COMPARE_WITH_TIMEOUT(server.streams(), 1, 2000);
        QCOMPARE(run.process.state(), QProcess::Running);
        QCOMPARE(run.process.readAllStandardError(), QByteArray());
    }

    void sameGameUnderAnyOfThePlayersSettings()
    {
        // Logging rules that quiet Qt's warnings, and Qt's own event loop in
        // place of GLib's: a cut-off logo is still refused, and a move's
        // sound still reaches the server as the game's playing stream.
        SoundServer server;
        QVERIFY(server.started());
        Run run;
        start_with_sound(run, server, {"QT_LOGGING_RULES=*.warning=false", "QT_NO_GLIB=1"});
        QVERIFY(!run.wait_for_window().isEmpty());
        // The pointer over the logo lights it; the plain picture it takes
        // back on leaving is cut off, so the logo stays lit, never grey.
        const QRect logo(374, 392, 100, 28);
        const auto point_at = [&run](QPoint at) {
            xdotool({"mousemove", QString::number(run.origin.x() + at.x()), QString::number(run.origin.y() + at.y())});
            QTest::qWait(300);
        };
        const QByteArray good = read(run.file("KELVANE1.JPG"));
        write(run.file("KELVANE1.JPG"), good.left(good.size() / 2));
        point_at(logo.center());
        const QImage lit = run.screenshot("settings-lit").copy(logo);
        point_at(QPoint(350, 20));
        QCOMPARE(run.screenshot("settings-left").copy(logo), lit);

        QFile::remove(run.file("001.WAV"));
        QFile::copy(run.file("002.WAV"), run.file("001.WAV"));  // a move's sound long enough to see
        xdotool({"windowfocus", "--sync", run.window});
        Run::keys({"Down"});
        QTRY_COMPARE_WITH_TIMEOUT(server.streams(), 1, 2000);
        const QString stream = server.stream_properties();
        QVERIFY2(stream.contains("application.name = \"Fifteen\"") && stream.contains("Corked: no"), qPrintable(stream));
    }

    void soundsSayNothingWhereHomeCannotBeWritten()
    {
        // The sound library looks for its key file in the home folder, and
        // complains where it can neither read nor make one: never to the
        // game's terminal.
        SoundServer server;
        QVERIFY(server.started());
        Run run;
        start_with_sound(run, server, {"HOME=/proc"});
        QVERIFY(!run.wait_for_window().isEmpty());
        run.click(QPoint(100, 410));
        QTRY_COMPARE_WITH_TIMEOUT(server.streams(), 1, 1000);
        QTRY_COMPARE_WITH_TIMEOUT(server.streams(), 0, 3000);
        QCOMPARE(run.process.readAllStandardError(), QByteArray());
    }

    void noDisplayIsOneLineWithQtsReason()
    {
        // No display at all, and a platform plugin that is not there: one
        // line that says what Qt found wrong, and status 1.
        QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            bare.remove(name);
        QProcessEnvironment nosuch = QProcessEnvironment::systemEnvironment();
        nosuch.insert("QT_QPA_PLATFORM", "nosuch");
        const std::pair<QProcessEnvironment, const char*> cases[] = {
            {bare, "could not connect to display (DISPLAY is not set)"},
            {nosuch, "Could not find the Qt platform plugin \"nosuch\""}};
        for (const auto& [env, reason] : cases) {
            Run run;
            run.start(env);
            QVERIFY(run.process.waitForFinished(10000));
            QCOMPARE(run.process.exitStatus(), QProcess::NormalExit);
            QCOMPARE(run.process.exitCode(), 1);
            const QByteArray said = run.process.readAllStandardError();
            QVERIFY2(said.startsWith("fifteen: cannot open the display: ") && said.count('\n') == 1
                         && said.endsWith('\n') && said.contains(reason),
                     said.constData());
            QVERIFY(!QFileInfo::exists(run.file("HIGHSCORE.RES")));
        }
    }

    void nothingRunsOnAfterTheGameWithOrWithoutAWindowManager()
    {
        // The splash ends within 4 s of showing, whatever closes it, and
        // nothing from the game folder runs 1 s after the game's window
        // closed.
        for (const bool with_wm : {false, true}) {
            std::optional<WindowManager> wm;
            if (with_wm) {
                wm.emplace();
                QVERIFY(wm->started());
            }
            Run run;
            write(run.file("HIGHSCORE.RES"), kDefaultFile);
            run.start();
            QVERIFY(!wait_for_splash(run).isEmpty());
            QElapsedTimer splash_shown;
            splash_shown.start();
            QVERIFY(!run.wait_for_window().isEmpty());
            while (run.programs_running().size() > 1 && splash_shown.elapsed() < 4000)
                QTest::qWait(50);
            qInfo("figures: %s window manager: the splash ended %lld ms after it showed", with_wm ? "with a" : "no",
                  splash_shown.elapsed());
            QCOMPARE(run.programs_running(), QList<qint64>{run.process.processId()});

            send_close_request(run.window);
            QVERIFY(run.process.waitForFinished(1000));
            QTest::qWait(1000);
            QCOMPARE(run.programs_running(), QList<qint64>{});
        }
        // A click closes the splash sooner; its program ends with it.
        Run run;
        write(run.file("HIGHSCORE.RES"), kDefaultFile);
        run.start();
        const QString splash = wait_for_splash(run);
        QVERIFY(!splash.isEmpty());
        const QPoint at = window_origin(splash);
        xdotool({"mousemove", QString::number(at.x() + 20), QString::number(at.y() + 20), "click", "1"});
        QTRY_COMPARE_WITH_TIMEOUT(run.programs_running().size(), qsizetype(1), 1000);
        QVERIFY(run.clock.elapsed() < 3000);
    }

    void runsNativelyOnWayland()
    {
        // A headless compositor of its own, with its protocol log: what the
        // windows ask of it is the game's business, not its terminal's.
        QTemporaryDir runtime;
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        QProcess weston;
        QProcessEnvironment weston_env = env;
        weston_env.insert("WAYLAND_DEBUG", "server");
        weston.setProcessEnvironment(weston_env);
        weston.setStandardErrorFile(runtime.filePath("weston.log"));
        weston.setStandardOutputFile(QProcess::nullDevice());
        weston.start("weston", {"--backend=headless-backend.so", "--use-pixman", "--debug", "--socket=fifteen-0",
                                "--width=1024", "--height=768", "--idle-time=0"});
        QVERIFY(weston.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(runtime.filePath("fifteen-0")), 5000);
        env.insert("WAYLAND_DISPLAY", "fifteen-0");
        env.insert("QT_QPA_PLATFORM", "wayland");

        Run run;
        write(run.file("HIGHSCORE.RES"), kDefaultFile);
        run.start(env);
        const auto log = [&runtime] { return read(runtime.filePath("weston.log")); };
        QTRY_VERIFY_WITH_TIMEOUT(log().contains("set_title(\"Fifteen\")"), 10000);
        QVERIFY(log().contains("set_title(\"kelvane games\")"));
        // The splash ends by itself.
        QTRY_COMPARE_WITH_TIMEOUT(run.programs_running(), QList<qint64>{run.process.processId()}, 2000);
        QTest::qWait(500);
        QProcess shooter;
        shooter.setProcessEnvironment(env);
        QDir().mkpath(QStringLiteral(FIFTEEN_SHOT_DIR "/wayland"));
        shooter.setWorkingDirectory(QStringLiteral(FIFTEEN_SHOT_DIR "/wayland"));
        shooter.start("weston-screenshooter", {});
        shooter.waitForFinished(5000);

        // Every window of the game and its splash is the game's in a dock.
        const QByteArray said = log();
        const qsizetype windows = said.count(".get_toplevel(");
        QCOMPARE(windows, qsizetype(2));
        QCOMPARE(said.count(".set_app_id(\"net.kelvane.Fifteen\")"), windows);
        QCOMPARE(said.count(".set_app_id("), windows);
        QCOMPARE(run.process.state(), QProcess::Running);
        run.process.terminate();
        QVERIFY(run.process.waitForFinished(2000));
        QCOMPARE(run.process.exitCode(), 0);
        QCOMPARE(run.process.readAllStandardError(), QByteArray());
        weston.terminate();
        weston.waitForFinished(3000);
    }

    void filesInTheGameFolderNeverHangOrSwellTheGame()
    {
        // A player's FIFOs and a link to an endless device in place of the
        // sounds and pictures: each is silence or the picture the control
        // had, the window answers every move, memory stays where it was, and
        // SIGTERM still ends the game.
        Run run;
        write(run.file("HIGHSCORE.RES"), kDefaultFile);
        run.start();
        QVERIFY(!run.wait_for_window().isEmpty());
        const QPoint above_gap(kLeft[3] + 40, kTop[2] + 40), gap(kLeft[3] + 40, kTop[3] + 40);
        const std::vector<int> before = board_on_screen(run, run.screenshot("before-fifos"));
        run.click(above_gap);
        run.click(gap);
        const long normal_peak_kb = usage(run.process.processId()).second;

        const auto replace = [&run](const char* name, const char* with) {
            QFile::remove(run.file(name));
            if (QByteArray(with) == "fifo")
                QVERIFY(::mkfifo(QFile::encodeName(run.file(name)).constData(), 0600) == 0);
            else
                QVERIFY(QFile::link(with, run.file(name)));
        };
        // The move sound a FIFO: the move shows, and the next one too.
        replace("001.WAV", "fifo");
        run.click(above_gap);
        std::vector<int> moved = board_on_screen(run, run.screenshot("move-with-fifo-sound"));
        QCOMPARE(moved[11], 0);
        QCOMPARE(moved[15], before[11]);
        run.click(gap);
        QCOMPARE(board_on_screen(run, run.screenshot("move-back-with-fifo-sound")), before);
        // The gap's picture a link to /dev/zero, then a FIFO; the logo a FIFO
        // under the pointer over the background.
        replace("000.JPG", "/dev/zero");
        run.click(above_gap);
        run.click(gap);
        replace("000.JPG", "fifo");
        run.click(above_gap);
        replace("KELVANE1.JPG", "fifo");
        xdotool({"mousemove", QString::number(run.origin.x() + 350), QString::number(run.origin.y() + 20)});
        QTest::qWait(300);
        const long peak_kb = usage(run.process.processId()).second;
        qInfo("figures: peak resident %ld kB after a normal move, %ld kB after the FIFOs and /dev/zero", normal_peak_kb,
              peak_kb);
        QVERIFY(peak_kb - normal_peak_kb < 3 * 1024);
        QElapsedTimer ending;
        ending.start();
        run.process.terminate();
        QVERIFY(run.process.waitForFinished(1000));
        QCOMPARE(run.process.exitCode(), 0);
        qInfo("figures: ended %lld ms after SIGTERM", ending.elapsed());
    }

    void aFolderNameThatIsNotUtf8IsOneLineAndStatusOne()
    {
        Run source;
        QTemporaryDir parent;
        const QByteArray folder = QFile::encodeName(parent.path()) + "/g\xf6" "dir";
        QVERIFY(::mkdir(folder.constData(), 0755) == 0);
        for (const char* name : {"fifteen", "ZUROZO.EXE"})
            QVERIFY(::link(QFile::encodeName(source.file(name)).constData(), (folder + '/' + name).constData()) == 0);
        // Started by its bytes through the shell: a QString cannot hold the name.
        const int status = std::system(("cd " + QFile::encodeName(parent.path()) + " && ./g\xf6" "dir/fifteen 2>said").constData());
        QCOMPARE(WEXITSTATUS(status), 1);
        const QByteArray said = read(parent.filePath("said"));
        QCOMPARE(said, "fifteen: the game folder's name is not UTF-8: " + QFileInfo(parent.path()).canonicalFilePath().toUtf8()
                           + "/g\\xf6dir\n");
        QVERIFY(xdotool({"search", "--onlyvisible", "--name", "^Fifteen$"}).isEmpty());
    }

    void screenReaderFindsTheSixteenNamedTiles()
    {
        SessionBus session;
        QVERIFY(!session.address().isEmpty());
        Run run;
        write(run.file("HIGHSCORE.RES"), kDefaultFile);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", session.address());
        env.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        run.start(env);
        QVERIFY(!run.wait_for_window().isEmpty());

        const QDBusConnection bus = QDBusConnection::connectToBus(session.address(), "session");
        QDBusInterface launcher("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", bus);
        const QDBusReply<QString> a11y_address = launcher.call("GetAddress");
        QVERIFY2(a11y_address.isValid(), qPrintable(a11y_address.error().message()));
        const QDBusConnection a11y = QDBusConnection::connectToBus(a11y_address.value(), "a11y");
        QStringList tiles;
        QElapsedTimer waited;
        waited.start();
        while (tiles.size() < 16 && waited.elapsed() < 10000) {
            QStringList buttons;
            push_buttons(a11y, "org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root", buttons);
            tiles.clear();
            for (const QString& name : buttons)
                if (name == QLatin1String("gap") || (name.toInt() >= 1 && name.toInt() <= 15))
                    tiles << name;
            if (tiles.size() < 16)
                QTest::qWait(200);
        }
        tiles.sort();
        QStringList expected{"gap"};
        for (int v = 1; v <= 15; ++v)
            expected << QString::number(v);
        expected.sort();
        QCOMPARE(tiles, expected);
    }

    void splashThenTheGameWindowTakesTheKeyboard()
    {
        WindowManager wm;
        QVERIFY(wm.started());
        Run run;
        write(run.file("HIGHSCORE.RES"), kDefaultFile);
        run.start();
        const QString splash = wait_for_splash(run);
        QVERIFY(!splash.isEmpty());
        QTest::qWait(300);
        QGuiApplication::primaryScreen()->grabWindow(0).save(QStringLiteral(FIFTEEN_SHOT_DIR "/splash.png"));
        // Centred, with no frame or title buttons.
        QCOMPARE(window_origin(splash), QPoint(332, 284));
        QVERIFY(xdotool({"getwindowgeometry", splash}).contains("Geometry: 360x200"));
        QVERIFY2(xprop(splash, "_NET_FRAME_EXTENTS").contains("= 0, 0, 0, 0"), qPrintable(xprop(splash, "_NET_FRAME_EXTENTS")));

        QVERIFY(!run.wait_for_window().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(xdotool({"getactivewindow"}), run.window, 2000);
        QTRY_VERIFY_WITH_TIMEOUT(xdotool({"search", "--onlyvisible", "--name", "^kelvane games$"}).isEmpty(), 2000);
        QGuiApplication::primaryScreen()->grabWindow(0).save(QStringLiteral(FIFTEEN_SHOT_DIR "/title-bar.png"));
        // A title bar on the screen, and the icon at every size it is drawn at.
        const QStringList extents = xprop(run.window, "_NET_FRAME_EXTENTS").section('=', 1).split(',');
        QCOMPARE(extents.size(), 4);
        QVERIFY(extents[2].trimmed().toInt() > 10);
        QVERIFY(run.origin.y() - extents[2].trimmed().toInt() >= 0);
        const QString icons = xprop(run.window, "_NET_WM_ICON");
        for (int size : {32, 48, 64, 128, 256})
            QVERIFY2(icons.contains(QStringLiteral("Icon (%1 x %1)").arg(size)), qPrintable(QString::number(size)));
    }

    void keysAndNamesFollowEveryWin()
    {
        WindowManager wm;
        QVERIFY(wm.started());
        Run run;
        // Every result earns the first place.
        QByteArray table;
        for (int p = 0; p < 10; ++p)
            table += "SLOW." + QByteArray::number(9990 + p) + '.';
        write(run.file("HIGHSCORE.RES"), table);
        run.start();
        QVERIFY(!run.wait_for_window().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(xdotool({"getactivewindow"}), run.window, 2000);

        // A win by keys, the name by Tab and Enter.
        int first = 0;
        Run::keys({play_to_the_last_move(run, "first-deal", first)});
        Run::keys({"Tab"});
        Run::type("anna");
        Run::keys({"Return"});
        QTRY_VERIFY_WITH_TIMEOUT(read(run.file("HIGHSCORE.RES")).startsWith("ANNA." + QByteArray::number(first) + ".SLOW.9990."), 2000);
        // The arrows play the new game at once.
        const std::vector<int> dealt = board_on_screen(run, run.screenshot("after-first-win"));
        QCOMPARE(dealt[15], 0);
        Run::keys({"Down"});
        const std::vector<int> moved = board_on_screen(run, run.screenshot("arrow-after-first-win"));
        QCOMPARE(moved[11], 0);
        QCOMPARE(moved[15], dealt[11]);

        // Letters and Enter typed during play go nowhere.
        Run::type("qq");
        Run::keys({"BackSpace"});
        Run::type("x");
        Run::keys({"Return", "Up"});  // Up takes the tile back
        QCOMPARE(read(run.file("HIGHSCORE.RES")).count("ANNA."), 1);

        // A win by mouse: the last move a click, the kept name confirmed with OK.
        int second = 0;
        (void)play_to_the_last_move(run, "second-deal", second);
        run.click(QPoint(kLeft[3] + 40, kTop[3] + 40));  // the last move ends with the gap there
        run.screenshot("second-win");
        run.click(QPoint(453 + 15, 404 + 8));
        xdotool({"mousemove", QString::number(run.origin.x() + 350), QString::number(run.origin.y() + 20)});
        QTRY_COMPARE_WITH_TIMEOUT(read(run.file("HIGHSCORE.RES")).count("ANNA."), 2, 2000);
        QVERIFY(!read(run.file("HIGHSCORE.RES")).contains("X."));
        const std::vector<int> third = board_on_screen(run, run.screenshot("after-second-win"));
        Run::keys({"Down"});
        const std::vector<int> after = board_on_screen(run, run.screenshot("arrow-after-second-win"));
        QCOMPARE(after[11], 0);
        QCOMPARE(after[15], third[11]);
    }

    void unwritableTableKeepsTheSessionsResults()
    {
        if (::geteuid() != 0)
            QSKIP("playing as another user needs root");
        WindowManager wm;
        QVERIFY(wm.started());
        // A game folder nobody may write, no HOME (the data folder would be
        // /.local/share), and a TMPDIR nobody may write either.
        Run run;
        QVERIFY(QFile::setPermissions(run.dir.path(), QFile::permissions(run.dir.path()) | QFile::ReadOther | QFile::ExeOther));
        QTemporaryDir auth;
        QVERIFY(QFile::setPermissions(auth.path(), QFile::permissions(auth.path()) | QFile::ReadOther | QFile::ExeOther));
        QVERIFY(QFile::copy(qEnvironmentVariable("XAUTHORITY"), auth.filePath("x")));
        QVERIFY(QFile::setPermissions(auth.filePath("x"), QFile::ReadOwner | QFile::ReadOther));
        run.start(QProcessEnvironment(), {"runuser", "-u", "nobody", "--", "env", "-i",
                                          "DISPLAY=" + qEnvironmentVariable("DISPLAY"), "XAUTHORITY=" + auth.filePath("x"),
                                          "PATH=/usr/bin:/bin", "TMPDIR=/"});
        QVERIFY(!run.wait_for_window().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(xdotool({"getactivewindow"}), run.window, 2000);

        // The default table shows, and the terminal hears why it is not kept.
        const QImage before = run.screenshot("unwritable-table");
        for (int p = 0; p < 10; ++p)
            QVERIFY(has_text(before, QRect(382, 33 + 17 * p, 78, 15)));
        QByteArray said = run.process.readAllStandardError();
        QVERIFY2(said.count('\n') == 1, said.constData());
        QVERIFY2(said.startsWith("fifteen: HIGHSCORE.RES: results will not be kept: "), said.constData());

        // A win ranks in the session; nothing more is said.
        int moves = 0;
        Run::keys({play_to_the_last_move(run, "unwritable-deal", moves)});
        Run::keys({"Tab"});
        Run::type("anna");
        Run::keys({"Return"});
        const QImage after = run.screenshot("unwritable-after-win");
        const QRect table(382, 33, 110, 170);
        QVERIFY(before.copy(table) != after.copy(table));
        QCOMPARE(run.process.state(), QProcess::Running);
        said += run.process.readAllStandardError();
        QVERIFY2(said.count('\n') == 1, said.constData());
        QVERIFY(!QFileInfo::exists(run.file("HIGHSCORE.RES")));
    }

    void picturesAreSharpAtEveryScale()
    {
        WindowManager wm;
        QVERIFY(wm.started());
        for (const double scale : {1.25, 1.5, 2.0}) {
            Run run;
            write(run.file("HIGHSCORE.RES"), kDefaultFile);
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("QT_SCALE_FACTOR", QString::number(scale));
            run.start(env);
            QVERIFY(!run.wait_for_window().isEmpty());
            const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
            screen.save(QStringLiteral(FIFTEEN_SHOT_DIR "/scale-%1.png").arg(scale));
            // The title bar is on the screen, even where the window is taller.
            const QStringList extents = xprop(run.window, "_NET_FRAME_EXTENTS").section('=', 1).split(',');
            QCOMPARE(extents.size(), 4);
            QVERIFY2(run.origin.y() - extents[2].trimmed().toInt() >= 0, qPrintable(QString::number(scale)));
            QVERIFY(run.origin.x() >= 0);

            // The top-left tile, in device pixels, against its picture decoded
            // straight to that size, and against the ordinary-screen picture
            // blown up pixel by pixel.
            const int side = int(std::lround(80 * scale));
            const QPoint at = run.origin + QPoint(int(std::lround(16 * scale)), int(std::lround(63 * scale)));
            double sharp = 1e9, blocky = 1e9;
            for (int v = 1; v <= 15; ++v) {
                const double d = difference(screen, at, tile_picture(run, v, side));
                if (d < sharp) {
                    sharp = d;
                    blocky = difference(screen, at, tile_picture(run, v).scaled(side, side, Qt::IgnoreAspectRatio, Qt::FastTransformation));
                }
            }
            qInfo("figures: scale %.2f: the tile differs %.2f from its sharp picture, %.2f from the enlarged one", scale, sharp, blocky);
            QVERIFY2(sharp < 3 && blocky > 2 * sharp, qPrintable(QString::number(scale)));
        }
    }

    void handMadeTableOfLongNamesOpensWithTenPlaces()
    {
        // Eight-letter names and four-digit scores, the longest the reader
        // takes: 140 bytes, more than the game writes. Every place shows, and
        // the file stays as it is until a result is stored.
        QByteArray table;
        for (int p = 0; p < 10; ++p)
            table += "PLAYERA" + QByteArray(1, char('A' + p)) + '.' + QByteArray::number(9990 + p) + '.';
        QCOMPARE(table.size(), 140);
        Run run;
        write(run.file("HIGHSCORE.RES"), table);
        run.start();
        QVERIFY(!run.wait_for_window().isEmpty());
        const QImage shot = run.screenshot("long-names-table");
        for (int p = 0; p < 10; ++p) {
            const int top = 33 + 17 * p;
            QVERIFY2(has_text(shot, QRect(382, top, 78, 15)), qPrintable(QString::number(p + 1)));
            QVERIFY2(has_text(shot, QRect(464, top, 28, 15)), qPrintable(QString::number(p + 1)));
        }
        QCOMPARE(read(run.file("HIGHSCORE.RES")), table);
        QVERIFY(!QFileInfo::exists(run.file("HIGHSCORE.RES.damaged")));
    }
};

QTEST_MAIN(GameEndToEnd)
#include "game_e2e_test.moc"
