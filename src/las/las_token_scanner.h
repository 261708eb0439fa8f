#pragma once
// The values of a data line, token by token. Tokens are separated by runs
// of blanks and tabs, or by a delimiter byte (a comma or a tab, blanks
// around it ignored). A token that reads fully as a number is one: an
// optional sign, digits with a point (or, unless the comma delimits, a
// comma) as decimal mark, an optional exponent (1.2E3, 0.6459E+08, 1e-5).
// Any other token (ERR, NaN, -, 1.#INF, ***, a quoted string) is text, and
// the reader makes it a null sample. A quoted string is one token even when
// it holds blanks or the delimiter.
//
//     RLasTokenScanner tokens(line, ' ');
//     RLasToken token;
//     while (tokens.Next(token)) ... token.IsNumber ? token.Value : null ...
//
// Numbers are converted with correct rounding: up to 15 digits (and a
// small exponent) with one exact division or multiplication, longer ones by
// std::from_chars. So a NULL written in the file equals the header's NULL
// exactly, and a value written back in its shortest exact form reads back
// as the same double.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

struct RLasToken {
    bool IsNumber = false;
    double Value = 0.0;          // when IsNumber
    std::uint32_t Decimals = 0;  // digits after the decimal mark, at most 255
    bool Exponent = false;       // written with an exponent
    std::string_view Text;       // the token as it stands in the line
};

class RLasTokenScanner {
public:
    // `delimiter`: ' ' for runs of blanks and tabs, otherwise the byte
    // between values (',' or '\t').
    RLasTokenScanner(std::string_view line, char delimiter)
        : p_(line.data()), end_(line.data() + line.size()), delimiter_(delimiter)
    {
    }

    // The next token; false when the line has no more. Inlined into the
    // line loops: a call per number costs a tenth of a load.
    [[gnu::always_inline]] inline bool Next(RLasToken& token);

    // Bytes of the line not yet read.
    std::string_view Rest() const { return {p_, static_cast<std::size_t>(end_ - p_)}; }

    // Reads `text` as a whole number token (the rules above); false when it
    // is none. `decimalComma`: a comma may be the decimal mark.
    static bool ReadNumber(std::string_view text, bool decimalComma, RLasToken& token);

private:
    static bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }
    // Reads the longest number at p (moving p past it); false when p holds
    // none, p then somewhere inside what it read.
    [[gnu::always_inline]] static inline bool ParseNumber(const char*& p, const char* end, bool decimalComma,
                                                          RLasToken& token);
    // The rest of a token that is no number, from `begin`: to the next
    // blank (quoted strings whole), or to the delimiter.
    bool TextToken(const char* begin, RLasToken& token);

    const char* p_;
    const char* end_;
    char delimiter_;
};

