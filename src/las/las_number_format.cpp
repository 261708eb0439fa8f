#include "las/las_number_format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace LasNumberFormat {

namespace {

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// "-0.0000" and the like lose their sign.
void DropNegativeZero(char* begin, char*& end)
{
    if (*begin != '-')
        return;
    for (const char* p = begin + 1; p < end; ++p)
        if (*p != '0' && *p != '.')
            return;
    std::copy(begin + 1, end, begin);
    --end;
}

}  // namespace

std::string General15(double value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    std::string out(text, result.ptr);
    for (char& c : out)
        if (c == 'e')
            c = 'E';
    if (out == "inf")
        return "INF";
    if (out == "-inf")
        return "-INF";
    if (out == "nan" || out == "-nan")
        return "NAN";
    return out;
}

char* WriteFixed4(char* out, double value)
{
    // Fast path: below 1e9 the product value * 10^4 is within 0.002 of the
    // exact one, so its rounding to an integer is the correct one unless the
    // fraction lies that close to a half; those go the slow way.
    if (value > -1e9 && value < 1e9) {
        const double scaled = value * 10000.0;
        const double whole = std::floor(scaled);
        const double fraction = scaled - whole;
        if (std::fabs(fraction - 0.5) > 0.004) {
            const auto units = static_cast<std::int64_t>(fraction > 0.5 ? whole + 1.0 : whole);
            std::uint64_t magnitude =
                units < 0 ? static_cast<std::uint64_t>(-units) : static_cast<std::uint64_t>(units);
            const auto fractionDigits = static_cast<unsigned>(magnitude % 10000);
            magnitude /= 10000;
            int integerDigits = 1;
            for (std::uint64_t rest = magnitude; rest >= 10; rest /= 10)
                ++integerDigits;
            if (units < 0)
                *out++ = '-';
            // Written from the end backwards, two digits at a time.
            char* const end = out + integerDigits + 5;
            char* p = end;
            p -= 2;
            std::memcpy(p, kDigitPairs + 2 * (fractionDigits % 100), 2);
            p -= 2;
            std::memcpy(p, kDigitPairs + 2 * (fractionDigits / 100), 2);
            *--p = '.';
            while (magnitude >= 100) {
                p -= 2;
                std::memcpy(p, kDigitPairs + 2 * (magnitude % 100), 2);
                magnitude /= 100;
            }
            if (magnitude >= 10) {
                p -= 2;
                std::memcpy(p, kDigitPairs + 2 * magnitude, 2);
            } else {
                *--p = static_cast<char>('0' + magnitude);
            }
            return end;
        }
    }
    const auto result = std::to_chars(out, out + kMaxFixed4Length, value, std::chars_format::fixed, 4);
    char* end = result.ptr;
    DropNegativeZero(out, end);
    return end;
}

void AppendFixed4(std::string& out, double value)
{
    char text[kMaxFixed4Length];
    out.append(text, WriteFixed4(text, value));
}

void AppendWrapped(std::string& out, double value)
{
    if (std::isfinite(value) && value != 0.0) {
        char text[64];
        const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 7);
        std::from_chars(text, result.ptr, value);
    }
    AppendFixed4(out, value);
}

}  // namespace LasNumberFormat
