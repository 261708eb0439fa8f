// Label texts of the scripts the axes use, and the spreadsheet rules around them.

#include "chart/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::string Format(const char* script, double value) { return RNumberFormat(script).Format(value); }

}  // namespace

TEST(NumberFormat, DefaultAxisScriptShowsOneToThreeDecimals)
{
    EXPECT_EQ(Format("#,##0.0##", 1234.5), "1,234.5");
    EXPECT_EQ(Format("#,##0.0##", 1000), "1,000.0");
    EXPECT_EQ(Format("#,##0.0##", 0.12345), "0.123");
    EXPECT_EQ(Format("#,##0.0##", 2.1004), "2.1");
    EXPECT_EQ(Format("#,##0.0##", -1234567.25), "-1,234,567.25");
}

TEST(NumberFormat, FixedDecimalsFromTheComposer)
{
    EXPECT_EQ(Format("#,##0.000", 0.25), "0.250");
    EXPECT_EQ(Format("#,##0.0", 12.345), "12.3");
    EXPECT_EQ(Format("#,##0.00", 1999.999), "2,000.00");
    EXPECT_EQ(Format("#,##0", 1234567.89), "1,234,568");
    EXPECT_EQ(Format("#,##0", 999), "999");
    // A point with no decimal digits after it is not written.
    EXPECT_EQ(Format("#,##0.", 12.6), "13");
}

TEST(NumberFormat, RoundsHalfAwayFromZeroAndNeverWritesMinusZero)
{
    EXPECT_EQ(Format("#,##0", 2.5), "3");
    EXPECT_EQ(Format("#,##0", -2.5), "-3");
    EXPECT_EQ(Format("0.00", 0.125), "0.13");
    EXPECT_EQ(Format("0.00", 1.005), "1.01");
    EXPECT_EQ(Format("#,##0", -0.2), "0");
    EXPECT_EQ(Format("#,##0.0##", -0.00001), "0.0");
}

TEST(NumberFormat, OptionalIntegerDigitsAndLiterals)
{
    EXPECT_EQ(Format("#.##", 0.25), ".25");
    EXPECT_EQ(Format("000", 7), "007");
    EXPECT_EQ(Format("0.0 \"m\"", 12.34), "12.3 m");
    EXPECT_EQ(Format("$#,##0", 1500), "$1,500");
    EXPECT_EQ(Format("0.0%", 0.256), "25.6%");
    EXPECT_EQ(Format("#,##0,", 1234567), "1,235");
    EXPECT_EQ(Format("0.00E+00", 12345), "1.23E+04");
    EXPECT_EQ(Format("0.00E+00", 0.000999999), "1.00E-03");
}

TEST(NumberFormat, AskedDecimalsExtendTheOptionalOnes)
{
    const RNumberFormat whole("#,##0");
    EXPECT_EQ(whole.Format(0.001, 3), "0.001");
    EXPECT_EQ(whole.Format(1000, 3), "1,000");  // trailing zeros still dropped
    EXPECT_EQ(whole.Format(0.0004, 3), "0");
    const RNumberFormat fixed("#,##0.000");
    EXPECT_EQ(fixed.Format(0.2001, 4), "0.2001");
    EXPECT_EQ(fixed.Format(0.2001, 2), "0.200");  // fewer than the script: the script's
    EXPECT_EQ(fixed.Format(-0.00005, 5), "-0.00005");
    // Scaling counts in: a value decimal is one less of a percent, three more of thousands.
    EXPECT_EQ(RNumberFormat("0%").Format(0.001, 3), "0.1%");
    EXPECT_EQ(RNumberFormat("#,##0,").Format(1234567, 0), "1,235");
    EXPECT_EQ(RNumberFormat("#,##0,").Format(1234567.5, 1), "1,234.5675");
    // Exponents already show the significant digits.
    EXPECT_EQ(RNumberFormat("0.00E+00").Format(0.00012345, 6), "1.23E-04");
}

TEST(NumberFormat, FixedDecimalsKeepTheirZerosAndDropOptionalDigits)
{
    const RNumberFormat axis("#,##0.0##");
    EXPECT_EQ(axis.FormatFixed(1, 2), "1.00");
    EXPECT_EQ(axis.FormatFixed(0.25, 2), "0.25");
    EXPECT_EQ(axis.FormatFixed(0.125, 2), "0.13");  // the optional third decimal is not shown
    EXPECT_EQ(axis.FormatFixed(5, 0), "5.0");       // the script's required decimal stays
    EXPECT_EQ(axis.FormatFixed(-1500, 1), "-1,500.0");
    const RNumberFormat whole("#,##0");
    EXPECT_EQ(whole.FormatFixed(1000, 3), "1,000.000");
    EXPECT_EQ(whole.FormatFixed(0.0004, 3), "0.000");  // no "-0.000" either
    EXPECT_EQ(whole.FormatFixed(-0.0004, 3), "0.000");
    EXPECT_EQ(RNumberFormat("0%").FormatFixed(0.5, 3), "50.0%");
    EXPECT_EQ(RNumberFormat("0.00E+00").FormatFixed(0.00012345, 6), "1.23E-04");
}

