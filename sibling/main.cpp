// The sibling program: a short splash with the game's title and the maker's
// mark, centred and without a frame. It closes itself after about three
// seconds; a click closes it sooner, and so does the game window taking the
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

#include "core/look.h"

using namespace fifteen;

namespace {

class Splash final : public QWidget {
public:
    Splash()
    {
        setWindowTitle(QStringLiteral("kelvane games"));
        setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
        setFixedSize(360, 200);
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

        QFont title(look::as<QString>(look::kFontFamily));
        title.setBold(true);
        title.setPixelSize(52);
        p.setFont(title);
        p.drawText(QRect(0, 30, width(), 80), Qt::AlignCenter, QStringLiteral("FIFTEEN"));

        QFont small = title;
        small.setPixelSize(16);
        p.setFont(small);
        p.setPen(look::as<QColor>(look::kTeal));
        p.drawText(QRect(0, 110, width(), 24), Qt::AlignCenter, QStringLiteral("a sliding puzzle"));
        small.setPixelSize(13);
        p.setFont(small);
        p.setPen(look::as<QColor>(look::kCream));
        p.drawText(QRect(0, 150, width(), 24), Qt::AlignCenter, QStringLiteral("kelvane games"));
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
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fifteen"));
    // The splash belongs to the game: a dock or task bar shows it under the
    // game's own menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("net.kelvane.Fifteen"));
    Splash splash;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        splash.move(screen->availableGeometry().center() - splash.rect().center());
    splash.show();
    splash.raise();
    splash.activateWindow();
    QTimer::singleShot(3000, &splash, &QWidget::close);
    return app.exec();
}
