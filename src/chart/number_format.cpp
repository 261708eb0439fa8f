#include "chart/number_format.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* kMonthShort[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* kMonthLong[] = {"January", "February", "March",     "April",   "May",      "June",
                                      "July",    "August",   "September", "October", "November", "December"};
constexpr const char* kDayShort[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kDayLong[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// Days from 30 December 1899 (day 0 of the format's calendar) to 1 January 1970.
constexpr long long kEpochOffset = 25569;
// Day numbers of 1 January 0001 and 31 December 9999.
constexpr double kFirstDay = -693593, kLastDay = 2958465;

bool IsPlaceholder(char c) { return c == '0' || c == '#' || c == '?'; }
bool IsDateLetter(char c)
{
    const char lower = char(std::tolower(static_cast<unsigned char>(c)));
    return lower == 'd' || lower == 'm' || lower == 'y' || lower == 'h' || lower == 'n' || lower == 's';
}

// Civil date of a day count from 1 January 1970 (proleptic Gregorian).
void CivilFromDays(long long days, int& year, int& month, int& day)
{
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long mp = (5 * dayOfYear + 2) / 153;
    day = int(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(yearOfEra + era * 400 + (month <= 2));
}

std::string Padded(long long value, int width)
{
    char text[32];
    std::snprintf(text, sizeof text, "%0*lld", width, value);
    return text;
}

std::string GroupThousands(const std::string& digits)
{
    std::string grouped;
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            grouped += ',';
        grouped += digits[std::size_t(i)];
    }
    return grouped;
}

}  // namespace

RNumberFormat::RNumberFormat(std::string_view script) : script_(script) { Parse(); }

void RNumberFormat::SetScript(std::string_view script)
{
    script_ = std::string(script);
    Parse();
}

void RNumberFormat::Parse()
{
    sections_.clear();
    std::string_view script = script_;
    // "General" (or nothing): the value with up to ten decimals as needed.
    if (script.empty() || script == "General" || script == "general")
        script = "0.##########";
    std::size_t start = 0;
    bool quoted = false, bracket = false;
    for (std::size_t i = 0; i <= script.size(); ++i) {
        const char c = i < script.size() ? script[i] : ';';
        if (i < script.size()) {
            if (c == '"' && !bracket)
                quoted = !quoted;
            else if (!quoted && c == '[')
                bracket = true;
            else if (!quoted && c == ']')
                bracket = false;
            else if (!quoted && !bracket && c == '\\') {
                ++i;
                continue;
            }
        }
        if (c == ';' && !quoted && !bracket) {
            if (sections_.size() < 4)
                sections_.push_back(ParseSection(script.substr(start, i - start)));
            start = i + 1;
        }
    }
}

RNumberFormat::Section RNumberFormat::ParseSection(std::string_view text)
{
    Section section;
    auto literal = [&](std::string_view piece) {
        if (piece.empty())
            return;
        if (!section.tokens.empty() && section.tokens.back().kind == Token::Literal)
            section.tokens.back().text += piece;
        else
            section.tokens.push_back({Token::Literal, std::string(piece)});
    };
    std::string pattern;  // the number's placeholders, commas, point and exponent
    bool numberPlaced = false;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c == '"') {
            const std::size_t close = text.find('"', i + 1);
            const std::size_t end = close == std::string_view::npos ? n : close;
            literal(text.substr(i + 1, end - i - 1));
            i = end;
        } else if (c == '\\' && i + 1 < n) {
            literal(text.substr(++i, 1));
        } else if (c == '_' && i + 1 < n) {
            ++i;
            literal(" ");
        } else if (c == '*' && i + 1 < n) {
            ++i;  // fill character: labels are not padded
        } else if (c == '[') {
            const std::size_t close = text.find(']', i + 1);
            const std::size_t end = close == std::string_view::npos ? n : close;
            const std::string_view inside = text.substr(i + 1, end - i - 1);
            std::size_t opLength = 0;
            while (opLength < inside.size() && opLength < 2 && std::string_view("<>=").find(inside[opLength]) != std::string_view::npos)
                ++opLength;
            if (opLength > 0) {
                const std::string number(inside.substr(opLength));
                char* parsedEnd = nullptr;
                const double value = std::strtod(number.c_str(), &parsedEnd);
                if (parsedEnd != number.c_str()) {
                    section.hasCondition = true;
                    section.conditionOp = std::string(inside.substr(0, opLength));
                    section.conditionValue = value;
                }
            }
            i = end;
        } else if (IsPlaceholder(c) || ((c == '.' || c == ',') && (i + 1 < n && (IsPlaceholder(text[i + 1]) || text[i + 1] == ',' || text[i + 1] == '.')))
                   || ((c == '.' || c == ',') && !pattern.empty())) {
            if (!numberPlaced) {
                section.tokens.push_back({Token::Number, {}});
                numberPlaced = true;
            }
            pattern += c;
        } else if ((c == 'E' || c == 'e') && !pattern.empty() && i + 1 < n && (text[i + 1] == '+' || text[i + 1] == '-')) {
            section.exponent = true;
            section.exponentPlus = text[i + 1] == '+';
            i += 2;
            while (i < n && IsPlaceholder(text[i])) {
                ++section.exponentDigits;
                ++i;
            }
            --i;
        } else if (c == '%') {
            section.percent = true;
            literal("%");
        } else if (c == '@') {
            section.hasText = true;
            section.tokens.push_back({Token::TextPlaceholder, {}});
        } else if ((c == 'A' || c == 'a') && text.substr(i, 5).size() == 5
                   && (text.substr(i, 5) == "AM/PM" || text.substr(i, 5) == "am/pm")) {
            section.tokens.push_back({Token::DatePart, "ampm"});
            section.isDate = true;
            i += 4;
        } else if (IsDateLetter(c) && pattern.empty()) {
            std::size_t end = i;
            const char lower = char(std::tolower(static_cast<unsigned char>(c)));
            while (end < n && std::tolower(static_cast<unsigned char>(text[end])) == lower)
                ++end;
            section.tokens.push_back({Token::DatePart, std::string(end - i, lower)});
            section.isDate = true;
            i = end - 1;
        } else {
            literal(text.substr(i, 1));
        }
    }
    // Months that follow an hour, or precede seconds, are minutes.
    int lastDate = -1;
    for (int t = 0; t < int(section.tokens.size()); ++t) {
        Token& token = section.tokens[std::size_t(t)];
        if (token.kind != Token::DatePart)
            continue;
        if (token.text[0] == 's' && lastDate >= 0 && section.tokens[std::size_t(lastDate)].text[0] == 'm'
            && section.tokens[std::size_t(lastDate)].text.size() <= 2)
            section.tokens[std::size_t(lastDate)].text.replace(0, std::string::npos, section.tokens[std::size_t(lastDate)].text.size(), 'n');
        if (token.text[0] == 'm' && token.text.size() <= 2 && lastDate >= 0
            && section.tokens[std::size_t(lastDate)].text[0] == 'h')
            token.text.assign(token.text.size(), 'n');
        lastDate = t;
    }

    section.hasNumber = numberPlaced;
    if (section.hasNumber)
        section.isDate = false;
    const std::size_t point = pattern.find('.');
    std::string integerPart = pattern.substr(0, point);
    const std::string decimalPart = point == std::string::npos ? std::string() : pattern.substr(point + 1);
    while (!integerPart.empty() && integerPart.back() == ',') {
        ++section.thousandsScale;
        integerPart.pop_back();
    }
    for (char c : integerPart) {
        if (c == '0')
            ++section.integerZeros;
        else if (c == ',')
            section.grouping = true;
    }
    for (char c : decimalPart) {
        if (c == '0') {
            ++section.decimalsRequired;
            ++section.decimalsTotal;
        } else if (c == '#' || c == '?') {
            ++section.decimalsTotal;
        }
    }
    return section;
}

