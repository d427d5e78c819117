#pragma once
// What the end-to-end tests share: a run of the real game from its own copy
// of the game folder, and what a player or a desktop brings around it (the
// pointer and keys through xdotool, a window manager, a sound server, a
// session bus), with ways to read the screen and the game's processes.
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

namespace e2e {

const QByteArray kDefaultFile = QByteArray(fifteen::kDefaultTableText.data(), qsizetype(fifteen::kDefaultTableText.size())) + "\r\n";
const int kLeft[] = {16, 96, 176, 256};
const int kTop[] = {63, 144, 224, 304};

inline QString xdotool(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    p.waitForFinished(120000);  // a long key sequence at a person's pace takes its time
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

// Where a window's client area starts on the screen, frame or no frame.
inline QPoint window_origin(const QString& window)
{
    QProcess p;
    p.start(QStringLiteral("xwininfo"), {"-id", window});
    p.waitForFinished(5000);
    const QString info = QString::fromLocal8Bit(p.readAllStandardOutput());
    const auto x = QRegularExpression(QStringLiteral("Absolute upper-left X: +(-?\\d+)")).match(info);
    const auto y = QRegularExpression(QStringLiteral("Absolute upper-left Y: +(-?\\d+)")).match(info);
    return {x.captured(1).toInt(), y.captured(1).toInt()};
}

inline QByteArray read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void write(const QString& path, const QByteArray& bytes)
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
    // Keys as fast as a script presses them, or FIFTEEN_E2E_KEY_DELAY_MS
    // apart: a person's pace, for a screen reader that speaks each.
    static void keys(const QStringList& names)
    {
        const int delay = qEnvironmentVariableIntValue("FIFTEEN_E2E_KEY_DELAY_MS");
        xdotool(QStringList{"key", "--delay", QString::number(delay > 0 ? delay : 15)} + names);
        QTest::qWait(std::max(250, 4 * delay));
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
inline QString wait_for_splash(const Run& run)
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
inline QImage tile_picture(const Run& run, int value, int size = 80)
{
    QImageReader reader(run.file(QString::asprintf("%03d.JPG", value)), "jpeg");
    reader.setScaledSize(QSize(size, size));
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

inline double difference(const QImage& shot, QPoint at, const QImage& picture)
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
inline std::vector<int> board_on_screen(const Run& run, const QImage& shot)
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

inline void send_close_request(const QString& window)
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
inline std::pair<double, long> usage(qint64 pid)
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

inline bool has_text(const QImage& shot, const QRect& label)
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

inline QString xprop(const QString& window, const QString& property)
{
    QProcess p;
    p.start("xprop", {"-len", "100000000", "-id", window, property});
    p.waitForFinished(5000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// Plays the deal on the screen to the end by arrow keys, all but the last
// move, and returns the key of that last move. `moves` counts them all.
inline QString play_to_the_last_move(const Run& run, const QString& shot, int& moves)
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

// No stream is left: a stream the game leaves behind stays for good, while
// a loaded machine only makes one end late (once, with the whole suite
// running, ten seconds after its sound), so the wait is long. Fails with what
// the server still plays.
#define VERIFY_NO_STREAM_LEFT(server)                                                                      \
    QTRY_VERIFY2_WITH_TIMEOUT((server).streams() == 0,                                                     \
                              qPrintable("a stream was left:\n" + (server).stream_properties()), 20000)

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
    // A bus of its own, or the one FIFTEEN_E2E_SESSION_BUS names: a desktop
    // session's, to try the game with a real screen reader listening there.
    SessionBus()
    {
        if (const QString given = qEnvironmentVariable("FIFTEEN_E2E_SESSION_BUS"); !given.isEmpty()) {
            address_ = given;
            return;
        }
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

// What a screen reader hears on the accessibility bus: every focus given to
// an object, with the object's name and description as they were then, and
// every window event, each with the process that sent it. Listens on the
// accessibility bus of `session` from before the game starts.
class BusListener : public QObject {
    Q_OBJECT
public:
    struct Heard {
        QString what;  // "focus", or the window event: "Activate", "Deactivate", ...
        QString name;
        QString description;
        qint64 pid = 0;
        QString service;
        QString path;
    };

    explicit BusListener(const QString& session)
    {
        const QDBusConnection bus = QDBusConnection::connectToBus(session, "listener-session");
        QDBusInterface launcher("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", bus);
        const QDBusReply<QString> address = launcher.call("GetAddress");
        if (!address.isValid())
            return;
        // As a screen reader does when it starts: programs that watch this
        // switch (Qt's among them) put themselves on the bus.
        QDBusInterface status("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", bus);
        status.call("Set", "org.a11y.Status", "IsEnabled", QVariant::fromValue(QDBusVariant(true)));
        a11y_ = QDBusConnection::connectToBus(address.value(), "listener-a11y");
        QDBusInterface registry("org.a11y.atspi.Registry", "/org/a11y/atspi/registry", "org.a11y.atspi.Registry", a11y_);
        for (const char* event : {"object:state-changed:focused", "window:"})
            registry.call("RegisterEvent", QString::fromLatin1(event));
        a11y_.connect({}, {}, "org.a11y.atspi.Event.Object", "StateChanged", this, SLOT(on_state(QDBusMessage)));
        for (const char* event : {"Activate", "Deactivate", "Create", "Destroy"})
            a11y_.connect({}, {}, "org.a11y.atspi.Event.Window", event, this, SLOT(on_window(QDBusMessage)));
    }
    [[nodiscard]] bool connected() const { return a11y_.isConnected(); }
    [[nodiscard]] const QDBusConnection& bus() const { return a11y_; }
    [[nodiscard]] const QList<Heard>& heard() const { return heard_; }
    // The focus events heard since the last call.
    [[nodiscard]] QList<Heard> take_focus()
    {
        QList<Heard> focus;
        for (; taken_ < heard_.size(); ++taken_)
            if (heard_[taken_].what == QLatin1String("focus"))
                focus << heard_[taken_];
        return focus;
    }

private slots:
    void on_state(const QDBusMessage& message)
    {
        const QVariantList args = message.arguments();
        if (args.size() >= 2 && args[0].toString() == QLatin1String("focused") && args[1].toInt() == 1)
            hear("focus", message);
    }
    void on_window(const QDBusMessage& message) { hear(message.member(), message); }

private:
    void hear(const QString& what, const QDBusMessage& message)
    {
        QDBusInterface object(message.service(), message.path(), "org.a11y.atspi.Accessible", a11y_);
        object.setTimeout(2000);
        QDBusInterface daemon("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", a11y_);
        const QDBusReply<uint> pid = daemon.call("GetConnectionUnixProcessID", message.service());
        heard_.append({what, object.property("Name").toString(), object.property("Description").toString(),
                       pid.isValid() ? qint64(pid.value()) : 0, message.service(), message.path()});
    }

    QDBusConnection a11y_{QString()};
    QList<Heard> heard_;
    qsizetype taken_ = 0;
};

// The names of the push buttons below one object of the accessibility tree.
inline void push_buttons(const QDBusConnection& bus, const QString& service, const QString& path, QStringList& names,
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
inline void start_with_sound(Run& run, const SoundServer& server, const QStringList& settings)
{
    write(run.file("HIGHSCORE.RES"), kDefaultFile);
    QProcessEnvironment env = server.env();
    for (const QString& setting : settings)
        env.insert(setting.section('=', 0, 0), setting.section('=', 1));
    run.start(env);
}

}  // namespace e2e
