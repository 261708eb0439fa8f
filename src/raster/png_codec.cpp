#include "raster/png_codec.h"

#include "container/atomic_file.h"
#include "raster/bitmap_true_color.h"
#include "raster/raster_error.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include <zlib.h>

namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
constexpr int kMaxSide = 16384;

void PutU32(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

std::uint32_t GetU32(const std::string& bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) << 24
           | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 16
           | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 8
           | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3]));
}

void PutChunk(std::string& out, const char* type, const std::string& data)
{
    PutU32(out, static_cast<std::uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    out += body;
    PutU32(out, static_cast<std::uint32_t>(
                    crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

[[noreturn]] void Damaged(RRasterErrorKind kind, std::string chunk = {})
{
    throw RRasterError({.Kind = kind, .Name = std::move(chunk)});
}

int Paeth(int a, int b, int c)
{
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return a;
    return pb <= pc ? b : c;
}

}  // namespace

namespace PngCodec {

std::string Encode(const RBitmapTrueColor& bitmap)
{
    const RBitmapUtil& util = bitmap.Util();
    const int width = util.Width(), height = util.Height();
    std::string raw;
    raw.reserve(static_cast<std::size_t>(height) * (static_cast<std::size_t>(width) * 3 + 1));
    for (int y = 0; y < height; ++y) {
        raw += '\0';  // no row filter
        for (int x = 0; x < width; ++x) {
            const RColorWord pixel = util.ReadPixel(x, y);
            raw += static_cast<char>(pixel.Red());
            raw += static_cast<char>(pixel.Green());
            raw += static_cast<char>(pixel.Blue());
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                  reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()), 6) != Z_OK)
        throw RRasterError({.Kind = RRasterErrorKind::PngCompressFailed});
    packed.resize(packedSize);

    std::string header;
    PutU32(header, static_cast<std::uint32_t>(width));
    PutU32(header, static_cast<std::uint32_t>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter method, no interlace
    std::string out(kSignature, 8);
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", packed);
    PutChunk(out, "IEND", "");
    return out;
}

void WriteFile(const RBitmapTrueColor& bitmap, const std::string& path)
{
    const std::string bytes = Encode(bitmap);
    RAtomicFile file(path);
    file.Write(bytes.data(), bytes.size());
    file.Commit();
}

RPngImage Decode(const std::string& bytes)
{
    if (bytes.size() < 8 || bytes.compare(0, 8, kSignature, 8) != 0)
        Damaged(RRasterErrorKind::PngNoSignature);
    std::size_t at = 8;
    int width = 0, height = 0, channels = 0;
    std::string packed;
    bool ended = false;
    while (!ended) {
        if (bytes.size() - at < 12)
            Damaged(RRasterErrorKind::PngTruncated);
        const std::uint32_t length = GetU32(bytes, at);
        if (length > bytes.size() - at - 12)
            Damaged(RRasterErrorKind::PngTruncated);
        const std::string type = bytes.substr(at + 4, 4);
        const std::string data = bytes.substr(at + 8, length);
        const std::uint32_t crc = GetU32(bytes, at + 8 + length);
        if (crc != crc32(0, reinterpret_cast<const Bytef*>(bytes.data() + at + 4), length + 4))
            Damaged(RRasterErrorKind::PngBadChecksum, type);
        at += 12 + length;
        if (type == "IHDR") {
            if (length != 13)
                Damaged(RRasterErrorKind::PngBadHeader);
            const std::uint32_t w = GetU32(data, 0), h = GetU32(data, 4);
            const int depth = static_cast<unsigned char>(data[8]), colour = static_cast<unsigned char>(data[9]);
            if (w < 1 || h < 1 || w > kMaxSide || h > kMaxSide)
                Damaged(RRasterErrorKind::PngBadSize);
            if (depth != 8 || data[10] != 0 || data[11] != 0 || data[12] != 0)
                Damaged(RRasterErrorKind::PngUnsupported);
            channels = colour == 0 ? 1 : colour == 2 ? 3 : colour == 6 ? 4 : 0;
            if (channels == 0)
                Damaged(RRasterErrorKind::PngUnsupported);
            width = static_cast<int>(w);
            height = static_cast<int>(h);
        } else if (type == "IDAT") {
            packed += data;
        } else if (type == "IEND") {
            ended = true;
        }
    }
    if (channels == 0)
        Damaged(RRasterErrorKind::PngNoHeader);

    const std::size_t rowBytes = static_cast<std::size_t>(width) * channels;
    std::string raw((rowBytes + 1) * static_cast<std::size_t>(height), '\0');
    uLongf rawSize = static_cast<uLongf>(raw.size());
    if (uncompress(reinterpret_cast<Bytef*>(raw.data()), &rawSize, reinterpret_cast<const Bytef*>(packed.data()),
                   static_cast<uLong>(packed.size()))
            != Z_OK
        || rawSize != raw.size())
        Damaged(RRasterErrorKind::PngBadImageData);

    RPngImage image;
    image.width = width;
    image.height = height;
    image.rgb.resize(static_cast<std::size_t>(width) * height * 3);
    std::vector<std::uint8_t> previous(rowBytes, 0), current(rowBytes);
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const std::uint8_t*>(raw.data()) + y * (rowBytes + 1);
        const int filter = line[0];
        for (std::size_t i = 0; i < rowBytes; ++i) {
            const int a = i >= static_cast<std::size_t>(channels) ? current[i - channels] : 0;
            const int b = previous[i];
            const int c = i >= static_cast<std::size_t>(channels) ? previous[i - channels] : 0;
            int predicted = 0;
            switch (filter) {
            case 0: predicted = 0; break;
            case 1: predicted = a; break;
            case 2: predicted = b; break;
            case 3: predicted = (a + b) / 2; break;
            case 4: predicted = Paeth(a, b, c); break;
            default: Damaged(RRasterErrorKind::PngBadRowFilter);
            }
            current[i] = static_cast<std::uint8_t>(line[1 + i] + predicted);
        }
        for (int x = 0; x < width; ++x) {
            std::uint8_t* target = image.rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3;
            const std::uint8_t* source = current.data() + static_cast<std::size_t>(x) * channels;
            if (channels == 1)
                target[0] = target[1] = target[2] = source[0];
            else
                std::memcpy(target, source, 3);
        }
        previous.swap(current);
    }
    return image;
}

bool ReadFile(const std::string& path, RPngImage& image)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    image = Decode(bytes);
    return true;
}

}  // namespace PngCodec
