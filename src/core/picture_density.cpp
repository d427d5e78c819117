#include "picture_density.h"

#include <algorithm>

namespace fifteen {

std::optional<int> jfif_dots_per_inch(std::string_view jpeg)
{
    // SOI, then an APP0 segment: FF E0, length, "JFIF\0", version (2 bytes),
    // units (0 none, 1 per inch, 2 per centimetre), X density, Y density.
    constexpr std::string_view kStart = "\xFF\xD8\xFF\xE0";
    if (jpeg.size() < 18 || jpeg.substr(0, 4) != kStart || jpeg.substr(6, 5) != std::string_view("JFIF\0", 5))
        return std::nullopt;
    const auto byte = [&jpeg](std::size_t i) { return static_cast<unsigned char>(jpeg[i]); };
    const int units = byte(13);
    const int density = byte(14) << 8 | byte(15);
    if (density == 0)
        return std::nullopt;
    if (units == 1)
        return density;
    if (units == 2)
        return (density * 254 + 50) / 100;
    return std::nullopt;
}

int screen_pixels(int pixels, std::optional<int> dpi)
{
    if (!dpi || *dpi <= 96)
        return pixels;
    return std::max(1, (pixels * 96 + *dpi / 2) / *dpi);  // never nothing on the screen
}

}  // namespace fifteen