namespace LasDigits {

// Reads a run of decimal digits from p into `mantissa` (wrapping past 19
// digits, which callers never use as a value) and returns its end. Eight
// bytes at a time where the line has them: the digit test and the
// conversion are done on the whole word, which spares a mispredicted branch
// per digit.
[[gnu::always_inline]] inline const char* Scan(const char* p, const char* end, std::uint64_t& mantissa)
{
    constexpr std::uint64_t kPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
    if constexpr (std::endian::native == std::endian::little) {
        while (end - p >= 8) {
            std::uint64_t chunk;
            std::memcpy(&chunk, p, 8);
            // High bit of each byte that is not '0'..'9'; bytes above the
            // first such byte may be wrong, and only the first one counts.
            const std::uint64_t nonDigits =
                ((chunk + 0x4646464646464646) | (chunk - 0x3030303030303030)) & 0x8080808080808080;
            const int count = nonDigits ? std::countr_zero(nonDigits) >> 3 : 8;
            if (count > 0) {
                // The digits moved to the top bytes, zeros below as leading
                // zeros, then combined pairwise into one number.
                std::uint64_t digits = (chunk - 0x3030303030303030) << (64 - 8 * count);
                digits = digits * 10 + (digits >> 8);
                digits = (((digits & 0x000000FF000000FF) * 0x000F424000000064)
                          + (((digits >> 16) & 0x000000FF000000FF) * 0x0000271000000001))
                         >> 32;
                mantissa = mantissa * kPowers[count] + (digits & 0xFFFFFFFF);
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

}  // namespace LasDigits

// Conversion of a number token that the fast path cannot take (more than
// 19 digits, a mantissa of 2^53 or more, a large exponent).
double ConvertNumberSlowly(std::string_view text, bool negative, long exponent);

inline bool RLasTokenScanner::ParseNumber(const char*& p, const char* end, bool decimalComma, RLasToken& token)
{
    // Exact powers of ten: a mantissa below 2^53 divided or multiplied by
    // one of them is a single correctly rounded operation.
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const char* const begin = p;
    const bool negative = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+'))
        ++p;
    std::uint64_t mantissa = 0;
    const char* const intBegin = p;
    p = LasDigits::Scan(p, end, mantissa);
    const auto intDigits = static_cast<std::size_t>(p - intBegin);
    std::size_t fracDigits = 0;
    if (p < end && (*p == '.' || (decimalComma && *p == ','))) {
        const char* const fracBegin = ++p;
        p = LasDigits::Scan(p, end, mantissa);
        fracDigits = static_cast<std::size_t>(p - fracBegin);
    }
    if (intDigits + fracDigits == 0)
        return false;
    long exponent = 0;
    token.Exponent = false;
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        const bool negativeExponent = p < end && *p == '-';
        if (p < end && (*p == '-' || *p == '+'))
            ++p;
        if (p == end || static_cast<unsigned char>(*p - '0') > 9)
            return false;
        for (; p < end && static_cast<unsigned char>(*p - '0') <= 9; ++p)
            exponent = exponent < 100000 ? exponent * 10 + (*p - '0') : exponent;
        exponent = negativeExponent ? -exponent : exponent;
        token.Exponent = true;
    }
    token.IsNumber = true;
    token.Decimals = static_cast<std::uint32_t>(fracDigits < 255 ? fracDigits : 255);
    token.Text = {begin, static_cast<std::size_t>(p - begin)};
    const long scale = exponent - static_cast<long>(fracDigits);
    if (intDigits + fracDigits <= 19 && mantissa < (std::uint64_t(1) << 53) && scale >= -22 && scale <= 22) {
        const double m = static_cast<double>(mantissa);
        const double magnitude = scale < 0 ? m / kPowersOfTen[-scale] : m * kPowersOfTen[scale];
        token.Value = negative ? -magnitude : magnitude;
    } else {
        token.Value = ConvertNumberSlowly(token.Text, negative, exponent);
    }
    return true;
}

inline bool RLasTokenScanner::Next(RLasToken& token)
{
    if (delimiter_ == ' ') {
        while (p_ < end_ && IsBlank(*p_))
            ++p_;
        if (p_ == end_)
            return false;
        const char* const begin = p_;
        if (ParseNumber(p_, end_, true, token) && (p_ == end_ || IsBlank(*p_)))
            return true;
        return TextToken(begin, token);
    }
    // Delimited: blanks around a value are no part of it; an empty value
    // between two delimiters is a token (a null), a line's trailing
    // delimiter is not.
    while (p_ < end_ && IsBlank(*p_) && *p_ != delimiter_)
        ++p_;
    if (p_ == end_)
        return false;
    const char* const begin = p_;
    if (ParseNumber(p_, end_, delimiter_ != ',', token)) {
        const char* after = p_;
        while (after < end_ && IsBlank(*after) && *after != delimiter_)
            ++after;
        if (after == end_ || *after == delimiter_) {
            p_ = after == end_ ? end_ : after + 1;
            return true;
        }
    }
    return TextToken(begin, token);
}

