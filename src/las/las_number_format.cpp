#include "las/las_number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <system_error>

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

// Exact powers of ten: a product with one of them is a single rounding,
// and so is an integer below 2^53 divided by one.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxExactPower = 22;
// Below this a double's spacing is at most 1/2, so a half is a multiple of it.
constexpr double kTwoTo52 = 4503599627370496.0;

char* WriteNonFinite(char* out, double value)
{
    const char* text = std::isnan(value) ? "NAN" : value < 0 ? "-INF" : "INF";
    const std::size_t length = std::strlen(text);
    std::memcpy(out, text, length);
    return out + length;
}

// The shortest digits that read back, as d.dddE+xx.
char* WriteExponent(char* out, double value)
{
    const auto result = std::to_chars(out, out + kMaxStyledLength, value, std::chars_format::scientific);
    char* const end = result.ptr;
    for (char* p = end; p != out;) {
        if (*--p == 'e') {
            *p = 'E';
            break;
        }
    }
    return end;
}

// `units` / 10^decimals with exactly `decimals` decimals; units < 2^53.
char* WriteUnits(char* out, bool negative, std::uint64_t units, int decimals)
{
    // The digits of units, from the end backwards two at a time, padded
    // with zeros to one integer digit and the decimals.
    char digits[24];
    char* const digitsEnd = digits + sizeof digits;
    char* p = digitsEnd;
    while (units >= 100) {
        p -= 2;
        std::memcpy(p, kDigitPairs + 2 * (units % 100), 2);
        units /= 100;
    }
    if (units >= 10) {
        p -= 2;
        std::memcpy(p, kDigitPairs + 2 * units, 2);
    } else {
        *--p = static_cast<char>('0' + units);
    }
    while (digitsEnd - p < decimals + 1)
        *--p = '0';
    if (negative)
        *out++ = '-';
    const std::size_t integerDigits = static_cast<std::size_t>(digitsEnd - p - decimals);
    std::memcpy(out, p, integerDigits);
    out += integerDigits;
    if (decimals == 0)
        return out;
    *out++ = '.';
    std::memcpy(out, p + integerDigits, static_cast<std::size_t>(decimals));
    return out + decimals;
}

// Fixed form through the library: correctly rounded `decimals` decimals,
// kept when they read back, otherwise the exponent form.
char* WriteFixedOrExponent(char* out, double value, int decimals)
{
    const auto result = std::to_chars(out, out + kMaxStyledLength, value, std::chars_format::fixed, decimals);
    if (result.ec == std::errc{}) {
        double readBack = 0.0;
        const auto parsed = std::from_chars(out, result.ptr, readBack);
        if (parsed.ec == std::errc{} && parsed.ptr == result.ptr && readBack == value)
            return result.ptr;
    }
    return WriteExponent(out, value);
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

char* WriteStyled(char* out, double value, RLasNumberStyle style)
{
    if (style.Exponent)
        return std::isfinite(value) ? WriteExponent(out, value) : WriteNonFinite(out, value);
    const int decimals = std::clamp(style.Decimals, 0, kMaxStyleDecimals);
    // Fast path. magnitude * 10^decimals is one rounding of the exact
    // product, off by at most half the spacing of doubles there. Below 2^52
    // that spacing divides 1/2, so only a rounded fraction of exactly 1/2
    // leaves the nearest integer in doubt (those go the slow way); any other
    // fraction lies a whole spacing from 1/2 and decides it.
    const double magnitude = std::fabs(value);
    if (decimals <= kMaxExactPower) {
        const double power = kPowersOfTen[decimals];
        const double scaled = magnitude * power;
        if (scaled < kTwoTo52) {
            const auto whole = static_cast<std::uint64_t>(scaled);
            const double fraction = scaled - static_cast<double>(whole);
            if (fraction != 0.5) {
                const std::uint64_t units = fraction > 0.5 ? whole + 1 : whole;
                // units and the power are exact, so this division rounds
                // once, as a correctly rounding reader of the text does:
                // equality proves the text reads back.
                if (static_cast<double>(units) / power == magnitude)
                    return WriteUnits(out, std::signbit(value), units, decimals);
                return WriteExponent(out, value);
            }
        }
    }
    if (!std::isfinite(value))
        return WriteNonFinite(out, value);
    return WriteFixedOrExponent(out, value, decimals);
}

void AppendStyled(std::string& out, double value, RLasNumberStyle style)
{
    char text[kMaxStyledLength];
    out.append(text, WriteStyled(text, value, style));
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
