#pragma once
// Scanners of the ASCII data section. A number is an optional sign, digits,
// and optionally a point or comma followed by digits; there is no exponent
// (1.5E+03 reads as 1.5 and 3). Every other character only separates
// numbers. A lone sign reads as 0; a point or comma without a digit next
// to it is a separator. Numbers are converted with correct rounding, so a
// null value written in the file equals the header's NULL exactly.

#include "las/las_problem.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

// An unwrapped data line: the depth and values.size() numbers in the order
// of the ~C lines. The depth, the number at `depthPosition` (normally the
// first), is read and discarded; the others fill `values` in order. Fails
// with a reported problem when the line holds fewer numbers, or when a digit
// follows the last one.
bool ScanDataLine(std::string_view line, std::span<double> values, std::size_t depthPosition = 0);

// ScanDataLine without the message, for scanners that report later.
enum class RDataLineResult { Ok, TooFew, TooMany };
RDataLineResult ScanDataLineQuietly(std::string_view line, std::span<double> values, std::size_t depthPosition = 0);
// The problem ScanDataLine reports for a failed line (TooFew or TooMany),
// with the line quoted and Count left for the caller.
RLasProblem DataLineProblem(RDataLineResult result, std::string_view line);
// Its Russian text; empty for Ok.
std::string DataLineMessage(RDataLineResult result, std::string_view line);
// A data line as messages quote it (QuoteForMessage).
std::string QuoteDataLine(std::string_view line);

// A line of a wrapped sample: fills values[count..] from the line's numbers
// until count reaches values.size() or the line ends. Fails (no message)
// when digits remain on the line after the values are complete.
bool ScanContinuationLine(std::string_view line, std::span<double> values, std::size_t& count);

// Reads the number that starts at `pos` or later; false when the line holds
// no further number. `pos` moves past the number.
bool ScanNextNumber(std::string_view line, std::size_t& pos, double& value);

// How many numbers ScanNextNumber would read from the line, one by one.
std::size_t CountNumbers(std::string_view line);