bool RNumberFormat::Matches(const Section& section, double value) const
{
    const double x = section.conditionValue;
    const std::string& op = section.conditionOp;
    if (op == "<")
        return value < x;
    if (op == "<=")
        return value <= x;
    if (op == ">")
        return value > x;
    if (op == ">=")
        return value >= x;
    if (op == "<>")
        return value != x;
    return value == x;
}

std::string RNumberFormat::Format(double value) const { return FormatWith(value, 0, false); }

std::string RNumberFormat::Format(double value, int minDecimals) const { return FormatWith(value, minDecimals, false); }

std::string RNumberFormat::FormatFixed(double value, int decimals) const { return FormatWith(value, decimals, true); }

int RNumberFormat::DecimalsTellingApart(double a, double b, int least, int most, bool fixed) const
{
    for (int decimals = least; decimals <= most; ++decimals)
        if (FormatWith(a, decimals, fixed) != FormatWith(b, decimals, fixed))
            return decimals;
    return least;
}

std::string RNumberFormat::FormatWith(double value, int minDecimals, bool fixed) const
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    if (sections_.empty())
        return {};
    const Section* section = &sections_[0];
    bool withSign = true;
    if (sections_[0].hasCondition) {
        if (Matches(sections_[0], value))
            section = &sections_[0];
        else if (sections_.size() > 1 && (!sections_[1].hasCondition || Matches(sections_[1], value)))
            section = &sections_[1];
        else if (sections_.size() > 2)
            section = &sections_[2];
    } else if (value < 0 && sections_.size() > 1 && !sections_[1].hasText) {
        section = &sections_[1];
        withSign = false;
        value = -value;
    } else if (value == 0 && sections_.size() > 2 && !sections_[2].hasText) {
        section = &sections_[2];
    }
    if (section->isDate)
        return FormatDate(*section, withSign ? value : -value);
    return FormatNumber(*section, value, withSign, minDecimals, fixed);
}

