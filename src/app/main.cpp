// Fifteen: a sliding puzzle of fifteen tiles on a four-by-four board.
#include <QApplication>
#include <QSessionManager>

#include "close_signals.h"
#include "platform/qt_platform.h"
#include "ui/form1.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fifteen"));
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
