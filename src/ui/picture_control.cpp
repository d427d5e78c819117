#include "picture_control.h"

#include <QMouseEvent>
#include <QPainter>

#include "make_control.h"

namespace fifteen {

PictureControl::PictureControl(const QString& name, QWidget* parent) : QWidget(parent)
{
    make_control(this, name);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureControl::show_jpeg(const QByteArray& jpeg)
{
    if (!jpeg_.isNull() && jpeg == jpeg_.bytes())
        return;
    show_picture(JpegPicture(jpeg));
}

void PictureControl::show_picture(const JpegPicture& picture)
{
    jpeg_ = picture;
    resize(jpeg_.size());
    update();
}

QImage PictureControl::picture() const
{
    return jpeg_.decode(devicePixelRatioF());
}

void PictureControl::set_accessible(QAccessible::Role role, const QString& name)
{
    role_ = role;
    setAccessibleName(name);
}

void PictureControl::press()
{
    if (press_)
        press_();
}

void PictureControl::paintEvent(QPaintEvent*)
{
    // Drawn the same whether enabled or not: a frozen board keeps its looks.
    QPainter painter(this);
    painter.drawImage(0, 0, picture());
}

void PictureControl::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
}

void PictureControl::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release of the left button over the control.
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        emit clicked();
}

void PictureControl::mouseDoubleClickEvent(QMouseEvent*)
{
    // The second press of a double click is not a click of its own: a double
    // click on the logo opens the site once, on the button deals once.
    pressed_ = false;
}

void PictureControl::mouseMoveEvent(QMouseEvent*)
{
    emit mouse_moved();
}

}  // namespace fifteen
