#pragma once
// A picture that serves as a tile, a button, a panel or the logo.
#include <QAccessible>
#include <QPixmap>
#include <QWidget>
#include <functional>

namespace fifteen {

class PictureControl final : public QWidget {
    Q_OBJECT
public:
    PictureControl(const QString& name, QWidget* parent);

    // Shows `picture` unscaled; the control takes the picture's size,
    // anchored at its top-left corner.
    void set_picture(const QPixmap& picture);
    [[nodiscard]] const QPixmap& picture() const { return picture_; }

    // What a screen reader is told the control is, and what its press
    // action does (nothing for a plain picture).
    void set_accessible(QAccessible::Role role, const QString& name, std::function<void()> press = {});
    [[nodiscard]] QAccessible::Role accessible_role() const { return role_; }
    [[nodiscard]] bool has_press() const { return bool(press_); }
    // The press action: what a click does, and like a click nothing while
    // the control is disabled or hidden.
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

private:
    QPixmap picture_;
    bool pressed_ = false;
    QAccessible::Role role_ = QAccessible::Graphic;
    std::function<void()> press_;
};

}  // namespace fifteen
