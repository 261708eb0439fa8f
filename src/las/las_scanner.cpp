#include "las/las_scanner.h"

#include "las/las_problem.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSeparatorMark(char c) { return c == '.' || c == ','; }

// Exact powers of ten: a mantissa below 2^53 divided by one of them is a
// single correctly rounded operation.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Converts a token of more than 15 digits: sign, integer digits [intBegin,
// intEnd) and fraction digits [fracBegin, fracEnd), correctly rounded.
double ConvertToken(bool negative, const char* intBegin, const char* intEnd, const char* fracBegin,
                    const char* fracEnd)
{
    const std::size_t intDigits = static_cast<std::size_t>(intEnd - intBegin);
    const std::size_t fracDigits = static_cast<std::size_t>(fracEnd - fracBegin);
    // The library's conversion on "int.frac".
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

}  // namespace

std::string QuoteDataLine(std::string_view line) { return QuoteForMessage(line); }

RLasProblem DataLineProblem(RDataLineResult result, std::string_view line)
{
    const RLasProblemKind kind =
        result == RDataLineResult::TooMany ? RLasProblemKind::TooManyValues : RLasProblemKind::TooFewValues;
    return {.Kind = kind, .Line = QuoteForMessage(line)};
}

std::string DataLineMessage(RDataLineResult result, std::string_view line)
{
    if (result == RDataLineResult::Ok)
        return {};
    return ProblemText(DataLineProblem(result, line), RLasLanguage::Russian);
}

namespace {

// Byte classes of the data scanner.
enum : std::uint8_t { kOther = 0, kDigitClass = 1, kSignClass = 2, kMarkClass = 3 };

constexpr std::array<std::uint8_t, 256> MakeClasses()
{
    std::array<std::uint8_t, 256> classes{};
    for (int c = '0'; c <= '9'; ++c)
        classes[static_cast<std::size_t>(c)] = kDigitClass;
    classes['-'] = classes['+'] = kSignClass;
    classes['.'] = classes[','] = kMarkClass;
    return classes;
}

constexpr std::array<std::uint8_t, 256> kClasses = MakeClasses();

std::uint8_t ClassOf(char c) { return kClasses[static_cast<unsigned char>(c)]; }

constexpr std::uint64_t kIntPowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

// Reads a run of digits into `mantissa` (wrapping past 19 digits, which the
// caller never uses) and returns its end. Eight bytes at a time where the
// line has them: the digit test and the conversion are done on the whole
// word, which spares a mispredicted branch per digit. Without Convert the
// run is only skipped.
template <bool Convert>
inline const char* ScanDigits(const char* p, const char* end, std::uint64_t& mantissa)
{
    if constexpr (std::endian::native == std::endian::little) {
        while (end - p >= 8) {
            std::uint64_t chunk;
            std::memcpy(&chunk, p, 8);
            // High bit of each byte that is not '0'..'9'; bytes above the
            // first such byte may be wrong, and only the first one counts.
            const std::uint64_t nonDigits =
                ((chunk + 0x4646464646464646) | (chunk - 0x3030303030303030)) & 0x8080808080808080;
            const int count = nonDigits ? std::countr_zero(nonDigits) >> 3 : 8;
            if (!Convert) {
                p += count;
            } else if (count > 0) {
                // The digits moved to the top bytes, zeros below as leading
                // zeros, then combined pairwise into one number.
                std::uint64_t digits = (chunk - 0x3030303030303030) << (64 - 8 * count);
                digits = digits * 10 + (digits >> 8);
                digits = (((digits & 0x000000FF000000FF) * 0x000F424000000064)
                          + (((digits >> 16) & 0x000000FF000000FF) * 0x0000271000000001))
                         >> 32;
                mantissa = mantissa * kIntPowersOfTen[count] + (digits & 0xFFFFFFFF);
                p += count;
            }
            if (count < 8)
                return p;
        }
    }
    for (unsigned digit; p < end && (digit = static_cast<unsigned char>(*p) - '0') < 10; ++p)
        mantissa = mantissa * 10 + digit;
    return p;
}

// The scanner proper over [p, end); false when no number is left. Inlined
// into the line loops: a call per number costs a tenth of the load. Without
// Convert the number is only passed over (for counting).
template <bool Convert = true>
[[gnu::always_inline]] inline bool ScanNumber(const char*& p, const char* end, double& value)
{
    // Find the start: a sign, a digit, or a decimal mark with a digit after it.
    for (;; ++p) {
        if (p >= end)
            return false;
        const std::uint8_t kind = ClassOf(*p);
        if (kind == kDigitClass || kind == kSignClass)
            break;
        if (kind == kMarkClass && p + 1 < end && IsDigit(p[1]))
            break;
    }
    bool negative = false;
    if (ClassOf(*p) == kSignClass) {
        negative = *p == '-';
        ++p;
    }
    // The mantissa is exact while there are at most 15 digits; longer
    // tokens take the library's conversion.
    std::uint64_t mantissa = 0;
    const char* intBegin = p;
    p = ScanDigits<Convert>(p, end, mantissa);
    const char* intEnd = p;
    const char* fracBegin = p;
    const char* fracEnd = p;
    // "5." is 5; after a lone sign the mark counts only with a digit after it.
    if (p < end && IsSeparatorMark(*p) && (intEnd > intBegin || (p + 1 < end && IsDigit(p[1])))) {
        fracBegin = ++p;
        p = ScanDigits<Convert>(p, end, mantissa);
        fracEnd = p;
    }
    if constexpr (!Convert)
        return true;
    const auto fracDigits = static_cast<std::size_t>(fracEnd - fracBegin);
    if (static_cast<std::size_t>(intEnd - intBegin) + fracDigits <= 15) {
        const double magnitude = static_cast<double>(mantissa) / kPowersOfTen[fracDigits];
        value = negative ? -magnitude : magnitude;
    } else {
        value = ConvertToken(negative, intBegin, intEnd, fracBegin, fracEnd);
    }
    return true;
}

}  // namespace

