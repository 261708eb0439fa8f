#pragma once
// The line syntax of LAS header sections: MNEM.UNIT DATA : DESCRIPTION,
// header numbers and the depth mnemonics. Text is 8-bit bytes, compared
// exactly and case-sensitively.

#include <cstdint>
#include <string>
#include <string_view>

enum class RLasLineStatus : std::uint8_t { Parsed, NoMoreLines, SyntaxError };

// One header line MNEM.UNIT DATA : DESCRIPTION, split.
struct RLasSectionLine {
    std::string Mnem;
    std::string Unit;
    std::string Data;
    std::string Description;
    // LAS 3.0: the "{format}" and "| association" parts after the
    // description, kept as they stand and written back after it.
    std::string Tail;
    RLasLineStatus Status = RLasLineStatus::Parsed;
};

// Moves a LAS 3.0 line's "{format}" and "| association" parts out of its
// description into Tail.
void SplitFormatTail(RLasSectionLine& line);

// Splits MNEM.UNIT DATA : DESCRIPTION at the first dot, the first blank
// (space or tab) after it and the last colon. Status NoMoreLines for an
// empty line, SyntaxError (logged) when a separator is missing.
RLasSectionLine ParseLine(std::string_view line);

// Removes spaces, tabs and other control characters (bytes up to 0x20) at
// both ends; bytes of Windows-1251 letters are kept.
std::string_view TrimBlanks(std::string_view text);

// A header number: optional blanks and sign, digits with `separator` as the
// decimal mark, optional exponent, nothing else. False leaves `value` as is.
bool ParseHeaderNumber(std::string_view text, char separator, double& value);
// Point first, then comma.
bool ParseHeaderNumber(std::string_view text, double& value);

// True for the mnemonics that name a depth (index) curve.
bool IsDepthMnemonic(std::string_view mnemonic);
