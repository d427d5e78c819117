#pragma once
// The game's look in one place: its palette, its font, the sizes its icon is
// drawn at and the layout of its window. The window, the pictures the
// generator draws, the splash and the home page all take them from here, so
// that a control moved here moves its art with it. CMake reads the colours and
// the icon sizes from this file too: keep each on one line, as written.
#include <array>
#include <string_view>

namespace fifteen::look {

struct Rgb {
    int red;
    int green;
    int blue;
};

struct Point {
    int x;
    int y;
};

struct Rect {
    int x;
    int y;
    int width;
    int height;
};

// A colour, a rectangle or a name as a toolkit's own type, such as QColor,
// QRect or QString.
template <class Colour>
[[nodiscard]] constexpr Colour as(Rgb c)
{
    return Colour(c.red, c.green, c.blue);
}
template <class Rectangle>
[[nodiscard]] constexpr Rectangle as(Rect r)
{
    return Rectangle(r.x, r.y, r.width, r.height);
}
template <class Text>
[[nodiscard]] Text as(std::string_view name)
{
    return Text::fromLatin1(name.data(), static_cast<decltype(Text().size())>(name.size()));
}

// The palette.
inline constexpr Rgb kGold{228, 188, 28};    // tiles, names, frames, the name box
inline constexpr Rgb kTeal{57, 193, 193};    // the move counter, headings
inline constexpr Rgb kGreen{19, 54, 46};     // ink on gold and teal
inline constexpr Rgb kDeep{9, 27, 23};       // the darkest felt, shadows
inline constexpr Rgb kLime{216, 233, 33};    // the scores
inline constexpr Rgb kCream{250, 242, 206};  // light text
inline constexpr Rgb kFelt{24, 68, 58};      // the top of the felt's gradient
inline constexpr Rgb kWindow{6, 18, 15};     // the window below its background picture
inline constexpr Rgb kSunken{7, 22, 19};     // the board's tray, between and around the tiles

// Every text the game shows or draws is in this font, bold.
inline constexpr std::string_view kFontFamily = "Liberation Sans";

// The text sizes, in pixels: the window's labels and name box, and the scores.
inline constexpr int kTextPixels = 13;
inline constexpr int kScorePixels = 12;

// The sizes the icon is drawn at: the window's and the desktop's icon theme's.
inline constexpr std::array<int, 5> kIconSizes{32, 48, 64, 128, 256};

// The layout, in pixels of the window's client area.
inline constexpr int kWindowWidth = 500;
inline constexpr int kWindowHeight = 430;

// The board: cell n (1..16) is a tile of kTileSide at column (n - 1) % 4 and
// row (n - 1) / 4, on a tray drawn around the cells.
inline constexpr int kTileSide = 80;
inline constexpr std::array<int, 4> kColumnLeft{16, 96, 176, 256};
inline constexpr std::array<int, 4> kRowTop{63, 144, 224, 304};
inline constexpr Rect kTray{kColumnLeft[0] - 7, kRowTop[0] - 6, 334, 334};
inline constexpr Rect kTitle{kColumnLeft[0], 6, 320, 52};

// The table of the ten best games: place p (0..9) is a row of kPlaceHeight
// at kPlaceTop + p * kPlacePitch, with its number drawn left of its name.
inline constexpr Rect kTablePanel{352, 6, 144, 196};
inline constexpr int kPlaceTop = 33;
inline constexpr int kPlacePitch = 17;
inline constexpr int kPlaceHeight = 15;
inline constexpr int kPlaceNumberLeft = 356;
inline constexpr int kPlaceNumberWidth = 23;
inline constexpr int kNameLeft = 382;
inline constexpr int kNameWidth = 78;
inline constexpr int kScoreLeft = 464;
inline constexpr int kScoreWidth = 28;

// The move counter, its caption drawn to its left.
inline constexpr Rect kMoveCounter{318, 402, 27, 18};

// The pictures around the board, by their top-left corners.
inline constexpr Point kStartOverNormal{0, 393};
inline constexpr Point kStartOverLit{0, 394};
inline constexpr Point kLogo{374, 392};
inline constexpr Rect kWellDone{362, 203, 132, 170};  // a soft light is drawn where it appears

// The name entry: where it waits unseen, and where it opens.
inline constexpr Point kNamePanelUnseen{192, 0};
inline constexpr Point kOkUnseen{284, 22};
inline constexpr Rect kNameBoxUnseen{203, 22, 80, 15};
inline constexpr Point kNamePanel{361, 382};
inline constexpr Point kNameBox{372, 404};
inline constexpr Point kOk{453, 404};

// The splash: its size, and its three lines, each centred across it in a
// band from its top, at a pixel size.
inline constexpr Point kSplashSize{360, 200};
struct SplashLine {
    int top;
    int height;
    int pixels;
};
inline constexpr SplashLine kSplashTitle{30, 80, 52};
inline constexpr SplashLine kSplashSubtitle{110, 24, 16};
inline constexpr SplashLine kSplashMaker{150, 24, 13};

}  // namespace fifteen::look
