#include "las/las_header.h"
#include "las/las_io.h"
#include "las/logging.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace {

// A header filled as the data set fills it: trimmed lines, tilde lines
// begin sections.
std::unique_ptr<TLasHeaderNew> MakeHeader(const std::string& text)
{
    auto header = std::make_unique<TLasHeaderNew>();
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const std::string_view trimmed = TrimBlanks(line);
        if (!trimmed.empty() && trimmed[0] == '~')
            header->BeginSection(trimmed);
        else
            header->AddLine(trimmed);
    }
    return header;
}

const char* const kWell20 = "~W\n"
                            "STRT.M 1000.0 : START\n"
                            "STOP.M 1001,5 : STOP\n"
                            "STEP.M 0.25 : STEP\n"
                            "NULL. -999.25 : NULL\n"
                            "COMP. ACME : COMPANY\n"
                            "WELL. A-1 : WELL\n";

const char* const kCurves = "~C\n"
                            "DEPT.M : DEPTH\n"
                            "GR.GAPI 07 310 01 00 : GAMMA RAY\n";

}  // namespace

TEST(ReadHeader, VersionSelectsTheReader)
{
    auto twoPointZero = MakeHeader(std::string("~V\nVERS. 2.00 : X\nWRAP. NO : Y\n") + kWell20 + kCurves);
    EXPECT_TRUE(twoPointZero->ReadHeader());
    EXPECT_EQ(twoPointZero->Version().Version, RLasVersion::V20);
    EXPECT_TRUE(twoPointZero->Parsed);

    auto three = MakeHeader(std::string("~V\nVERS. 3.0 : X\nDLM . COMMA : D\n") + kWell20 + kCurves);
    EXPECT_TRUE(three->ReadHeader());
    EXPECT_EQ(three->Version().Version, RLasVersion::V30);
    EXPECT_EQ(three->Version().Delimiter, ',');

    auto four = MakeHeader(std::string("~V\nVERS. 4.0 : X\n") + kWell20 + kCurves);
    EXPECT_FALSE(four->ReadHeader());
    EXPECT_FALSE(four->Parsed);

    auto broken = MakeHeader(std::string("~V\nVERS 2.0 : X\n") + kWell20 + kCurves);
    RLogCollector log;
    EXPECT_FALSE(broken->ReadHeader());
}

TEST(ReadHeader, OnlyUpperCaseYesSetsWrap)
{
    auto lower = MakeHeader(std::string("~V\nVERS. 2.0 : X\nWRAP. yes : Y\n") + kWell20 + kCurves);
    ASSERT_TRUE(lower->ReadHeader());
    EXPECT_FALSE(lower->Version().Wrap);
    auto upper = MakeHeader(std::string("~V\nVERS. 2.0 : X\nWRAP. YES : Y\n") + kWell20 + kCurves);
    ASSERT_TRUE(upper->ReadHeader());
    EXPECT_TRUE(upper->Version().Wrap);
}

TEST(ReadWell, NumbersWithPointOrCommaAndUnits)
{
    auto header = MakeHeader(std::string("~V\nVERS. 2.0 : X\n") + kWell20 + kCurves);
    ASSERT_TRUE(header->ReadHeader());
    const TLasWellSection& well = header->Well();
    EXPECT_EQ(well.Strt, 1000.0);
    EXPECT_EQ(well.Stop, 1001.5);
    EXPECT_EQ(well.Step, 0.25);
    EXPECT_EQ(well.NullValue, -999.25);
    EXPECT_EQ(well.StrtUnit, "M");
    EXPECT_EQ(well.Comp, "ACME");
    EXPECT_EQ(well.Well, "A-1");
}

TEST(ReadWell, Version12TakesTextAfterTheFirstColon)
{
    auto header = MakeHeader("~V\nVERS. 1.2 : X\n~W\n"
                             "STRT.M 1 : A\nSTOP.M 2 : B\nSTEP.M 1 : C\nNULL. -999.25 : D\n"
                             "COMP. COMPANY : ACME\n"
                             "DATE.  LOG DATE: 13/12/1986 10:15\n" +
                             std::string(kCurves));
    ASSERT_TRUE(header->ReadHeader());
    EXPECT_EQ(header->Well().Comp, "ACME");
    EXPECT_EQ(header->Well().Date, "13/12/1986 10:15");
}