std::string RNumberFormat::FormatNumber(const Section& section, double value, bool withSign, int minDecimals,
                                        bool fixed) const
{
    std::string number;
    bool negative = false;
    if (section.hasNumber) {
        double magnitude = std::fabs(value);
        if (section.percent)
            magnitude *= 100;
        for (int k = 0; k < section.thousandsScale; ++k)
            magnitude /= 1000;
        int exponent = 0;
        if (section.exponent && magnitude > 0) {
            const int integerDigits = std::max(1, section.integerZeros);
            exponent = int(std::floor(std::log10(magnitude))) - (integerDigits - 1);
            magnitude /= std::pow(10.0, exponent);
        }
        // Half away from zero: nudge by a few units in the last place so
        // that 0.125 with two decimals gives 0.13, as a user reads it.
        const int asked = section.exponent || minDecimals <= 0
                              ? 0
                              : std::max(0, minDecimals - (section.percent ? 2 : 0) + 3 * section.thousandsScale);
        // Fixed: the asked decimals and the required ones, nothing optional.
        const int decimals = section.exponent || !fixed
                                 ? std::min(std::max(section.decimalsTotal, asked), 30)
                                 : std::min(std::max(section.decimalsRequired, asked), 30);
        const int kept = fixed && !section.exponent ? decimals : section.decimalsRequired;
        const double scale = std::pow(10.0, decimals);
        double scaled = magnitude * scale;
        if (scaled < 1e17)
            scaled = std::round(scaled * (1 + 4 * 2.220446049250313e-16));
        char buffer[400];
        if (scaled < 1e300)
            std::snprintf(buffer, sizeof buffer, "%.*f", decimals, scaled / scale);
        else
            std::snprintf(buffer, sizeof buffer, "%.0f", magnitude);
        std::string digits = buffer;
        const std::size_t point = digits.find('.');
        std::string integerDigits = digits.substr(0, point);
        std::string fraction = point == std::string::npos ? std::string() : digits.substr(point + 1);
        if (section.exponent && integerDigits.size() > std::size_t(std::max(1, section.integerZeros))) {
            // Rounding carried into a new digit (9.99 -> 10.0): shift once.
            ++exponent;
            magnitude /= 10;
            std::snprintf(buffer, sizeof buffer, "%.*f", decimals, magnitude);
            digits = buffer;
            const std::size_t p = digits.find('.');
            integerDigits = digits.substr(0, p);
            fraction = p == std::string::npos ? std::string() : digits.substr(p + 1);
        }
        negative = value < 0 && (integerDigits.find_first_not_of('0') != std::string::npos
                                 || fraction.find_first_not_of('0') != std::string::npos);
        while (int(fraction.size()) > kept && !fraction.empty() && fraction.back() == '0')
            fraction.pop_back();
        const std::size_t firstNonZero = integerDigits.find_first_not_of('0');
        integerDigits = firstNonZero == std::string::npos ? std::string() : integerDigits.substr(firstNonZero);
        while (int(integerDigits.size()) < section.integerZeros)
            integerDigits.insert(integerDigits.begin(), '0');
        number = section.grouping ? GroupThousands(integerDigits) : integerDigits;
        if (!fraction.empty())
            number += "." + fraction;
        if (section.exponent) {
            number += 'E';
            if (exponent < 0)
                number += '-';
            else if (section.exponentPlus)
                number += '+';
            number += Padded(std::abs(exponent), std::max(1, section.exponentDigits));
        }
    } else {
        negative = value < 0;
    }
    std::string out;
    if (negative && withSign)
        out += '-';
    for (const Token& token : section.tokens) {
        if (token.kind == Token::Literal)
            out += token.text;
        else if (token.kind == Token::Number)
            out += number;
    }
    return out;
}

