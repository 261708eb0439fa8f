#pragma once
// The number forms of written LAS files. All use a point as decimal mark
// whatever the process locale, and are correctly rounded.

#include <cstddef>
#include <string>

// How a column's numbers are written: fixed with Decimals decimals, or in
// exponent form. Either way a written number reads back (with correct
// rounding) as the same double, bit for bit.
struct RLasNumberStyle {
    int Decimals = 4;
    bool Exponent = false;
};

namespace LasNumberFormat {

// Shortest form up to 15 significant digits, exponent form outside that
// range, upper-case E: 1000.5, 0.1, 1E-06, -999.25 (header values).
std::string General15(double value);

// Exactly four decimals, no grouping; a value that rounds to zero has no
// sign: -999.2500, 12345.6789, 0.0000 (unwrapped data).
void AppendFixed4(std::string& out, double value);
// The same into a buffer with room for kMaxFixed4Length characters;
// returns the end of what was written.
constexpr std::size_t kMaxFixed4Length = 330;
char* WriteFixed4(char* out, double value);

// Rounded to 8 significant digits, then written with exactly four decimals,
// never in exponent form: 12345.67891 gives 12345.6790 (wrapped data).
void AppendWrapped(std::string& out, double value);

// Styles take 0 to kMaxStyleDecimals decimals; others are clamped to that.
constexpr int kMaxStyleDecimals = 30;
// Room WriteStyled may need: a sign, the 309 integer digits of the largest
// double, the point and kMaxStyleDecimals decimals.
constexpr std::size_t kMaxStyledLength = 1 + 309 + 1 + kMaxStyleDecimals;

// A value in its column's style, for every finite double an exact form:
// - fixed: exactly style.Decimals decimals, correctly rounded, with no
//   point when there are none (-999.2500, 0.1251499951, -0.0000, 42), when
//   that text reads back as the value; otherwise the shortest exponent form
//   (12345.67891 with four decimals gives 1.234567891E+04).
// - exponent: the fewest mantissa digits that read back, upper-case E and
//   a signed exponent of at least two digits (6.459E+07, -2E-05, 0E+00).
// The sign of a negative zero stays. Infinities and NaN are written INF,
// -INF and NAN. Returns the end of what was written into `out`, which has
// room for kMaxStyledLength characters.
char* WriteStyled(char* out, double value, RLasNumberStyle style);
void AppendStyled(std::string& out, double value, RLasNumberStyle style);

}  // namespace LasNumberFormat
