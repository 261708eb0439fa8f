#pragma once
// A small PNG codec over zlib, enough for the program's own images: it
// writes 8-bit RGB, non-interlaced, and reads 8-bit grey, RGB and RGBA
// (non-interlaced, any row filter). Tests compare pictures through it and
// the command line saves renderings with it.

#include <cstdint>
#include <string>
#include <vector>

class RBitmapTrueColor;

struct RPngImage {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;  // width * height * 3 bytes, rows top-down
};

namespace PngCodec {

// The bitmap's pixels (grey bitmaps as grey RGB) as PNG bytes.
std::string Encode(const RBitmapTrueColor& bitmap);
// Writes the bitmap to `path` through RAtomicFile: a failed write keeps
// the old file and leaves no temporary. Raises RFileError (RRasterError
// when the picture does not pack).
void WriteFile(const RBitmapTrueColor& bitmap, const std::string& path);

// Decodes PNG bytes; raises RRasterError on anything damaged or unsupported.
// Images larger than 16384 x 16384 are refused.
RPngImage Decode(const std::string& bytes);
// False when the file does not exist; RRasterError when it is damaged.
bool ReadFile(const std::string& path, RPngImage& image);

}  // namespace PngCodec
