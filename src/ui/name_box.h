#pragma once
// The one-line box in which a winner types a name.
#include <QLineEdit>

namespace fifteen {

class NameBox final : public QLineEdit {
    Q_OBJECT
public:
    NameBox(const QString& name, const QRect& geometry, QWidget* parent);

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool select_on_press_ = false;
};

}  // namespace fifteen
