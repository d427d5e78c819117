#pragma once
// What a JPEG file's header says, read from its bytes without a decoder: its
// pixel size, whether the game may decode it, and how large it shows on the
// screen. A JPEG whose JFIF header gives more than 96 dots per inch was drawn for a denser screen and shows
// smaller than its pixels: a 160-pixel picture at 192 dots per inch covers 80
// pixels of an ordinary screen (and all 160 of one with twice the density).
#include <optional>
#include <string_view>

namespace fifteen {

struct PixelSize {
    int width = 0;
    int height = 0;
};

// The pixel size a JPEG file's bytes give in their frame header, read from
// the markers without decoding anything; nothing when the bytes are no JPEG
// or end before the frame header.
[[nodiscard]] std::optional<PixelSize> jpeg_pixel_size(std::string_view jpeg);

// The longest side, in pixels, of a picture the game decodes. A tile, a
// button or the logo is far smaller even drawn for a dense screen; a header
// that says more is a damaged file, or a picture that would cover the window.
inline constexpr int kPictureSideLimit = 2048;

// The pixel size of a picture the game may decode: the frame header's, when
// neither side is over kPictureSideLimit; nothing otherwise.
[[nodiscard]] std::optional<PixelSize> showable_pixel_size(std::string_view jpeg);

// The horizontal density in the JFIF header of a JPEG file's bytes, in dots
// per inch and rounded; nothing when there is no JFIF header or it gives an
// aspect ratio only.
[[nodiscard]] std::optional<int> jfif_dots_per_inch(std::string_view jpeg);

// The screen pixels that `pixels` picture pixels at `dpi` cover: pixels x 96 /
// dpi (at least 1) for a density above 96, else the pixels as they are.
[[nodiscard]] int screen_pixels(int pixels, std::optional<int> dpi);

}  // namespace fifteen
