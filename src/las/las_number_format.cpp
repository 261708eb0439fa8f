#include "las/las_number_format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace LasNumberFormat {

namespace {

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

void AppendFixed4(std::string& out, double value)
{
    char text[400];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4);
    char* end = result.ptr;
    DropNegativeZero(text, end);
    out.append(text, end);
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
