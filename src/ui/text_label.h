#pragma once
// A text label of the window in its own colours and a fixed pixel font.
#include <QLabel>

namespace fifteen {

class TextLabel final : public QLabel {
    Q_OBJECT
public:
    TextLabel(const QString& name, const QRect& geometry, const QColor& background, const QColor& text,
              int font_pixels, Qt::Alignment alignment, QWidget* parent);
};

// Arial bold at a pixel size, so that the layout does not move with the DPI.
[[nodiscard]] QFont window_font(int pixels);

}  // namespace fifteen
