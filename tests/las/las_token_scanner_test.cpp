#include "las/las_token_scanner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Scanned {
    std::vector<double> numbers;  // NaN stands for a text token
    std::vector<std::string> texts;
};

Scanned ScanAll(std::string_view line, char delimiter = ' ')
{
    Scanned scanned;
    RLasTokenScanner tokens(line, delimiter);
    for (RLasToken token; tokens.Next(token);) {
        scanned.numbers.push_back(token.IsNumber ? token.Value : std::nan(""));
        scanned.texts.emplace_back(token.Text);
    }
    return scanned;
}

bool IsNumberToken(std::string_view text)
{
    RLasToken token;
    return RLasTokenScanner::ReadNumber(text, true, token);
}

}  // namespace

TEST(TokenScanner, ANumberIsAWholeTokenAnythingElseIsText)
{
    const Scanned scanned = ScanAll("1000.0 -999.25 55,5 1.2E3 0.6459E+08 1e-5 +7 .5 5.");
    EXPECT_EQ(scanned.numbers, (std::vector<double>{1000.0, -999.25, 55.5, 1200.0, 64590000.0, 1e-5, 7.0, 0.5, 5.0}));
    // Every token met in real files in place of a number is text, whole.
    for (const char* text : {"ERR", "NaN", "nan", "inf", "-", "+", "1.#INF", "-1.#IND", "***", "N/A", "1.2.3", "1e",
                             "1e+", "--1", "12a", "0x10", ".", ","})
        EXPECT_FALSE(IsNumberToken(text)) << text;
    const Scanned text = ScanAll("1 ERR 1.#INF\t-");
    EXPECT_EQ(text.texts, (std::vector<std::string>{"1", "ERR", "1.#INF", "-"}));
    EXPECT_TRUE(std::isnan(text.numbers[1]));
    EXPECT_TRUE(ScanAll("").numbers.empty());
    EXPECT_TRUE(ScanAll(" \t \r").numbers.empty());
}

TEST(TokenScanner, QuotedStringsAreOneTokenEvenWithBlanksOrDelimiters)
{
    EXPECT_EQ(ScanAll("1 \"NO DATA\" 3").texts, (std::vector<std::string>{"1", "\"NO DATA\"", "3"}));
    EXPECT_EQ(ScanAll("1,\"DOLOMITE, VUGGY\",3", ',').texts,
              (std::vector<std::string>{"1", "\"DOLOMITE, VUGGY\"", "3"}));
    // An unclosed quote runs to the end of the line.
    EXPECT_EQ(ScanAll("1 \"open 2 3").texts, (std::vector<std::string>{"1", "\"open 2 3"}));
}

TEST(TokenScanner, DelimitedValuesTrimBlanksAndEmptyValuesAreTokens)
{
    const Scanned comma = ScanAll(" 1.5 , 2,,DOLOMITE WI/VUGS , 4 ,", ',');
    EXPECT_EQ(comma.texts, (std::vector<std::string>{"1.5", "2", "", "DOLOMITE WI/VUGS", "4"}));
    EXPECT_EQ(comma.numbers[0], 1.5);
    // With commas between values a comma is no decimal mark.
    EXPECT_EQ(ScanAll("1,5", ',').numbers, (std::vector<double>{1, 5}));
    const Scanned tab = ScanAll("1\t\t3,5", '\t');
    EXPECT_EQ(tab.texts, (std::vector<std::string>{"1", "", "3,5"}));
    EXPECT_EQ(tab.numbers[2], 3.5);
}

TEST(TokenScanner, CorrectlyRoundedWithTheFormTheFileUsed)
{
    // Digit-by-digit accumulation can miss these by one unit in the last
    // place, and a missed NULL is drawn as a real value.
    for (const char* text : {"-999.25", "0.1", "0.3", "2550.123456789", "-12345.67891", "1e0", "1.7976931348623157E+308",
                             "123456789012345678901234567890.123456789", "0.000000000000000000000000001",
                             "4.9406564584124654E-324", "9007199254740993", "1.45E+12", "-0.0"}) {
        RLasToken token;
        ASSERT_TRUE(RLasTokenScanner::ReadNumber(text, true, token)) << text;
        EXPECT_EQ(std::signbit(token.Value), std::signbit(std::strtod(text, nullptr))) << text;
        EXPECT_EQ(token.Value, std::strtod(text, nullptr)) << text;
    }
    RLasToken token;
    ASSERT_TRUE(RLasTokenScanner::ReadNumber(std::string(400, '9'), true, token));
    EXPECT_TRUE(std::isinf(token.Value));
    ASSERT_TRUE(RLasTokenScanner::ReadNumber("-1e400", true, token));
    EXPECT_EQ(token.Value, -HUGE_VAL);
    ASSERT_TRUE(RLasTokenScanner::ReadNumber("1e-400", true, token));
    EXPECT_EQ(token.Value, 0.0);
    ASSERT_TRUE(RLasTokenScanner::ReadNumber("0.00000000001e-400", true, token));
    EXPECT_EQ(token.Value, 0.0);
    ASSERT_TRUE(RLasTokenScanner::ReadNumber("12.3450", true, token));
    EXPECT_EQ(token.Decimals, 4);
    EXPECT_FALSE(token.Exponent);
    ASSERT_TRUE(RLasTokenScanner::ReadNumber("1.5E+03", true, token));
    EXPECT_TRUE(token.Exponent);
}

TEST(TokenScanner, MatchesStrtodOnRandomTokens)
{
    // Tokens of 1 to 24 digits with and without a fraction or exponent, so
    // that digit runs end at every place of an 8-byte word.
    unsigned state = 99;
    auto next = [&] { return state = state * 1103515245u + 12345u, state >> 8; };
    for (int line = 0; line < 20000; ++line) {
        std::string text;
        std::vector<double> expected;
        for (int k = 0; k < 6; ++k) {
            std::string token;
            if (next() % 3 == 0)
                token += '-';
            const unsigned intDigits = 1 + next() % 12, fracDigits = next() % 13;
            for (unsigned i = 0; i < intDigits; ++i)
                token += static_cast<char>('0' + next() % 10);
            if (fracDigits > 0) {
                token += '.';
                for (unsigned i = 0; i < fracDigits; ++i)
                    token += static_cast<char>('0' + next() % 10);
            }
            if (next() % 4 == 0)
                token += "E" + std::to_string(static_cast<int>(next() % 61) - 30);
            expected.push_back(std::strtod(token.c_str(), nullptr));
            text += token;
            text += next() % 2 ? " " : "\t";
        }
        RLasTokenScanner tokens(text, ' ');
        for (const double want : expected) {
            RLasToken token;
            ASSERT_TRUE(tokens.Next(token)) << text;
            ASSERT_TRUE(token.IsNumber) << text;
            ASSERT_EQ(token.Value, want) << text;
        }
    }
}
