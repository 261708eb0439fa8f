#include "raster/png_codec.h"

#include "container/error.h"
#include "raster/bitmap32.h"
#include "raster/bitmap_gray_core.h"
#include "support/files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <zlib.h>

TEST(PngCodec, RoundTripsPixelsThroughAFile)
{
    RBitmap32 bitmap(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            bitmap.Util().SetPixel(x, y, RColorWord(static_cast<RColorWord>(x * 30 << 16 | y * 50 << 8 | (x + y))));
    TempDir dir;
    PngCodec::WriteFile(bitmap, dir.File("out.png"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.png.tmp")));
    RPngImage image;
    ASSERT_TRUE(PngCodec::ReadFile(dir.File("out.png"), image));
    ASSERT_EQ(image.width, 7);
    ASSERT_EQ(image.height, 5);
    EXPECT_EQ(image.rgb[(2 * 7 + 3) * 3 + 0], 90);
    EXPECT_EQ(image.rgb[(2 * 7 + 3) * 3 + 1], 100);
    EXPECT_EQ(image.rgb[(2 * 7 + 3) * 3 + 2], 5);
    EXPECT_FALSE(PngCodec::ReadFile(dir.File("missing.png"), image));

    RBitmapGrayCore grey(3, 2);
    grey.FillRect(0, 0, 3, 2, RColorWord(0x404040));
    const RPngImage greyImage = PngCodec::Decode(PngCodec::Encode(grey));
    EXPECT_EQ(greyImage.rgb[4], 0x40);
}

TEST(PngCodec, DamagedFilesRaiseAndFailedWritesKeepTheOldFile)
{
    RBitmap32 bitmap(4, 4);
    const std::string good = PngCodec::Encode(bitmap);
    EXPECT_THROW(PngCodec::Decode("not a png"), RError);
    EXPECT_THROW(PngCodec::Decode(good.substr(0, good.size() / 2)), RError);
    std::string flipped = good;
    flipped[40] ^= 0x55;  // inside IDAT: checksum fails
    EXPECT_THROW(PngCodec::Decode(flipped), RError);
    std::string huge = good;
    huge[16] = 0x7F;  // width beyond the limit (checksum fixed below)
    const auto crc = crc32(0, reinterpret_cast<const Bytef*>(huge.data() + 12), 17);
    for (int i = 0; i < 4; ++i)
        huge[29 + i] = static_cast<char>(crc >> (24 - 8 * i) & 0xFF);
    EXPECT_THROW(PngCodec::Decode(huge), RError);

    TempDir dir;
    WriteWholeFile(dir.File("keep.png"), "old");
    EXPECT_THROW(PngCodec::WriteFile(bitmap, dir.File("no-such-dir/x.png")), RError);
    EXPECT_EQ(ReadWholeFile(dir.File("keep.png")), "old");
}
