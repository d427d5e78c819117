#include <gtest/gtest.h>

#include <string>

#include "core/jpeg_header.h"

using namespace fifteen;

namespace {

// The first bytes of a JPEG file with a JFIF header of `units` and `density`.
std::string jfif(int units, int density)
{
    std::string bytes = "\xFF\xD8\xFF\xE0";
    bytes += std::string("\x00\x10JFIF\x00\x01\x01", 9);
    bytes += char(units);
    bytes += char(density >> 8);
    bytes += char(density & 0xFF);
    bytes += char(density >> 8);
    bytes += char(density & 0xFF);
    bytes += std::string("\x00\x00\xFF\xDB", 4);
    return bytes;
}

}  // namespace

TEST(JpegHeader, HeaderDensityInDotsPerInch)
{
    EXPECT_EQ(jfif_dots_per_inch(jfif(1, 192)), 192);
    EXPECT_EQ(jfif_dots_per_inch(jfif(1, 72)), 72);
    EXPECT_EQ(jfif_dots_per_inch(jfif(2, 76)), 193) << "dots per centimetre";
    EXPECT_EQ(jfif_dots_per_inch(jfif(0, 1)), std::nullopt) << "an aspect ratio only";
    EXPECT_EQ(jfif_dots_per_inch(jfif(1, 0)), std::nullopt);
    EXPECT_EQ(jfif_dots_per_inch("\xFF\xD8\xFF\xE1 Exif and no JFIF at all"), std::nullopt);
    EXPECT_EQ(jfif_dots_per_inch(jfif(1, 192).substr(0, 15)), std::nullopt) << "cut short";
    EXPECT_EQ(jfif_dots_per_inch(""), std::nullopt);
}

TEST(JpegHeader, PixelSizeFromTheFrameHeader)
{
    // A JFIF header, a comment, then a baseline frame of 160 x 120.
    std::string jpeg = jfif(1, 192);
    jpeg.resize(20);  // SOI and the whole APP0 segment
    jpeg += std::string("\xFF\xFE\x00\x05" "abc", 7);
    jpeg += std::string("\xFF\xC0\x00\x11\x08\x00\x78\x00\xA0\x03", 10);
    const auto size = jpeg_pixel_size(jpeg);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 160);
    EXPECT_EQ(size->height, 120);
    // A progressive frame counts too; a Huffman table (C4) is no frame.
    std::string progressive = jpeg;
    progressive[28] = char(0xC2);
    EXPECT_EQ(jpeg_pixel_size(progressive)->width, 160);
    std::string table = jpeg;
    table[28] = char(0xC4);
    EXPECT_EQ(jpeg_pixel_size(table), std::nullopt);
    EXPECT_EQ(jpeg_pixel_size(jpeg.substr(0, 33)), std::nullopt) << "cut short";
    EXPECT_EQ(jpeg_pixel_size("GIF89a"), std::nullopt);
    EXPECT_EQ(jpeg_pixel_size(""), std::nullopt);
}

TEST(JpegHeader, DensePicturesCoverFewerScreenPixels)
{
    EXPECT_EQ(screen_pixels(160, 192), 80);
    EXPECT_EQ(screen_pixels(429 * 2, 192), 429);
    EXPECT_EQ(screen_pixels(31, 96), 31);
    EXPECT_EQ(screen_pixels(80, 72), 80) << "a sparse picture still shows one to one";
    EXPECT_EQ(screen_pixels(80, std::nullopt), 80);
    EXPECT_EQ(screen_pixels(300, 288), 100);
    EXPECT_EQ(screen_pixels(1, 65535), 1) << "never nothing on the screen";
}