TEST(ReadWell, BadValueStopsTheWalkAndUnreachedFieldsAreNotFound)
{
    RLogCollector log;
    auto header = MakeHeader("~V\nVERS. 2.0 : X\n~W\n"
                             "STRT.M 1 : A\nSTOP.M abc : B\nSTEP.M 1 : C\n" + std::string(kCurves));
    EXPECT_FALSE(header->ReadHeader());
    // STOP was met (its value is bad); STEP after the stop and NULL never.
    const std::vector<std::string> expected = {"Неверный формат для STOP", "Не найдено поле STEP в секции Well",
                                               "Не найдено поле NULL в секции Well"};
    EXPECT_EQ(log.Messages, expected);
}

TEST(ReadCurves, FirstEntryIsTheIndexLaterDepthNamesAreCurves)
{
    auto header = MakeHeader(std::string("~V\nVERS. 2.0 : X\n") + kWell20
                             + "~C\nDEPT.M : D\nGR.GAPI : G\nDEPT.M : again\n");
    ASSERT_TRUE(header->ReadHeader());
    const TLasCurveSection& curves = header->Curves();
    EXPECT_EQ(curves.DepthLine.Mnem, "DEPT");
    ASSERT_EQ(curves.CurveCount(), 2);
    EXPECT_EQ(curves.Lines[0].Mnem, "GR");
    EXPECT_EQ(curves.Lines[1].Mnem, "DEPT");
}

TEST(ReadCurves, WithoutDepthNameTheFirstCurveIsTaken)
{
    RLogCollector log;
    auto header = MakeHeader(std::string("~V\nVERS. 2.0 : X\n") + kWell20 + "~C\nMD.M : D\nGR.GAPI : G\n");
    ASSERT_TRUE(header->ReadHeader());
    EXPECT_EQ(header->Curves().DepthLine.Mnem, "MD");
    EXPECT_EQ(header->Curves().CurveCount(), 1);
    ASSERT_EQ(log.Messages.size(), 1u);
    EXPECT_EQ(log.Messages[0], "Не найдено поле глубины в секции Curve (DEPT, DEPTH, BOREHOLE-DEPTH или TIME). "
                               "Выбрано первое поле");
}

TEST(ReadCurves, SyntaxErrorStopsAtOnceWithoutTheDepthMessage)
{
    RLogCollector log;
    auto header = MakeHeader(std::string("~V\nVERS. 2.0 : X\n") + kWell20 + "~C\nGR GAPI : G\nRHOB.G : R\n");
    EXPECT_FALSE(header->ReadHeader());
    ASSERT_EQ(log.Messages.size(), 1u);
    EXPECT_EQ(log.Messages[0], "Не найдена точка в строке GR GAPI : G");
}

TEST(ReadCurves, NoCurveLineAtAllFailsTheHeader)
{
    RLogCollector log;
    auto header = MakeHeader(std::string("~V\nVERS. 2.0 : X\n") + kWell20 + "~C\n# nothing\n");
    EXPECT_FALSE(header->ReadHeader());
    ASSERT_EQ(log.Messages.size(), 1u);
    EXPECT_EQ(log.Messages[0], "Не найдено ни одной кривой в секции Curve");
}

TEST(ParseHeaderNumber, PointThenCommaWithExponent)
{
    double value = 7.0;
    EXPECT_TRUE(ParseHeaderNumber(" -1.5E+03 ", value));
    EXPECT_EQ(value, -1500.0);
    EXPECT_TRUE(ParseHeaderNumber("1000,5", value));
    EXPECT_EQ(value, 1000.5);
    EXPECT_FALSE(ParseHeaderNumber("1,000.5", value));
    EXPECT_FALSE(ParseHeaderNumber("12 M", value));
    EXPECT_FALSE(ParseHeaderNumber("", value));
    EXPECT_EQ(value, 1000.5);
}

