#include "las/las_line_syntax.h"

#include "las/las_problem.h"
#include "las/las_tolerance.h"

#include <algorithm>

#include <charconv>
#include <system_error>

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void ReportLine(RLasProblemKind kind, std::string_view line)
{
    Report({.Kind = kind, .Line = QuoteForMessage(line)});
}

}  // namespace

std::string_view TrimBlanks(std::string_view text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

RLasSectionLine ParseLine(std::string_view line)
{
    RLasSectionLine result;
    if (line.empty()) {
        result.Status = RLasLineStatus::NoMoreLines;
        return result;
    }
    result.Status = RLasLineStatus::SyntaxError;
    const std::size_t dot = line.find('.');
    if (dot == std::string_view::npos) {
        ReportLine(RLasProblemKind::NoDot, line);
        return result;
    }
    result.Mnem = TrimBlanks(line.substr(0, dot));
    const std::size_t colon = line.rfind(':');
    if (colon == std::string_view::npos) {
        ReportLine(RLasProblemKind::NoColon, line);
        return result;
    }
    const std::size_t space = line.find_first_of(" \t", dot + 1);
    if (space == std::string_view::npos || space > colon) {
        ReportLine(RLasProblemKind::NoSpaceBeforeColon, line);
        return result;
    }
    result.Unit = line.substr(dot + 1, space - dot - 1);
    result.Data = TrimBlanks(line.substr(space + 1, colon - space - 1));
    result.Description = TrimBlanks(line.substr(colon + 1));
    result.Status = RLasLineStatus::Parsed;
    return result;
}

bool ParseHeaderNumber(std::string_view text, char separator, double& value)
{
    text = TrimBlanks(text);
    std::string token;
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        if (text[pos] == '-')
            token += '-';
        ++pos;
    }
    std::size_t digits = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        token += text[pos++];
        ++digits;
    }
    if (pos < text.size() && text[pos] == separator) {
        token += '.';
        ++pos;
        while (pos < text.size() && IsDigit(text[pos])) {
            token += text[pos++];
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        token += 'e';
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
            token += text[pos++];
        std::size_t exponentDigits = 0;
        while (pos < text.size() && IsDigit(text[pos])) {
            token += text[pos++];
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    if (pos != text.size())
        return false;
    double parsed = 0.0;
    const auto result = std::from_chars(token.data(), token.data() + token.size(), parsed);
    if (result.ec != std::errc() || result.ptr != token.data() + token.size())
        return false;
    value = parsed;
    return true;
}

bool ParseHeaderNumber(std::string_view text, double& value)
{
    return ParseHeaderNumber(text, '.', value) || ParseHeaderNumber(text, ',', value);
}

bool IsDepthMnemonic(std::string_view mnemonic)
{
    return std::find(LasTolerance::kDepthNames.begin(), LasTolerance::kDepthNames.end(), mnemonic)
           != LasTolerance::kDepthNames.end();
}

void SplitFormatTail(RLasSectionLine& line)
{
    const std::size_t at = line.Description.find_first_of("{|");
    if (at == std::string::npos)
        return;
    line.Tail = TrimBlanks(std::string_view(line.Description).substr(at));
    line.Description = TrimBlanks(std::string_view(line.Description).substr(0, at));
}
