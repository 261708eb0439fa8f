#pragma once
// Golden-image comparison for raster tests. Pictures live as small PNGs in
// tests/data/<folder>/ (raster unless named). They are rewritten only when
// the environment says LOGGARD_UPDATE_GOLDEN=1; otherwise each pixel must match within a
// tolerance per channel, and a failure names where the pictures differ and
// leaves the actual picture in the temporary folder.

#include "raster/bitmap_true_color.h"
#include "raster/png_codec.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

inline ::testing::AssertionResult MatchesGolden(const RBitmapTrueColor& bitmap, const std::string& name,
                                                int tolerance, const std::string& folder = "raster")
{
    const std::string golden = std::string(LOGGARD_TEST_DATA_DIR) + "/" + folder + "/" + name + ".png";
    const char* update = std::getenv("LOGGARD_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        PngCodec::WriteFile(bitmap, golden);
        return ::testing::AssertionSuccess() << "rewrote " << golden;
    }
    RPngImage expected;
    if (!PngCodec::ReadFile(golden, expected))
        return ::testing::AssertionFailure()
               << "no golden picture " << golden << " (make it with LOGGARD_UPDATE_GOLDEN=1)";
    const RBitmapUtil& util = bitmap.Util();
    const std::string actualPath =
        (std::filesystem::temp_directory_path() / ("loggard-actual-" + name + ".png")).string();
    if (expected.width != util.Width() || expected.height != util.Height()) {
        PngCodec::WriteFile(bitmap, actualPath);
        return ::testing::AssertionFailure() << name << ": size " << util.Width() << "x" << util.Height()
                                             << ", golden " << expected.width << "x" << expected.height
                                             << "; actual picture in " << actualPath;
    }
    int differing = 0;
    std::ostringstream where;
    for (int y = 0; y < util.Height(); ++y)
        for (int x = 0; x < util.Width(); ++x) {
            const RColorWord actual = util.ReadPixel(x, y);
            const std::uint8_t* want = &expected.rgb[(static_cast<std::size_t>(y) * expected.width + x) * 3];
            const int channels[3] = {actual.Red(), actual.Green(), actual.Blue()};
            bool same = true;
            for (int c = 0; c < 3; ++c)
                same = same && std::abs(channels[c] - want[c]) <= tolerance;
            if (same)
                continue;
            if (++differing <= 10) {
                char text[96];
                std::snprintf(text, sizeof text, "\n  (%d,%d): %02x%02x%02x, golden %02x%02x%02x", x, y,
                              channels[0], channels[1], channels[2], want[0], want[1], want[2]);
                where << text;
            }
        }
    if (differing == 0)
        return ::testing::AssertionSuccess();
    PngCodec::WriteFile(bitmap, actualPath);
    return ::testing::AssertionFailure() << name << ": " << differing << " pixels differ by more than "
                                         << tolerance << where.str() << "\n  actual picture in " << actualPath;
}
