#pragma once
// What real LAS files are forgiven, as data: every quirk the reader accepts
// is an entry of one of these tables, and each entry has a test.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace LasTolerance {

// Mnemonics that name an index (depth or time) curve. The first ~C entry is
// the index whatever its name; these only decide whether that is worth a
// message.
extern const std::span<const std::string_view> kDepthNames;

// The versions read, with how far a VERS value may stray from each.
struct VersionEntry {
    double number;
    std::string_view text;  // as written back: "2.0"
};
extern const std::span<const VersionEntry> kVersions;
constexpr double kVersionTolerance = 0.001;

// WRAP values that mean one sample spans several lines.
extern const std::span<const std::string_view> kWrapYes;

// DLM values of ~V and the byte that separates values; a blank stands for
// any run of blanks and tabs.
struct DelimiterEntry {
    std::string_view word;
    char delimiter;
};
extern const std::span<const DelimiterEntry> kDelimiters;
// Equal letters, case aside (ASCII): section names and DLM words are
// written in either case.
bool SameLetters(std::string_view a, std::string_view b);

// The delimiter a DLM value names; none for an unknown word. Case-insensitive.
std::optional<char> DelimiterFor(std::string_view word);
// The word written for a delimiter.
std::string_view DelimiterWord(char delimiter);

// Tokens met in place of numbers in real files. Every token that does not
// read as a number is a null sample; these are the ones the tests hold the
// reader to.
extern const std::span<const std::string_view> kTextNulls;

// Depths are regular when each lies within this share of a step of where an
// even grid puts it.
constexpr double kStepTolerance = 0.01;

}  // namespace LasTolerance
