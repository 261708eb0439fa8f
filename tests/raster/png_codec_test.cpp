#include "raster/png_codec.h"

#include "container/error.h"
#include "raster/bitmap32.h"
#include "raster/bitmap_gray_core.h"
#include "support/child_process.h"
#include "support/files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

TEST(PngCodec, RoundTripsPixelsThroughAFile)
{
    RBitmap32 bitmap(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            bitmap.Util().SetPixel(x, y, RColorWord(static_cast<RColorWord>(x * 30 << 16 | y * 50 << 8 | (x + y))));
    TempDir dir;
    PngCodec::WriteFile(bitmap, dir.File("out.png"));
    EXPECT_EQ(FileNames(dir.Path().string()), std::vector<std::string>{"out.png"});
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

TEST(PngCodec, WriteFailingMidwayOrInAReadOnlyFolderKeepsTheOldFileByteForByte)
{
    // Noise does not compress: about 270 KB of PNG, beyond the 64 KiB limit.
    RBitmap32 bitmap(300, 300);
    std::uint32_t noise = 1;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x) {
            noise = noise * 1664525u + 1013904223u;
            bitmap.Util().SetPixel(x, y, RColorWord(noise >> 8));
        }
    TempDir dir;
    const std::string folder = dir.File("pictures");
    std::filesystem::create_directory(folder);
    const std::string path = folder + "/chart.png";
    const std::string old = PngCodec::Encode(RBitmap32(2, 2));
    WriteWholeFile(path, old);
    WriteWholeFile(path + ".tmp", "someone else's file");  // not ours to overwrite

    const ChildResult full = RunInChild([&] { PngCodec::WriteFile(bitmap, path); }, {.fileSizeLimit = 64 * 1024});
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_EQ(full.message, "Ошибка записи в файл: " + std::string(std::strerror(EFBIG)) + " (" + path + ")");
    EXPECT_EQ(ReadWholeFile(path), old);
    EXPECT_EQ(FileNames(folder), (std::vector<std::string>{"chart.png", "chart.png.tmp"}));

    ::chmod(dir.Path().c_str(), 0755);  // so that nobody can reach the folder
    ::chmod(folder.c_str(), 0555);
    const ChildResult readOnly = RunInChild([&] { PngCodec::WriteFile(bitmap, path); }, {.dropRoot = true});
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(readOnly.exitCode, 1);
    EXPECT_EQ(readOnly.message, "Ошибка открытия файла " + path + ": " + std::strerror(EACCES));
    EXPECT_EQ(ReadWholeFile(path), old);
    EXPECT_EQ(FileNames(folder), (std::vector<std::string>{"chart.png", "chart.png.tmp"}));

    PngCodec::WriteFile(bitmap, path);
    EXPECT_EQ(ReadWholeFile(path), PngCodec::Encode(bitmap));
    EXPECT_EQ(ReadWholeFile(path + ".tmp"), "someone else's file");
}
