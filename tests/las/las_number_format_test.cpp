#include "las/las_number_format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

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

std::string Styled(double value, int decimals, bool exponent = false)
{
    std::string out;
    LasNumberFormat::AppendStyled(out, value, RLasNumberStyle{decimals, exponent});
    return out;
}

// The text read back as a correctly rounding reader does; the whole text
// must be one number.
bool ReadsBackAs(const std::string& text, double value)
{
    double readBack = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), readBack);
    return result.ec == std::errc{} && result.ptr == text.data() + text.size()
           && std::memcmp(&readBack, &value, sizeof value) == 0;
}

// The same forms by other means: printf's fixed form when it reads back,
// otherwise the library's shortest exponent form with an upper-case E.
std::string ExpectedStyled(double value, RLasNumberStyle style)
{
    if (!style.Exponent) {
        char fixed[400];
        std::snprintf(fixed, sizeof fixed, "%.*f", style.Decimals, value);
        if (ReadsBackAs(fixed, value))
            return fixed;
    }
    char exponent[64];
    std::string text(exponent,
                     std::to_chars(exponent, exponent + sizeof exponent, value, std::chars_format::scientific).ptr);
    for (char& c : text)
        if (c == 'e')
            c = 'E';
    return text;
}

// Doubles of every sign and magnitude from 1e-12 to 1e15, with 0 to 17
// significant digits, so that every style meets values that fit it and
// values that do not; and now and then any finite double at all.
class RValueSource {
public:
    double Next()
    {
        const int exponent = static_cast<int>(m_random() % 28) - 12;
        double value;
        switch (m_random() % 8) {
        case 0:  // any double of that magnitude
            value = std::ldexp(static_cast<double>(m_random() >> 11), -53) * std::pow(10.0, exponent);
            break;
        case 1:
        case 2: {  // a few significant digits
            const int digits = static_cast<int>(m_random() % 10);
            value = static_cast<double>(m_random() % static_cast<std::uint64_t>(std::pow(10.0, digits) + 1))
                    * std::pow(10.0, exponent - digits);
            break;
        }
        case 3:  // any bit pattern but infinities and NaN
            do {
                const std::uint64_t bits = m_random();
                std::memcpy(&value, &bits, sizeof value);
            } while (!std::isfinite(value));
            break;
        default:  // data with a few decimals, as logs hold
            value = static_cast<double>(m_random() % 1000000000) / std::pow(10.0, m_random() % 8);
            break;
        }
        return m_random() % 2 ? -value : value;
    }

private:
    std::mt19937_64 m_random{20240611};
};

