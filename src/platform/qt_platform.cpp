#include "qt_platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <string_view>
#include <unistd.h>

#include "core/identity.h"
#include "files.h"
#include "pulse_sound.h"

namespace fifteen {

namespace {

void say(const QString& line)
{
    std::fprintf(stderr, "fifteen: %s\n", line.toLocal8Bit().constData());
}
}  // namespace

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

QString QtPlatform::app_dir() const
{
    return QCoreApplication::applicationDirPath();
}

QString QtPlatform::table_dir() const
{
    return table_folder(app_dir(), say);
}

QString table_folder(const QString& dir, const std::function<void(const QString&)>& say)
{
    if (::access(QFile::encodeName(dir).constData(), W_OK) == 0)
        return dir;
    if (const int error = errno; !refused(error)) {
        // The folder may well be writable: a look that failed for another
        // reason (a failing disk) moves no table. Saves there say for themselves
        // whether they work.
        say(QStringLiteral("the game folder cannot be looked at: ") + QString::fromLocal8Bit(std::strerror(error))
            + QStringLiteral("; the table stays in it"));
        return dir;
    }
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // A data folder that cannot be made is not said here: the table's own
    // start, which cannot lock or create a file in it, says in its one line
    // that results will not be kept there.
    (void)QDir().mkpath(data);
    return data;
}

std::optional<std::string> unusable_program_folder()
{
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (n <= 0 || std::size_t(n) == sizeof buffer)
        return std::nullopt;  // Qt finds the folder its own way
    std::string_view folder(buffer, std::size_t(n));
    folder = folder.substr(0, folder.rfind('/'));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(QByteArrayView(folder.data(), qsizetype(folder.size())));
    if (!utf8.hasError())
        return std::nullopt;
    std::string escaped;
    for (const char c : folder) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            escaped += c;
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", byte);
            escaped += hex;
        }
    }
    return escaped;
}

bool QtPlatform::launch(const QString& program)
{
    return QProcess::startDetached(program, {});
}

void serve_events_for(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

void QtPlatform::startup_pause()
{
    serve_events_for(kStartupPauseMs);
}

void QtPlatform::play_sound(const QString& path)
{
    if (!sound_)
        sound_ = std::make_unique<PulseSound>();
    sound_->play(path);
}

void QtPlatform::open_url(const QUrl& url)
{
    // The desktop's opener, detached, with nothing of the game's terminal:
    // its complaints (no browser, no handler) are not the game's to print,
    // and a text browser it might fall back on gets no terminal to take.
    QProcess opener;
    opener.setProgram(QStringLiteral("xdg-open"));
    opener.setArguments({QString::fromUtf8(url.toEncoded())});
    opener.setStandardInputFile(QProcess::nullDevice());
    opener.setStandardOutputFile(QProcess::nullDevice());
    opener.setStandardErrorFile(QProcess::nullDevice());
    // Whether a browser opened is not the game's to know or to wait for: the
    // logo and the close go on either way, as a player without one expects.
    (void)opener.startDetached();
}

void QtPlatform::report(const QString& line)
{
    say(line);
}

void QtPlatform::end_program(int status)
{
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}

}  // namespace fifteen
