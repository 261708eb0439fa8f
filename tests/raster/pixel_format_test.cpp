// Blending rules of the two pixel formats.

#include "raster/pixel_format.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(PixelFormat32, OpaqueWritesReplaceAndSetPixelClearsTheFourthByte)
{
    std::uint8_t row[8] = {1, 2, 3, 99, 1, 2, 3, 99};
    RPixelFormat32::SetPixel(row, 0, RColorWord(0x00A0B0C0));
    EXPECT_EQ(row[0], 0xC0);  // blue
    EXPECT_EQ(row[1], 0xB0);  // green
    EXPECT_EQ(row[2], 0xA0);  // red
    EXPECT_EQ(row[3], 0);
    RPixelFormat32::FillSpan(row, 1, 1, RColorWord(0x00102030));
    EXPECT_EQ(row[4], 0x30);
    EXPECT_EQ(row[7], 99);  // span fills keep it
    EXPECT_EQ(RPixelFormat32::ReadPixel(row, 0).Value(), 0xA0B0C0u);
    EXPECT_TRUE(RPixelFormat32::Equals(row, 0, RColorWord(0x77A0B0C0)));
}

TEST(PixelFormat32, TransparencyBlendsWithTheOldPixel)
{
    // Transparency 255 leaves the old pixel nearly unchanged.
    std::uint8_t row[4] = {255, 255, 255, 0};
    RPixelFormat32::SetPixel(row, 0, RColorWord(0xFF000000));
    EXPECT_GE(row[0], 253);
    EXPECT_GE(row[1], 253);
    EXPECT_GE(row[2], 253);
    // Half transparency, with the blue and green/red rules as written.
    std::uint8_t half[4] = {200, 200, 200, 0};
    RPixelFormat32::SetPixel(half, 0, RColorWord(0x80000000 | 0x00000000));
    EXPECT_EQ(half[0], 0 - ((128 * (0 - 200) + 255) >> 8));
    EXPECT_EQ(half[1], 0 + ((128 * (200 - 0)) >> 8));
    std::uint8_t span[8] = {200, 200, 200, 7, 200, 200, 200, 7};
    RPixelFormat32::FillSpan(span, 0, 2, RColorWord(0x80000000));
    EXPECT_EQ(span[0], (128 * 200) >> 8);
    EXPECT_EQ(span[6], (128 * 200) >> 8);
    EXPECT_EQ(span[3], 7);
}

TEST(PixelFormatGray, TakesTheLowByteAndReadsAsGrey)
{
    std::uint8_t row[4] = {0, 0, 0, 0};
    RPixelFormatGray::SetPixel(row, 1, RColorWord(0x00123456));
    EXPECT_EQ(row[1], 0x56);
    EXPECT_EQ(RPixelFormatGray::ReadPixel(row, 1).Value(), 0x565656u);
    RPixelFormatGray::FillSpan(row, 0, 4, RColorWord(0xFF0000FF));  // almost fully transparent white
    EXPECT_LE(row[0], 1);
    RPixelFormatGray::FillSpan(row, 0, 0, RColorWord(0x00000099));
    RPixelFormatGray::FillSpan(row, 0, -3, RColorWord(0x00000099));
    EXPECT_LE(row[0], 1);
}
