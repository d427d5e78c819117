#pragma once
// A picture that serves as a tile, a button, a panel or the logo.
#include <QAccessible>
#include <QByteArray>
#include <QImage>
#include <QWidget>
#include <functional>

#include "jpeg_picture.h"

namespace fifteen {

class PictureControl final : public QWidget {
    Q_OBJECT
public:
    PictureControl(const QString& name, QWidget* parent);

    // Shows the JPEG picture whose file bytes are `jpeg`, unscaled: the
    // control takes the size the picture takes on the screen, anchored at its
    // top-left corner.
    // Nothing happens when the bytes are the ones it shows (the same bytes
    // make the same picture); otherwise it is repainted. Only the bytes are
    // kept: the picture is decoded where it is painted, which is seldom (a
    // move repaints two tiles) and keeps the game's memory small. Throws
    // Failure when the bytes are no picture; the control then shows what it
    // showed.
    void show_jpeg(const QByteArray& jpeg);
    // Shows a picture already read, such as a built-in one.
    void show_picture(const JpegPicture& picture);
    // The picture it shows, decoded as it is painted.
    [[nodiscard]] QImage picture() const;

    // What a screen reader is told the control is.
    void set_accessible(QAccessible::Role role, const QString& name);
    [[nodiscard]] QAccessible::Role accessible_role() const { return role_; }
    // What a screen reader's press does: the act a click does, passed on
    // to the window, which decides whether the control takes it. A plain
    // picture has none.
    void set_press(std::function<void()> press) { press_ = std::move(press); }
    [[nodiscard]] bool has_press() const { return bool(press_); }
    void press();

signals:
    void clicked();
    void mouse_moved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // No picture draws a focus frame: the focus coming or going repaints
    // nothing (a repaint decodes the picture again).
    void focusInEvent(QFocusEvent*) override {}
    void focusOutEvent(QFocusEvent*) override {}

private:
    JpegPicture jpeg_;
    bool pressed_ = false;
    QAccessible::Role role_ = QAccessible::Graphic;
    std::function<void()> press_;
};

}  // namespace fifteen
