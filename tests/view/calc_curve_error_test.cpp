#include "view/calc_curve_error.h"

#include "las/las_data.h"
#include "view/calculated_curves.h"
#include "view/las_settings.h"

#include <gtest/gtest.h>

TEST(CalcCurveErrorText, EveryKindInBothLanguages)
{
    const RCalcCurveFault name{.Kind = RCalcCurveErrorKind::BadName, .Name = "A.B"};
    EXPECT_EQ(FaultText(name, RLanguage::Russian), "Недопустимое имя кривой \"A.B\".");
    EXPECT_EQ(FaultText(name, RLanguage::English), "Invalid curve name \"A.B\".");
    const RCalcCurveFault none{.Kind = RCalcCurveErrorKind::NoDocument};
    EXPECT_EQ(FaultText(none, RLanguage::Russian), "Нет загруженного файла LAS.");
    EXPECT_EQ(FaultText(none, RLanguage::English), "No LAS file is loaded.");
    EXPECT_EQ(FaultText({.Kind = static_cast<RCalcCurveErrorKind>(kCalcCurveErrorKindCount)}, RLanguage::English), "");

    EXPECT_EQ(CalcCurveNameProblem("A.B"), "Недопустимое имя кривой \"A.B\".");
    EXPECT_EQ(CalcCurveNameProblem("A.B", RLanguage::English), "Invalid curve name \"A.B\".");
}

TEST(RCalcCurveError, CommitRefusalsCarryTheirKindAndName)
{
    RLasData data;
    RLasSettings settings;
    std::vector<RCalcEntry> entries(1);
    entries[0].Name = "A.B";
    entries[0].Method.Formula = "1";
    try {
        CommitCalcEntries(data, settings, entries);
        FAIL() << "committed without a file";
    } catch (const RCalcCurveError& error) {
        EXPECT_EQ(error.Fault().Kind, RCalcCurveErrorKind::NoDocument);
        EXPECT_STREQ(error.what(), "Нет загруженного файла LAS.");
        EXPECT_EQ(error.Text(RLanguage::English), "No LAS file is loaded.");
    }

    ASSERT_TRUE(data.LoadFromLas(std::string(LOGGARD_TEST_DATA_DIR) + "/view/depth_columns.las"));
    try {
        CommitCalcEntries(data, settings, entries);
        FAIL() << "committed a name a ~C line cannot hold";
    } catch (const RCalcCurveError& error) {
        EXPECT_EQ(error.Fault().Kind, RCalcCurveErrorKind::BadName);
        EXPECT_EQ(error.Fault().Name, "A.B");
        EXPECT_STREQ(error.what(), "Недопустимое имя кривой \"A.B\".");
    }
}
