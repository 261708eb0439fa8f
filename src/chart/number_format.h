#pragma once
// RNumberFormat: spreadsheet-style format scripts that turn axis values into
// label text.
//
// A script has up to four sections separated by ";": positive, negative,
// zero, text. With one section it serves every number and a negative value
// gets a leading "-"; an explicit negative section shows the value without
// its sign. A section may start with a condition ("[>=100]") and may name a
// colour ("[Red]", ignored: labels take the axis colour).
//
// Number sections: "0" is a digit always shown, "#" (and "?") a digit shown
// only when significant, "," between integer digits groups thousands, ","
// right after the last integer digit divides by 1000, "." starts the
// decimals ("0.0##": at least one, at most three; trailing zeros beyond the
// required ones are dropped, and the point with them when none is left),
// "%" multiplies by 100, "E+00" writes an exponent. Text in quotes, after a
// backslash, and other characters (spaces, "$", "(", ")") are copied.
// Values are rounded half away from zero at the last shown decimal.
//
// Date sections ("dd/mm/yyyy", "hh:nn:ss"): the value is a day count from
// 30 December 1899, its fraction the time of day. d dd ddd dddd, m mm mmm
// mmmm (minutes when it follows an hour), yy yyyy, h hh, n nn, s ss, AM/PM.
//
// "@" is the text placeholder of the text section.
//
// Non-finite values read "NAN", "INF" and "-INF". Dates outside years
// 1..9999 are written as plain numbers.

#include <string>
#include <string_view>
#include <vector>

class RNumberFormat {
public:
    explicit RNumberFormat(std::string_view script = "#,##0.0##");

    const std::string& Script() const { return script_; }
    void SetScript(std::string_view script);

    // A number (or a date, when the chosen section is a date section).
    std::string Format(double value) const;
    // The same with at least `minDecimals` decimals of the value itself
    // available: the section's optional decimals are extended, so trailing
    // zeros beyond its required ones are still dropped ("#,##0" with 3
    // gives 0.001 and 1,000). Percent and thousands scaling are counted in
    // ("0%" with 3 gives 0.1%); exponent sections are left as they are.
    std::string Format(double value, int minDecimals) const;
    // The same with every asked decimal shown, zeros included, and no
    // optional one beyond them: `decimals` exactly, or the section's
    // required ones when it has more ("#,##0.0##" with 2 gives 1.00, 0.25
    // and 0.13 for 0.125; with 0 gives 5.0). Labels of one axis so share
    // their number of decimals.
    std::string FormatFixed(double value, int decimals) const;
    // The fewest decimals from `least` up to `most` with which `a` and `b`
    // read apart (through Format, or FormatFixed when `fixed`); `least`
    // when no number of decimals up to `most` tells them apart.
    int DecimalsTellingApart(double a, double b, int least, int most, bool fixed) const;
    // A text through the text section ("@"); the text itself without one.
    std::string FormatText(std::string_view text) const;

private:
    struct Token {
        enum Kind { Literal, Number, TextPlaceholder, DatePart } kind = Literal;
        std::string text;  // literal text, or the date part's letters ("dd", "mmm", "ampm")
    };
    struct Section {
        std::vector<Token> tokens;
        bool hasNumber = false, isDate = false, hasText = false;
        // Number pattern.
        int integerZeros = 0;
        bool grouping = false;
        int decimalsRequired = 0, decimalsTotal = 0;
        int thousandsScale = 0;
        bool percent = false;
        bool exponent = false, exponentPlus = false;
        int exponentDigits = 0;
        // Condition ("[>=100]").
        bool hasCondition = false;
        std::string conditionOp;
        double conditionValue = 0;
    };

    void Parse();
    static Section ParseSection(std::string_view text);
    bool Matches(const Section& section, double value) const;
    std::string FormatWith(double value, int minDecimals, bool fixed) const;
    std::string FormatNumber(const Section& section, double value, bool withSign, int minDecimals, bool fixed) const;
    std::string FormatDate(const Section& section, double value) const;

    std::string script_;
    std::vector<Section> sections_;
};
