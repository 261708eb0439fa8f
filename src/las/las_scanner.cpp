#include "las/las_scanner.h"

#include "las/logging.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSeparatorMark(char c) { return c == '.' || c == ','; }

// Exact powers of ten: a mantissa below 2^53 divided by one of them is a
// single correctly rounded operation.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Converts sign, integer digits [intBegin, intEnd) and fraction digits
// [fracBegin, fracEnd) with correct rounding.
double ConvertToken(bool negative, const char* intBegin, const char* intEnd, const char* fracBegin,
                    const char* fracEnd)
{
    const std::size_t intDigits = static_cast<std::size_t>(intEnd - intBegin);
    const std::size_t fracDigits = static_cast<std::size_t>(fracEnd - fracBegin);
    if (intDigits + fracDigits == 0)
        return negative ? -0.0 : 0.0;  // a lone sign
    if (intDigits + fracDigits <= 15) {
        std::uint64_t mantissa = 0;
        for (const char* p = intBegin; p < intEnd; ++p)
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
        for (const char* p = fracBegin; p < fracEnd; ++p)
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
        const double value = static_cast<double>(mantissa) / kPowersOfTen[fracDigits];
        return negative ? -value : value;
    }
    // Long tokens: the library's conversion on "int.frac".
    std::string token;
    token.reserve(intDigits + fracDigits + 2);
    token.append(intBegin, intEnd);
    if (intDigits == 0)
        token += '0';
    token += '.';
    token.append(fracBegin, fracEnd);
    double value = 0.0;
    const auto result = std::from_chars(token.data(), token.data() + token.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond a double's range: too large when a non-zero integer digit
        // is there, otherwise too small.
        bool large = false;
        for (const char* p = intBegin; p < intEnd && !large; ++p)
            large = *p != '0';
        value = large ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

bool HasDigit(std::string_view text, std::size_t from)
{
    for (std::size_t i = from; i < text.size(); ++i)
        if (IsDigit(text[i]))
            return true;
    return false;
}

void LogTooFew(std::string_view line)
{
    LogMessage("???????????? ?????? ? ?????? " + std::string(line) + " ? ?????? Data");
}

void LogTooMany(std::string_view line)
{
    LogMessage("??????? ????? ?????? ? ?????? " + std::string(line) + " ?????? Data");
}

}  // namespace

bool ScanNextNumber(std::string_view line, std::size_t& pos, double& value)
{
    const char* const begin = line.data();
    const std::size_t size = line.size();
    std::size_t i = pos;
    // Find the start: a sign, a digit, or a decimal mark with a digit after it.
    for (; i < size; ++i) {
        const char c = begin[i];
        if (IsDigit(c) || c == '-' || c == '+')
            break;
        if (IsSeparatorMark(c) && i + 1 < size && IsDigit(begin[i + 1]))
            break;
    }
    if (i >= size) {
        pos = size;
        return false;
    }
    bool negative = false;
    if (begin[i] == '-' || begin[i] == '+') {
        negative = begin[i] == '-';
        ++i;
    }
    const char* intBegin = begin + i;
    while (i < size && IsDigit(begin[i]))
        ++i;
    const char* intEnd = begin + i;
    const char* fracBegin = intEnd;
    const char* fracEnd = intEnd;
    // "5." is 5; after a lone sign the mark counts only with a digit after it.
    if (i < size && IsSeparatorMark(begin[i])
        && (intEnd > intBegin || (i + 1 < size && IsDigit(begin[i + 1])))) {
        ++i;
        fracBegin = begin + i;
        while (i < size && IsDigit(begin[i]))
            ++i;
        fracEnd = begin + i;
    }
    pos = i;
    value = ConvertToken(negative, intBegin, intEnd, fracBegin, fracEnd);
    return true;
}

bool ScanDataLine(std::string_view line, std::span<double> values)
{
    std::size_t pos = 0;
    double depth = 0.0;
    if (!ScanNextNumber(line, pos, depth)) {
        LogTooFew(line);
        return false;
    }
    for (double& value : values) {
        if (!ScanNextNumber(line, pos, value)) {
            LogTooFew(line);
            return false;
        }
    }
    if (HasDigit(line, pos)) {
        LogTooMany(line);
        return false;
    }
    return true;
}

bool ScanContinuationLine(std::string_view line, std::span<double> values, std::size_t& count)
{
    std::size_t pos = 0;
    while (count < values.size()) {
        double value = 0.0;
        if (!ScanNextNumber(line, pos, value))
            return true;
        values[count++] = value;
    }
    return !HasDigit(line, pos);
}