std::uint64_t Bits(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
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

TEST(LasNumberStyle, TypicalLogValues)
{
    EXPECT_EQ(Styled(-999.25, 4), "-999.2500");
    EXPECT_EQ(Styled(1000.1, 4), "1000.1000");
    EXPECT_EQ(Styled(0.1251499951, 10), "0.1251499951");
    EXPECT_EQ(Styled(12345.67891, 5), "12345.67891");
    // Four decimals lose digits of these, so they keep them in exponent form.
    EXPECT_EQ(Styled(12345.67891, 4), "1.234567891E+04");
    EXPECT_EQ(Styled(0.1251499951, 4), "1.251499951E-01");
    EXPECT_EQ(Styled(1.0 / 3.0, 4), "3.333333333333333E-01");
    // More decimals than the value needs are written out.
    EXPECT_EQ(Styled(2.5, 6), "2.500000");
    EXPECT_EQ(Styled(0.1, 20), "0.10000000000000000555");
}

TEST(LasNumberStyle, ExponentForm)
{
    EXPECT_EQ(Styled(6.459e7, 4, true), "6.459E+07");
    EXPECT_EQ(Styled(-2e-5, 4, true), "-2E-05");
    EXPECT_EQ(Styled(-999.25, 0, true), "-9.9925E+02");
    EXPECT_EQ(Styled(1.0, 4, true), "1E+00");
    EXPECT_EQ(Styled(0.0, 4, true), "0E+00");
    EXPECT_EQ(Styled(-0.0, 4, true), "-0E+00");
    EXPECT_EQ(Styled(1e100, 4, true), "1E+100");
    EXPECT_EQ(Styled(0.1 + 0.2, 4, true), "3.0000000000000004E-01");
}

TEST(LasNumberStyle, ZeroKeepsItsSign)
{
    EXPECT_EQ(Styled(0.0, 4), "0.0000");
    EXPECT_EQ(Styled(-0.0, 4), "-0.0000");
    EXPECT_EQ(Styled(-0.0, 0), "-0");
    // Tiny values are not written as zero.
    EXPECT_EQ(Styled(-1e-20, 4), "-1E-20");
    EXPECT_EQ(Styled(4e-5, 4), "4E-05");
    // The fixed-4 form of unwrapped data still drops the sign.
    EXPECT_EQ(Fixed4(-0.0), "0.0000");
}

TEST(LasNumberStyle, NoDecimals)
{
    EXPECT_EQ(Styled(42.0, 0), "42");
    EXPECT_EQ(Styled(-7.0, 0), "-7");
    EXPECT_EQ(Styled(1e15, 0), "1000000000000000");
    // Halves are exact ties of the fixed form, which does not keep them.
    EXPECT_EQ(Styled(2.5, 0), "2.5E+00");
    EXPECT_EQ(Styled(0.5, 0), "5E-01");
    EXPECT_EQ(Styled(0.03125, 4), "3.125E-02");
    EXPECT_EQ(Styled(0.03125, 5), "0.03125");
}

TEST(LasNumberStyle, HugeAndTinyValues)
{
    const double largest = std::numeric_limits<double>::max();
    const double smallest = std::numeric_limits<double>::denorm_min();
    const std::string longest = Styled(-largest, LasNumberFormat::kMaxStyleDecimals);
    EXPECT_EQ(longest.size(), LasNumberFormat::kMaxStyledLength);
    EXPECT_EQ(longest, ExpectedStyled(-largest, RLasNumberStyle{30, false}));
    EXPECT_EQ(Styled(1e300, 4), ExpectedStyled(1e300, RLasNumberStyle{4, false}));
    // Integers from 2^53 up are exact in fixed form.
    EXPECT_EQ(Styled(std::ldexp(1.0, 60), 2), "1152921504606846976.00");
    EXPECT_EQ(Styled(smallest, 4), "5E-324");
    EXPECT_EQ(Styled(-smallest, 30), "-5E-324");
    EXPECT_EQ(Styled(std::numeric_limits<double>::min(), 4), "2.2250738585072014E-308");
    EXPECT_EQ(Styled(largest, 4, true), "1.7976931348623157E+308");
}

TEST(LasNumberStyle, NotFiniteAndOutOfRangeDecimals)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Styled(inf, 4), "INF");
    EXPECT_EQ(Styled(-inf, 4, true), "-INF");
    EXPECT_EQ(Styled(std::nan(""), 30), "NAN");
    // Decimals are clamped to 0..30, so the buffer bound holds.
    EXPECT_EQ(Styled(3.0, -5), "3");
    EXPECT_EQ(Styled(0.5, 1000), "0.500000000000000000000000000000");
    char buffer[LasNumberFormat::kMaxStyledLength];
    const char* end = LasNumberFormat::WriteStyled(buffer, -std::numeric_limits<double>::max(), RLasNumberStyle{99});
    EXPECT_EQ(static_cast<std::size_t>(end - buffer), LasNumberFormat::kMaxStyledLength);
}

// Data with four decimals is written as before, now with its sign kept.
TEST(LasNumberStyle, FourDecimalDataAsFixedFour)
{
    std::mt19937_64 random(77);
    for (int i = 0; i < 300000; ++i) {
        const double value = static_cast<double>(static_cast<std::int64_t>(random() % 4000000000) - 2000000000) / 1e4;
        char fixed4[LasNumberFormat::kMaxFixed4Length];
        char styled[LasNumberFormat::kMaxStyledLength];
        const std::string want(fixed4, LasNumberFormat::WriteFixed4(fixed4, value));
        ASSERT_EQ(std::string(styled, LasNumberFormat::WriteStyled(styled, value, RLasNumberStyle{})), want) << value;
    }
}

TEST(LasNumberStyle, RandomValuesReadBackBitForBit)
{
    RValueSource source;
    char text[LasNumberFormat::kMaxStyledLength];
    for (int i = 0; i < 2000000; ++i) {
        const double value = source.Next();
        const RLasNumberStyle style{i % 19, i % 19 == 18};
        const std::string written(text, LasNumberFormat::WriteStyled(text, value, style));
        ASSERT_TRUE(ReadsBackAs(written, value)) << written << " for " << Bits(value);
        // Idempotent: the read-back value writes the same text.
        double readBack = 0.0;
        std::from_chars(written.data(), written.data() + written.size(), readBack);
        ASSERT_EQ(std::string(text, LasNumberFormat::WriteStyled(text, readBack, style)), written);
    }
}

TEST(LasNumberStyle, RandomValuesMatchPrintfOrShortestExponent)
{
    RValueSource source;
    std::mt19937_64 random(5);
    for (int i = 0; i < 300000; ++i) {
        const RLasNumberStyle style{static_cast<int>(random() % 31), random() % 8 == 0};
        const double value = source.Next();
        ASSERT_EQ(Styled(value, style.Decimals, style.Exponent), ExpectedStyled(value, style))
            << Bits(value) << " in " << style.Decimals;
    }
}
