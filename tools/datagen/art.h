#pragma once
// The game's pictures in one palette. Each is drawn at twice its size on the
// screen and marked 192 dots per inch, so that it is sharp on a screen of
// twice the density and shows at its size everywhere; the sizes below are
// the sizes on the screen. The icon and the cursors are drawn as they are.
#include <QColor>
#include <QImage>

#include "core/look.h"

namespace fifteen::datagen {

// The game's palette, as the art uses it.
namespace palette {
inline const QColor gold = look::as<QColor>(look::kGold);
inline const QColor teal = look::as<QColor>(look::kTeal);
inline const QColor green = look::as<QColor>(look::kGreen);
inline const QColor deep = look::as<QColor>(look::kDeep);
inline const QColor lime = look::as<QColor>(look::kLime);
inline const QColor cream = look::as<QColor>(look::kCream);
inline const QColor felt = look::as<QColor>(look::kFelt);
inline const QColor sunken = look::as<QColor>(look::kSunken);

// A colour of the palette with the opacity `alpha` (0..255).
[[nodiscard]] inline QColor with_alpha(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}
}  // namespace palette

// Pixels drawn per pixel on the screen: 2, with the density that says so.
inline constexpr int kDrawScale = 2;

// Draws at another scale while it lives (1: one pixel per screen pixel, no
// density), to compare with what the game used to show.
class DrawScale {
public:
    explicit DrawScale(int scale);
    ~DrawScale();
    DrawScale(const DrawScale&) = delete;
    DrawScale& operator=(const DrawScale&) = delete;

private:
    int saved_;
};

[[nodiscard]] QImage background();          // 500 x 429
[[nodiscard]] QImage tile(int value);       // 80 x 80; 0 is the gap
[[nodiscard]] QImage tile_design();         // 80 x 80, a blank tile
[[nodiscard]] QImage startover(bool lit);   // 206 x 35
[[nodiscard]] QImage logo(bool lit);        // 105 x 29
[[nodiscard]] QImage ok_button(bool lit);   // 31 x 16
[[nodiscard]] QImage name_panel();          // 132 x 47
[[nodiscard]] QImage welldone(bool record); // 132 x 170
[[nodiscard]] QImage icon(int size = 32);   // size x size; 32 is the window's icon
// The pointers, 32 x 32 on the screen, drawn at twice that; 16 colours.
[[nodiscard]] QImage pointer_cursor();      // tip at 0,0 on the screen
[[nodiscard]] QImage hand_cursor();         // tip at 7,1 on the screen

}  // namespace fifteen::datagen
