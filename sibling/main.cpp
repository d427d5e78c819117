// The sibling program: a short splash with the game's title and the maker's
// mark, centred and without a frame. It closes itself when the game's pause
// at start is over; a click closes it sooner, and so does the game window taking the
// keyboard, so that it never covers the game. However its window closes, the
// program ends with it: a splash leaves nothing running behind it.
#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

#include "core/identity.h"
#include "core/look.h"

using namespace fifteen;

namespace {

class Splash final : public QWidget {
public:
    Splash()
    {
        setWindowTitle(QStringLiteral("kelvane games"));
        setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
        setFixedSize(look::kSplashSize.x, look::kSplashSize.y);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0, look::as<QColor>(look::kFelt));
        g.setColorAt(1, look::as<QColor>(look::kDeep));
        p.fillRect(rect(), g);
        p.setPen(QPen(look::as<QColor>(look::kGold), 2));
        p.drawRoundedRect(QRectF(rect()).adjusted(6, 6, -6, -6), 10, 10);

        const auto line = [&p, this](const look::SplashLine& at, const QString& text) {
            QFont font(look::as<QString>(look::kFontFamily));
            font.setBold(true);
            font.setPixelSize(at.pixels);
            p.setFont(font);
            p.drawText(QRect(0, at.top, width(), at.height), Qt::AlignCenter, text);
        };
        line(look::kSplashTitle, QStringLiteral("FIFTEEN"));
        p.setPen(look::as<QColor>(look::kTeal));
        line(look::kSplashSubtitle, QStringLiteral("a sliding puzzle"));
        p.setPen(look::as<QColor>(look::kCream));
        line(look::kSplashMaker, QStringLiteral("kelvane games"));
    }

    void mousePressEvent(QMouseEvent*) override { close(); }

    // A splash window does not end the application when it closes (Qt
    // treats it as a helper window), so this one says so itself, whatever
    // closed it: the timer, a click, the game taking the keyboard or the
    // window manager.
    void closeEvent(QCloseEvent* event) override
    {
        QWidget::closeEvent(event);
        QCoreApplication::quit();
    }

    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::ActivationChange) {
            if (isActiveWindow())
                was_active_ = true;
            else if (was_active_)
                close();  // another window, the game's, has the keyboard now
        }
        QWidget::changeEvent(event);
    }

private:
    bool was_active_ = false;
};

}  // namespace

int main(int argc, char** argv)
{
    // The splash says nothing on the terminal; without a display it just ends.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString&) {
        if (type == QtFatalMsg)
            std::_Exit(1);
    });
    // The splash stays off the accessibility bus: it closes as the game's
    // window opens, and a screen reader that heard it close after the game
    // took the keyboard would lose the game's window. Qt's bridge connects
    // to the bus this names, which is none, so nothing of the splash's is
    // ever sent.
    qputenv("AT_SPI_BUS_ADDRESS", "unix:path=/dev/null");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fifteen"));
    // The splash belongs to the game: a dock or task bar shows it under the
    // game's own menu entry and icon.
    QGuiApplication::setDesktopFileName(look::as<QString>(kApplicationId));
    Splash splash;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        splash.move(screen->availableGeometry().center() - splash.rect().center());
    splash.show();
    splash.raise();
    splash.activateWindow();
    QTimer::singleShot(kStartupPauseMs, &splash, &QWidget::close);
    return app.exec();
}