TEST(NumberFormat, DecimalsThatTellTwoValuesApart)
{
    const RNumberFormat axis("#,##0.0##");
    EXPECT_EQ(axis.DecimalsTellingApart(0.1, 0.4, 0, 20, true), 0);
    EXPECT_EQ(axis.DecimalsTellingApart(0.2001, 0.2004, 1, 20, false), 4);
    EXPECT_EQ(axis.DecimalsTellingApart(0.2001, 0.2004, 1, 20, true), 4);
    EXPECT_EQ(axis.DecimalsTellingApart(1500, 1500.00002, 2, 20, true), 5);
    // Equal values, or apart only beyond `most`: `least` itself.
    EXPECT_EQ(axis.DecimalsTellingApart(7, 7, 2, 20, true), 2);
    EXPECT_EQ(axis.DecimalsTellingApart(1, 1.0001, 1, 3, true), 1);
}

TEST(NumberFormat, SectionsAndConditions)
{
    EXPECT_EQ(Format("0.0;(0.0);\"zero\"", 5), "5.0");
    EXPECT_EQ(Format("0.0;(0.0);\"zero\"", -5), "(5.0)");
    EXPECT_EQ(Format("0.0;(0.0);\"zero\"", 0), "zero");
    EXPECT_EQ(Format("[Red]0.0;[Blue]-0.0", -1.25), "-1.3");
    EXPECT_EQ(Format("[>=100]#,##0;0.0", 1500), "1,500");
    EXPECT_EQ(Format("[>=100]#,##0;0.0", 5), "5.0");
}

TEST(NumberFormat, ValuesThatAreNotNumbers)
{
    EXPECT_EQ(Format("#,##0.0##", std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(Format("#,##0.0##", std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(Format("#,##0.0##", -std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(Format("#,##0", 1e20), "100,000,000,000,000,000,000");
    EXPECT_FALSE(Format("#,##0.000", 1e300).empty());
    EXPECT_EQ(Format("General", 2.5), "2.5");
}

TEST(NumberFormat, DatesCountDaysFromTheEndOf1899)
{
    EXPECT_EQ(Format("dd/mm/yyyy", 45000), "15/03/2023");
    EXPECT_EQ(Format("dd/mm/yyyy", 2), "01/01/1900");
    EXPECT_EQ(Format("d mmm yy", 45000.75), "15 Mar 23");
    EXPECT_EQ(Format("hh:nn:ss", 45000.75), "18:00:00");
    EXPECT_EQ(Format("hh:mm", 0.5 + 5.0 / 1440), "12:05");
    EXPECT_EQ(Format("dddd", 45000), "Wednesday");
    // Outside years 1..9999 the number is written as it is.
    EXPECT_EQ(Format("dd/mm/yyyy", 1e9), "1e+09");
}

TEST(NumberFormat, TextThroughTheTextSection)
{
    EXPECT_EQ(RNumberFormat("@").FormatText("Sand"), "Sand");
    EXPECT_EQ(RNumberFormat("0.0;-0.0;0;\"Zone \"@").FormatText("A"), "Zone A");
    EXPECT_EQ(RNumberFormat("0.0").FormatText("A"), "A");
}

TEST(NumberFormat, MalformedScriptsFormatWithoutFault)
{
    const char* scripts[] = {"", ";;;;;;", "[", "]", "\"", "\\", "0.0E+", "E+0", "#,##0.0##;[<", "[>=abc]0",
                             "ddddd/mmmmm/yyyyy hh:nn:ss AM/PM", "0.000000000000000000000000000000000000000",
                             "@@@", "*", "_", ",,,,", "....", "0,0.0,0", "%%%0"};
    const double values[] = {0, -1, 1e-320, 1e308, -1e308, 45000.5, std::nan("")};
    for (const char* script : scripts) {
        const RNumberFormat format(script);
        for (double value : values) {
            const std::string text = format.Format(value);
            EXPECT_LT(text.size(), 1000u) << script;
        }
        EXPECT_LT(format.FormatText("abc").size(), 100u) << script;
    }
}
