// Fifteen: a sliding puzzle of fifteen tiles on a four-by-four board.
#include <QApplication>
#include <QSessionManager>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "close_signals.h"
#include "platform/qt_platform.h"
#include "ui/form1.h"

namespace {

bool starting = true;

// The game talks to the terminal only to say why it stopped or what it could
// not save. Qt's own chatter (a missing sound server or browser, the runtime
// folder) is kept off it; a display that cannot be opened is one line and
// status 1 instead of an abort.
void quiet_messages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg)
        return;
    if (starting) {
        const QByteArray display = qgetenv("DISPLAY");
        std::fprintf(stderr, "fifteen: cannot open the display %s\n",
                     display.isEmpty() ? "(DISPLAY is not set)" : display.constData());
    } else {
        std::fprintf(stderr, "fifteen: %s\n", message.toLocal8Bit().constData());
    }
    std::fflush(stderr);
    std::_Exit(1);
}

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("FIFTEEN_QT_MESSAGES"))
        qInstallMessageHandler(quiet_messages);
    // A save that runs into a file-size limit fails with an error, which the
    // game reports, instead of killing the game.
    std::signal(SIGXFSZ, SIG_IGN);

    QApplication app(argc, argv);
    starting = false;
    QApplication::setApplicationName(QStringLiteral("Fifteen"));
    QGuiApplication::setDesktopFileName(QStringLiteral("net.kelvane.Fifteen"));
    fifteen::QtPlatform platform;
    fifteen::Form1 form(platform);

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