TEST(WriteHeader, Version20Golden)
{
    auto header = MakeHeader(std::string("~V\nVERS. 2.0 : X\nWRAP. NO : Y\n") + kWell20 + kCurves
                             + "~P\nBHT.DEGC 35 : TEMP\n~O\nnote\n");
    ASSERT_TRUE(header->ReadHeader());
    std::string out;
    ASSERT_TRUE(header->WriteHeader(out));
    const std::string expected =
        "~V\r\n"
        "VERS.  2.0: CWLS log ASCII Standard -VERSION 2.0\r\n"
        "WRAP.   NO: One line per depth step\r\n"
        "~W\r\n"
        "#MNEM.UNIT VALUE/NAME  DESCRIPTION\r\n"
        "#--------- ----------  -----------\r\n"
        "STRT.M           1000:\r\n"
        "STOP.M         1001.5:\r\n"
        "STEP.M           0.25:\r\n"
        "NULL.         -999.25:\r\n"
        "COMP.            ACME: COMPANY\r\n"
        "WELL.             A-1: WELL\r\n"
        "FLD .                : FIELD\r\n"
        "LOC .                : LOCATION\r\n"
        "PROV.                : PROVINCE\r\n"
        "CNTY.                : COUNTY\r\n"
        "STAT.                : STATE\r\n"
        "CTRY.                : COUNTRY\r\n"
        "SRVC.                : SERVICE COMPANY\r\n"
        "DATE.                : LOG DATE\r\n"
        "UWI .                : UNIQUE WELL ID\r\n"
        "API .                : API NUMBER\r\n"
        "~C\r\n"
        "#MNEM.UNIT API CODE      DESCRIPTION\r\n"
        "#--------- ------------  -----------\r\n"
        "DEPT .M                : DEPTH\r\n"
        "GR   .GAPI 07 310 01 00: GAMMA RAY\r\n"
        "~P\r\nBHT.DEGC 35 : TEMP\r\n"
        "~O\r\nnote\r\n";
    EXPECT_EQ(out, expected);
}

TEST(WriteHeader, Version12WellTemplatesAndWideValues)
{
    auto header = MakeHeader("~V\nVERS. 1.2 : X\nWRAP. YES : Y\n~W\n"
                             "STRT.METRES 1234.56789012345 : A\nSTOP.METRES 1E-6 : B\nSTEP.M 1 : C\n"
                             "NULL. -999.25 : D\nDATE. DATE: 13/12/1986 10:15\n" + std::string(kCurves));
    ASSERT_TRUE(header->ReadHeader());
    std::string out;
    ASSERT_TRUE(header->WriteHeader(out));
    EXPECT_NE(out.find("WRAP.  YES: Multiple lines per depth step\r\n"), std::string::npos);
    EXPECT_NE(out.find("#MNEM.UNIT DATA TYPE        INFORMATION\r\n#--------- ---------------  -----------\r\n"),
              std::string::npos);
    // A value wider than its field keeps one blank after a six-letter unit,
    // so the line reads back.
    EXPECT_NE(out.find("STRT.METRES 1234.56789012345:\r\n"), std::string::npos);
    EXPECT_NE(out.find("STOP.METRES          1E-06:\r\n"), std::string::npos);
    EXPECT_NE(out.find("NULL.              -999.25:\r\n"), std::string::npos);
    EXPECT_NE(out.find("DATE.                 DATE: 13/12/1986 10:15\r\n"), std::string::npos);
    EXPECT_NE(out.find("COMP.              COMPANY: \r\n"), std::string::npos);

    auto reread = MakeHeader(out);
    ASSERT_TRUE(reread->ReadHeader());
    EXPECT_EQ(reread->Well().Strt, 1234.56789012345);
    EXPECT_EQ(reread->Well().Stop, 1e-6);
    EXPECT_EQ(reread->Well().Date, "13/12/1986 10:15");
}

TEST(WriteHeader, Version20ValueColumnWidensToTheLongestText)
{
    auto header = MakeHeader(std::string("~V\nVERS. 2.0 : X\n") + kWell20 + "LOC. 12 NORTH 34 EAST BLOCK : LOCATION\n"
                             + kCurves);
    ASSERT_TRUE(header->ReadHeader());
    std::string out;
    ASSERT_TRUE(header->WriteHeader(out));
    // The longest text is 22 characters: the column is 22 wide.
    EXPECT_NE(out.find("#MNEM.UNIT VALUE/NAME" + std::string(12, ' ') + "  DESCRIPTION\r\n"), std::string::npos);
    EXPECT_NE(out.find("#--------- ----------" + std::string(12, '-') + "  -----------\r\n"), std::string::npos);
    EXPECT_NE(out.find("LOC .      12 NORTH 34 EAST BLOCK: LOCATION\r\n"), std::string::npos);
    EXPECT_NE(out.find("STRT.M     " + std::string(18, ' ') + "1000:\r\n"), std::string::npos);
}

TEST(WriteHeader, UnknownVersionWritesNothing)
{
    TLasHeaderNew header;
    std::string out;
    EXPECT_FALSE(header.WriteHeader(out));
    EXPECT_TRUE(out.empty());
}
