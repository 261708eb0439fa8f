#include "las/las_scanner.h"
#include "las/logging.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

std::vector<double> ScanAll(std::string_view line)
{
    std::vector<double> values;
    std::size_t pos = 0;
    double value = 0.0;
    while (ScanNextNumber(line, pos, value))
        values.push_back(value);
    return values;
}

}  // namespace

TEST(ScanNextNumber, TokenRules)
{
    EXPECT_EQ(ScanAll("1000.0 -999.25 55,5 1.2E3"), (std::vector<double>{1000.0, -999.25, 55.5, 1.2, 3.0}));
    // A lone sign is 0; ".5" and "5." keep their values; "+" is allowed.
    EXPECT_EQ(ScanAll("- .5 5. +7 -,25"), (std::vector<double>{0.0, 0.5, 5.0, 7.0, -0.25}));
    // Letters, tabs, hashes and a mark without a digit only separate.
    EXPECT_EQ(ScanAll("a1b\t2#3 . , x"), (std::vector<double>{1.0, 2.0, 3.0}));
    EXPECT_TRUE(ScanAll("").empty());
}

TEST(ScanNextNumber, CorrectlyRounded)
{
    // Digit-by-digit accumulation can miss these by one unit in the last
    // place, and a missed NULL is drawn as a real value.
    for (const char* text : {"-999.25", "0.1", "0.3", "2550.123456789", "-12345.67891", "1e0",
                             "123456789012345678901234567890.123456789", "0.000000000000000000000000001"}) {
        std::size_t pos = 0;
        double value = 0.0;
        ASSERT_TRUE(ScanNextNumber(text, pos, value));
        const std::string_view token(text);
        const double expected = std::strtod(std::string(token.substr(0, token.find('e'))).c_str(), nullptr);
        EXPECT_EQ(value, expected) << text;
    }
    std::size_t pos = 0;
    double huge = 0.0;
    const std::string tooLarge = std::string(400, '9');
    ASSERT_TRUE(ScanNextNumber(tooLarge, pos, huge));
    EXPECT_TRUE(std::isinf(huge));
}

TEST(ScanNextNumber, MatchesStrtodOnRandomTokens)
{
    // Tokens of 1 to 24 digits with and without a fraction, separated by
    // blanks or letters, so that runs end at every place of an 8-byte word.
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
            expected.push_back(std::strtod(token.c_str(), nullptr));
            text += token;
            text += next() % 2 ? " " : "x";
        }
        std::size_t pos = 0;
        for (const double want : expected) {
            double value = 0.0;
            ASSERT_TRUE(ScanNextNumber(text, pos, value)) << text;
            ASSERT_EQ(value, want) << text;
        }
    }
}

TEST(ScanDataLine, DepthIsDiscardedAndValuesFilled)
{
    std::vector<double> values(3);
    EXPECT_TRUE(ScanDataLine("1000.0\t-999.25  55,5 7", values));
    EXPECT_EQ(values, (std::vector<double>{-999.25, 55.5, 7.0}));
}

TEST(ScanDataLine, DepthElsewhereThanFirstIsSkippedInPlace)
{
    std::vector<double> values(2);
    EXPECT_TRUE(ScanDataLine("50 1000.0 2.3", values, 1));
    EXPECT_EQ(values, (std::vector<double>{50, 2.3}));
    EXPECT_TRUE(ScanDataLine("50 2.3 1000.0", values, 2));
    EXPECT_EQ(values, (std::vector<double>{50, 2.3}));
}

TEST(ScanDataLine, TooFewAndTooManyAreLoggedAsStored)
{
    RLogCollector log;
    std::vector<double> values(3);
    // The exponent's digits count as a further number.
    EXPECT_FALSE(ScanDataLine("1000.0 -999.25 55,5 1.2E3", values));
    EXPECT_EQ(values, (std::vector<double>{-999.25, 55.5, 1.2}));
    EXPECT_FALSE(ScanDataLine("1000.0 1 2", values));
    ASSERT_EQ(log.Messages.size(), 2u);
    EXPECT_EQ(log.Messages[0], "Слишком много данных в строке 1000.0 -999.25 55,5 1.2E3 секции Data");
    EXPECT_EQ(log.Messages[1], "Недостаточно данных в строке 1000.0 1 2 в секции Data");
    // Text after the values that holds no digit is fine.
    EXPECT_TRUE(ScanDataLine("1000 1 2 3 -- end", values));
}

TEST(ScanDataLine, OneCurveNeedsItsValueAndNoCurvesNeedOnlyTheDepth)
{
    RLogCollector log;
    std::vector<double> one(1, 42.0);
    // A line holding only the depth does not leave the old value in place.
    EXPECT_FALSE(ScanDataLine("1000.0", one));
    EXPECT_TRUE(ScanDataLine("1000.0 5", one));
    EXPECT_EQ(one[0], 5.0);

    std::vector<double> none;
    EXPECT_TRUE(ScanDataLine("1000.0", none));
    EXPECT_FALSE(ScanDataLine("1000.0 5", none));
    // A line without even a depth is short of numbers.
    EXPECT_FALSE(ScanDataLine("   ", none));
    EXPECT_EQ(log.Messages.size(), 3u);
}

TEST(ScanContinuationLine, FillsFromTheRunningCount)
{
    std::vector<double> values(5);
    std::size_t count = 0;
    EXPECT_TRUE(ScanContinuationLine("1 2 3", values, count));
    EXPECT_EQ(count, 3u);
    EXPECT_TRUE(ScanContinuationLine("4", values, count));
    EXPECT_TRUE(ScanContinuationLine("5 end", values, count));
    EXPECT_EQ(values, (std::vector<double>{1, 2, 3, 4, 5}));
    count = 3;
    RLogCollector log;
    EXPECT_FALSE(ScanContinuationLine("4 5 6", values, count));
    EXPECT_TRUE(log.Messages.empty());
}
