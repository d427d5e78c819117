#pragma once
// A picture that serves as a tile, a button, a panel or the logo.
#include <QPixmap>
#include <QWidget>

namespace fifteen {

class PictureControl final : public QWidget {
    Q_OBJECT
public:
    PictureControl(const QString& name, QWidget* parent);

    // Shows `picture` unscaled; the control takes the picture's size,
    // anchored at its top-left corner.
    void set_picture(const QPixmap& picture);
    [[nodiscard]] const QPixmap& picture() const { return picture_; }

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
};

}  // namespace fifteen
