#pragma once
// The number forms of written LAS files. All use a point as decimal mark
// whatever the process locale, and are correctly rounded.

#include <cstddef>
#include <string>

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

}  // namespace LasNumberFormat
