#pragma once
// RRasterError: what went wrong in drawing or image coding, as data (a kind
// and its fields, error.h says how errors are worded). The font
// rasteriser, the bitmaps and the PNG codec raise every failure of their
// own as one; writing a picture to disk raises the file's RFileError.
//
//     throw RRasterError({.Kind = RRasterErrorKind::FontNotFound, .Name = family});
//
// Each kind's comment names the fields its wording uses.

#include "container/error.h"

#include <cstddef>
#include <string>

enum class RRasterErrorKind {
    // Fonts.
    FreeTypeUnavailable,  // the FreeType library did not start
    FontNotFound,         // Name: the family no font file was found for
    FontFileUnreadable,   // Path: the font file FreeType could not open

    // Bitmaps.
    BadImageSize,  // Width, Height: a size whose rows do not fit the bitmap's offsets

    // PNG pictures.
    PngNoSignature,       // the bytes do not start like a PNG file
    PngTruncated,         // a chunk runs past the end
    PngBadChecksum,       // Name: the type of the chunk whose CRC is wrong, as the file has it
    PngBadHeader,         // an IHDR chunk of the wrong length
    PngBadSize,           // a width or height of 0 or above 16384
    PngUnsupported,       // not 8-bit grey, RGB or RGBA, or interlaced
    PngNoHeader,          // no IHDR chunk before IEND
    PngBadImageData,      // the IDAT data do not unpack to the picture's size
    PngBadRowFilter,      // a row filter byte PNG does not define
    PngCompressFailed,    // zlib did not pack the picture
};

// Kinds run from 0 to kRasterErrorKindCount - 1.
inline constexpr std::size_t kRasterErrorKindCount =
    static_cast<std::size_t>(RRasterErrorKind::PngCompressFailed) + 1;

struct RRasterFault {
    RRasterErrorKind Kind;
    std::string Name{};  // a font family, a chunk type
    std::string Path{};  // a font file
    int Width = 0, Height = 0;
};

// The fault worded in `language` (an unknown language words in English);
// empty for a kind outside the enumeration.
std::string FaultText(const RRasterFault& fault, RLanguage language);

class RRasterError : public RError {
public:
    // what() is the Russian wording.
    explicit RRasterError(RRasterFault fault);

    const RRasterFault& Fault() const { return fault_; }
    std::string Text(RLanguage language) const override { return FaultText(fault_, language); }

private:
    RRasterFault fault_;
};
