#include "las/las_tolerance.h"

#include <array>
#include <cctype>

namespace LasTolerance {

namespace {

// One entry a line: C++ joins adjacent literals silently when a comma is missing.
constexpr std::array<std::string_view, 4> kDepthNameTable = {
    "DEPT",
    "DEPTH",
    "TIME",
    "BOREHOLE-DEPTH",
};

constexpr std::array<VersionEntry, 3> kVersionTable = {{
    {1.2, "1.2"},
    {2.0, "2.0"},
    {3.0, "3.0"},
}};

constexpr std::array<std::string_view, 1> kWrapYesTable = {
    "YES",
};

constexpr std::array<DelimiterEntry, 3> kDelimiterTable = {{
    {"SPACE", ' '},
    {"COMMA", ','},
    {"TAB", '\t'},
}};

constexpr std::array<std::string_view, 10> kTextNullTable = {
    "ERR",
    "NaN",
    "nan",
    "-",
    "1.#INF",
    "-1.#IND",
    "***",
    "N/A",
    "\"\"",
    "\"NO DATA\"",
};

}  // namespace

bool SameLetters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

const std::span<const std::string_view> kDepthNames{kDepthNameTable};
const std::span<const VersionEntry> kVersions{kVersionTable};
const std::span<const std::string_view> kWrapYes{kWrapYesTable};
const std::span<const DelimiterEntry> kDelimiters{kDelimiterTable};
const std::span<const std::string_view> kTextNulls{kTextNullTable};

std::optional<char> DelimiterFor(std::string_view word)
{
    for (const DelimiterEntry& entry : kDelimiters)
        if (SameLetters(entry.word, word))
            return entry.delimiter;
    return std::nullopt;
}

std::string_view DelimiterWord(char delimiter)
{
    for (const DelimiterEntry& entry : kDelimiters)
        if (entry.delimiter == delimiter)
            return entry.word;
    return "SPACE";
}

}  // namespace LasTolerance
