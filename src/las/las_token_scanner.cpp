#include "las/las_token_scanner.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

// The library's conversion of a token already known to be a number, with a
// point for its mark. Beyond a double's range it is an infinity when the
// number is large (its first significant digit stands left of the decimal
// mark once the exponent is applied), otherwise zero.
double ConvertNumberSlowly(std::string_view text, bool negative, long exponent)
{
    std::string token;
    token.reserve(text.size());
    long integerDigits = 0, fractionDigits = 0;
    long firstInteger = -1, firstFraction = -1;  // where the first non-zero digit stands
    bool mark = false, inExponent = false;
    for (const char c : text) {
        if (c == 'e' || c == 'E')
            inExponent = true;  // its digits are no digits of the number
        if (c == '.' || c == ',') {
            mark = true;
            token += '.';
            continue;
        }
        if (c != '+' || !token.empty())  // the library takes no leading plus
            token += c;
        if (!IsDigit(c) || inExponent)
            continue;
        if (!mark) {
            if (c != '0' && firstInteger < 0)
                firstInteger = integerDigits;
            ++integerDigits;
        } else {
            if (c != '0' && firstInteger < 0 && firstFraction < 0)
                firstFraction = fractionDigits;
            ++fractionDigits;
        }
    }
    double value = 0.0;
    const auto result = std::from_chars(token.data(), token.data() + token.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // 10^(magnitude - 1) <= |number| before the exponent.
        const long magnitude = firstInteger >= 0 ? integerDigits - firstInteger : -firstFraction;
        const bool large = (firstInteger >= 0 || firstFraction >= 0) && magnitude + exponent > 0;
        value = large ? HUGE_VAL : 0.0;
        value = negative ? -value : value;
    }
    return value;
}

bool RLasTokenScanner::ReadNumber(std::string_view text, bool decimalComma, RLasToken& token)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    token = RLasToken{};
    token.Text = text;
    if (ParseNumber(p, end, decimalComma, token) && p == end)
        return true;
    token = RLasToken{};
    token.Text = text;
    return false;
}

bool RLasTokenScanner::TextToken(const char* begin, RLasToken& token)
{
    token = RLasToken{};
    const char* stop = begin;
    if (*stop == '"') {
        // A quoted string runs to its closing quote, blanks and delimiters too.
        const char* const close = std::find(stop + 1, end_, '"');
        stop = close == end_ ? end_ : close + 1;
    }
    if (delimiter_ == ' ') {
        while (stop < end_ && !IsBlank(*stop))
            ++stop;
        token.Text = {begin, static_cast<std::size_t>(stop - begin)};
        p_ = stop;
        return true;
    }
    stop = std::find(stop, end_, delimiter_);
    const char* last = stop;
    while (last > begin && IsBlank(last[-1]))
        --last;
    token.Text = {begin, static_cast<std::size_t>(last - begin)};
    p_ = stop == end_ ? end_ : stop + 1;
    return true;
}
