#pragma once
// A text label of the window in its own colours and a fixed pixel font. Its
// text keeps a clear margin on either side; one too wide for the label at
// that size, as a four-digit count or score, is drawn at the largest size that
// fits.
#include <QLabel>
#include <functional>

namespace fifteen {

class TextLabel final : public QLabel {
    Q_OBJECT
public:
    TextLabel(const QString& name, const QRect& geometry, const QColor& background, const QColor& text,
              int font_pixels, Qt::Alignment alignment, QWidget* parent);

    // What a screen reader reads for the label, worked out when it asks, so
    // that it always follows the captions; without it, the caption. A silent
    // label is left out (its text is read with another).
    void set_spoken(std::function<QString()> spoken) { spoken_ = std::move(spoken); }
    void set_silent() { silent_ = true; }
    [[nodiscard]] QString spoken() const { return spoken_ ? spoken_() : text(); }
    [[nodiscard]] bool silent() const { return silent_; }

    // The clear room on either side of the text, in pixels.
    static constexpr int kInset = 2;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<QString()> spoken_;
    bool silent_ = false;
};

// The game's font, bold, at a pixel size, so that the layout does not move
// with the screen's density.
[[nodiscard]] QFont window_font(int pixels);

}  // namespace fifteen