bool ScanNextNumber(std::string_view line, std::size_t& pos, double& value)
{
    const char* p = line.data() + std::min(pos, line.size());
    const bool found = ScanNumber(p, line.data() + line.size(), value);
    pos = static_cast<std::size_t>(p - line.data());
    return found;
}

std::size_t CountNumbers(std::string_view line)
{
    const char* p = line.data();
    const char* const end = p + line.size();
    std::size_t count = 0;
    double unused = 0.0;
    while (ScanNumber<false>(p, end, unused))
        ++count;
    return count;
}

bool ScanDataLine(std::string_view line, std::span<double> values, std::size_t depthPosition)
{
    const RDataLineResult result = ScanDataLineQuietly(line, values, depthPosition);
    if (result != RDataLineResult::Ok)
        Report(DataLineProblem(result, line));
    return result == RDataLineResult::Ok;
}

RDataLineResult ScanDataLineQuietly(std::string_view line, std::span<double> values, std::size_t depthPosition)
{
    const char* p = line.data();
    const char* const end = p + line.size();
    depthPosition = std::min(depthPosition, values.size());
    double depth = 0.0;
    double* target = values.data();
    for (std::size_t i = 0; i <= values.size(); ++i) {
        if (!ScanNumber(p, end, i == depthPosition ? depth : *target++))
            return RDataLineResult::TooFew;
    }
    if (HasDigit(line, static_cast<std::size_t>(p - line.data())))
        return RDataLineResult::TooMany;
    return RDataLineResult::Ok;
}

bool ScanContinuationLine(std::string_view line, std::span<double> values, std::size_t& count)
{
    const char* p = line.data();
    const char* const end = p + line.size();
    for (; count < values.size(); ++count)
        if (!ScanNumber(p, end, values[count]))
            return true;
    return !HasDigit(line, static_cast<std::size_t>(p - line.data()));
}
