#include "jpeg_header.h"

#include <algorithm>

namespace fifteen {

std::optional<PixelSize> jpeg_pixel_size(std::string_view jpeg)
{
    const auto byte = [&jpeg](std::size_t i) { return static_cast<unsigned char>(jpeg[i]); };
    if (jpeg.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8)
        return std::nullopt;
    // Segment after segment: FF, a marker, a two-byte length that counts
    // itself, up to a start-of-frame marker (C0..CF but for C4, C8 and CC).
    std::size_t at = 2;
    while (at + 4 <= jpeg.size()) {
        if (byte(at) != 0xFF)
            return std::nullopt;
        const unsigned marker = byte(at + 1);
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        const std::size_t length = std::size_t(byte(at + 2)) << 8 | byte(at + 3);
        if (length < 2)
            return std::nullopt;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (length < 7 || at + 9 > jpeg.size())
                return std::nullopt;
            const int height = byte(at + 5) << 8 | byte(at + 6);
            const int width = byte(at + 7) << 8 | byte(at + 8);
            if (width == 0 || height == 0)
                return std::nullopt;
            return PixelSize{width, height};
        }
        if (marker == 0xD9 || marker == 0xDA)  // the end, or the scan before any frame
            return std::nullopt;
        at += 2 + length;
    }
    return std::nullopt;
}

std::optional<PixelSize> showable_pixel_size(std::string_view jpeg)
{
    const auto pixels = jpeg_pixel_size(jpeg);
    if (!pixels || pixels->width > kPictureSideLimit || pixels->height > kPictureSideLimit)
        return std::nullopt;
    return pixels;
}

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
