// Fifteen: a sliding puzzle of fifteen tiles on a four-by-four board.
#include <QApplication>
#include <QSessionManager>
#include <QStringList>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

#include "close_signals.h"
#include "core/identity.h"
#include "core/look.h"
#include "platform/qt_platform.h"
#include "ui/form1.h"

namespace {

bool starting = true;
QStringList start_messages;  // what Qt said while it looked for a display

// Qt's fatal message when no platform could be opened ends with advice for
// whoever packaged the program and a list of plugins; its first sentence and
// the warnings before it carry the reason.
QString first_sentence(const QString& message)
{
    const QString line = message.section(QLatin1Char('\n'), 0, 0).trimmed();
    const auto stop = line.indexOf(QLatin1String(". "));
    return stop < 0 ? line : line.left(stop + 1);
}

// The game talks to the terminal only to say why it stopped or what it could
// not save. Qt's own chatter (a missing sound server or browser, the runtime
// folder) is kept off it. While the application starts, Qt's warnings are
// held: when no display can be opened they are the reason, joined with the
// fatal message into one line before the game ends with status 1; a start
// that works prints none of them.
void quiet_messages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg) {
        if (!starting || type == QtDebugMsg || type == QtInfoMsg)
            return;
        QString said = message.simplified();
        // The X platform names the display it tried, which says nothing
        // when there was none to try.
        if (said == QLatin1String("could not connect to display") && qEnvironmentVariableIsEmpty("DISPLAY"))
            said += QLatin1String(" (DISPLAY is not set)");
        start_messages << said;
        return;
    }
    QString line;
    if (starting) {
        start_messages.removeDuplicates();
        start_messages << first_sentence(message);
        line = QStringLiteral("cannot open the display: ") + start_messages.join(QStringLiteral("; "));
    } else {
        line = message.simplified();
    }
    std::fprintf(stderr, "fifteen: %s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
    std::_Exit(1);
}

}  // namespace

int main(int argc, char** argv)
{
    // A game folder whose name Qt cannot hold is said at once, as a missing
    // data file is, before any window opens.
    if (const auto folder = fifteen::unusable_program_folder()) {
        std::fprintf(stderr, "fifteen: the game folder's name is not UTF-8: %s\n", folder->c_str());
        return 1;
    }
    if (!qEnvironmentVariableIsSet("FIFTEEN_QT_MESSAGES"))
        qInstallMessageHandler(quiet_messages);
    // A save that runs into a file-size limit fails with an error, which the
    // game reports, instead of killing the game.
    std::signal(SIGXFSZ, SIG_IGN);

    QApplication app(argc, argv);
    starting = false;
    start_messages.clear();
    QApplication::setApplicationName(QStringLiteral("Fifteen"));
    QGuiApplication::setDesktopFileName(fifteen::look::as<QString>(fifteen::kApplicationId));
    fifteen::QtPlatform platform;
    // A window whose built-in pictures are broken cannot be built: one line
    // says which, and the game ends with status 1.
    std::unique_ptr<fifteen::Form1> window;
    try {
        window = std::make_unique<fifteen::Form1>(platform);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "fifteen: %s\n", failure.what());
        return 1;
    }
    fifteen::Form1& form = *window;

    // Whatever asks the game to end — the close box, the window menu, another
    // program, the session ending, a task manager — takes the same way out.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form,
                     [&form](QSessionManager&) { form.Form_QueryUnload(); });
    (void)fifteen::route_close_signals([&form] { form.Form_QueryUnload(); });

    form.Form_Load();
    // The window is shown even when the start-up stopped early, with the
    // pictures of its layout.
    form.show();
    return app.exec();
}
