#include "las/las_number_format.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

std::string Fixed4(double value)
{
    std::string out;
    LasNumberFormat::AppendFixed4(out, value);
    return out;
}

std::string Wrapped(double value)
{
    std::string out;
    LasNumberFormat::AppendWrapped(out, value);
    return out;
}

}  // namespace

TEST(LasNumberFormat, FixedFourDecimalsCorrectlyRounded)
{
    EXPECT_EQ(Fixed4(-999.25), "-999.2500");
    EXPECT_EQ(Fixed4(12345.67891), "12345.6789");
    EXPECT_EQ(Fixed4(1000.0), "1000.0000");
    // 2.00005 as a double lies just below the half, 0.00025 just above.
    EXPECT_EQ(Fixed4(2.00005), "2.0000");
    EXPECT_EQ(Fixed4(0.00025), "0.0003");
    // A value that rounds to zero has no sign.
    EXPECT_EQ(Fixed4(-0.00001), "0.0000");
    EXPECT_EQ(Fixed4(-0.0), "0.0000");
    EXPECT_EQ(Fixed4(1e12), "1000000000000.0000");
    EXPECT_EQ(Fixed4(-123456789.12345), "-123456789.1234");  // the double lies below the half
    // 1/32 is an exact tie at four decimals: it rounds to even like printf.
    EXPECT_EQ(Fixed4(0.03125), "0.0312");
    EXPECT_EQ(Fixed4(-0.03125), "-0.0312");
}

TEST(LasNumberFormat, FixedFourDecimalsMatchesPrintfOnManyValues)
{
    unsigned state = 7;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1103515245u + 12345u;
        const double value = (static_cast<int>(state >> 4) - (1 << 27)) / static_cast<double>(1 << (state % 24));
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.4f", value);
        std::string want = expected;
        if (want == "-0.0000")
            want = "0.0000";
        ASSERT_EQ(Fixed4(value), want) << value;
    }
}

TEST(LasNumberFormat, GeneralFifteenDigits)
{
    EXPECT_EQ(LasNumberFormat::General15(1000.0), "1000");
    EXPECT_EQ(LasNumberFormat::General15(0.1), "0.1");
    EXPECT_EQ(LasNumberFormat::General15(-999.25), "-999.25");
    EXPECT_EQ(LasNumberFormat::General15(1e-6), "1E-06");
    EXPECT_EQ(LasNumberFormat::General15(1e15), "1E+15");
    EXPECT_EQ(LasNumberFormat::General15(123456789012345.0), "123456789012345");
    EXPECT_EQ(LasNumberFormat::General15(1.0 / 3.0), "0.333333333333333");
}

TEST(LasNumberFormat, WrappedEightSignificantDigitsFourDecimals)
{
    EXPECT_EQ(Wrapped(12345.67891), "12345.6790");
    EXPECT_EQ(Wrapped(-999.25), "-999.2500");
    EXPECT_EQ(Wrapped(123456789.0), "123456790.0000");
    EXPECT_EQ(Wrapped(1e-7), "0.0000");
    EXPECT_EQ(Wrapped(0.0), "0.0000");
}