std::string RNumberFormat::FormatDate(const Section& section, double value) const
{
    if (value < kFirstDay || value >= kLastDay + 1) {
        char text[64];
        std::snprintf(text, sizeof text, "%g", value);
        return text;
    }
    const double dayNumber = std::floor(value);
    long long milliseconds = std::llround((value - dayNumber) * 86400000.0);
    long long days = static_cast<long long>(dayNumber);
    if (milliseconds >= 86400000) {
        milliseconds -= 86400000;
        ++days;
    }
    int year = 0, month = 0, day = 0;
    CivilFromDays(days - kEpochOffset, year, month, day);
    const int weekday = int(((days - kEpochOffset) % 7 + 7 + 4) % 7);  // 1 Jan 1970 was a Thursday
    const long long seconds = milliseconds / 1000;
    const int hour = int(seconds / 3600), minute = int(seconds / 60 % 60), second = int(seconds % 60);
    const bool twelveHour = std::any_of(section.tokens.begin(), section.tokens.end(),
                                        [](const Token& t) { return t.kind == Token::DatePart && t.text == "ampm"; });
    std::string out;
    for (const Token& token : section.tokens) {
        if (token.kind == Token::Literal) {
            out += token.text;
            continue;
        }
        if (token.kind != Token::DatePart)
            continue;
        const std::string& part = token.text;
        const int width = int(part.size());
        switch (part[0]) {
        case 'd':
            out += width >= 4 ? kDayLong[weekday] : width == 3 ? kDayShort[weekday] : Padded(day, width);
            break;
        case 'm':
            out += width >= 4 ? kMonthLong[month - 1] : width == 3 ? kMonthShort[month - 1] : Padded(month, width);
            break;
        case 'y':
            out += width <= 2 ? Padded(year % 100, 2) : Padded(year, 4);
            break;
        case 'h': {
            const int shown = twelveHour ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
            out += Padded(shown, std::min(width, 2));
            break;
        }
        case 'n':
            out += Padded(minute, std::min(width, 2));
            break;
        case 's':
            out += Padded(second, std::min(width, 2));
            break;
        case 'a':
            out += hour < 12 ? "AM" : "PM";
            break;
        default:
            break;
        }
    }
    return out;
}

std::string RNumberFormat::FormatText(std::string_view text) const
{
    for (const Section& section : sections_) {
        if (!section.hasText)
            continue;
        std::string out;
        for (const Token& token : section.tokens) {
            if (token.kind == Token::Literal)
                out += token.text;
            else if (token.kind == Token::TextPlaceholder)
                out += text;
        }
        return out;
    }
    return std::string(text);
}
