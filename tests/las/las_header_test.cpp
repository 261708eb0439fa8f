#include "las/las_header.h"
#include "las/logging.h"

#include <gtest/gtest.h>

TEST(ParseLine, SplitsAtFirstDotFirstBlankAndLastColon)
{
    const RLasSectionLine line = ParseLine("STRT.M 1000.0 : START DEPTH");
    EXPECT_EQ(line.Status, RLasLineStatus::Parsed);
    EXPECT_EQ(line.Mnem, "STRT");
    EXPECT_EQ(line.Unit, "M");
    EXPECT_EQ(line.Data, "1000.0");
    EXPECT_EQ(line.Description, "START DEPTH");

    const RLasSectionLine time = ParseLine("DATE. 12:30 : TIME");
    EXPECT_EQ(time.Data, "12:30");
    EXPECT_EQ(time.Description, "TIME");

    // The unit runs from the dot to the first blank; a blank right after the
    // dot leaves it empty.
    EXPECT_EQ(ParseLine("DEPT .M   : DEPTH").Unit, "M");
    EXPECT_EQ(ParseLine("DEPT .M   : DEPTH").Mnem, "DEPT");
    EXPECT_EQ(ParseLine("DEPT. M   : DEPTH").Unit, "");
}

TEST(ParseLine, TabAfterUnitCountsAsTheBlank)
{
    const RLasSectionLine line = ParseLine("GR.GAPI\t45 :\tGAMMA\t");
    EXPECT_EQ(line.Status, RLasLineStatus::Parsed);
    EXPECT_EQ(line.Unit, "GAPI");
    EXPECT_EQ(line.Data, "45");
    EXPECT_EQ(line.Description, "GAMMA");
}

TEST(ParseLine, SyntaxErrorsAreLoggedWithTheLine)
{
    RLogCollector log;
    EXPECT_EQ(ParseLine("STRT M 1000 : X").Status, RLasLineStatus::SyntaxError);
    EXPECT_EQ(ParseLine("STRT.M 1000").Status, RLasLineStatus::SyntaxError);
    EXPECT_EQ(ParseLine("STRT.M:1000").Status, RLasLineStatus::SyntaxError);
    EXPECT_EQ(ParseLine("").Status, RLasLineStatus::NoMoreLines);
    ASSERT_EQ(log.Messages.size(), 3u);
    EXPECT_EQ(log.Messages[0], "Не найдена точка в строке STRT M 1000 : X");
    EXPECT_EQ(log.Messages[1], "Не найдено двоеточие в строке STRT.M 1000");
    EXPECT_EQ(log.Messages[2], "Не найден пробел между точкой и двоеточием в строке STRT.M:1000");
}

TEST(TrimBlanks, RemovesControlCharactersButKeepsCyrillicBytes)
{
    EXPECT_EQ(TrimBlanks("\t \x01 abc \r\x1f"), "abc");
    // Windows-1251 letters are bytes above 0x7F and must survive.
    EXPECT_EQ(TrimBlanks(" \xC0\xE1\xE2 "), "\xC0\xE1\xE2");
    EXPECT_EQ(TrimBlanks(" \t "), "");
}

TEST(NextLine, SkipsTildeCommentAndEmptyLines)
{
    TLasSection section;
    section.Begin("~Well");
    section.AddLine("#MNEM.UNIT");
    section.AddLine("");
    section.AddLine("STRT.M 1 : A");
    section.AddLine("STOP.M 2 : B");
    EXPECT_EQ(NextLine(section), "STRT.M 1 : A");
    EXPECT_EQ(NextLine(section), "STOP.M 2 : B");
    EXPECT_EQ(NextLine(section), "");
    EXPECT_EQ(ParseLine(NextLine(section)).Status, RLasLineStatus::NoMoreLines);

    TLasSection onlyComments;
    onlyComments.Begin("~Curve");
    onlyComments.AddLine("# nothing here");
    EXPECT_EQ(NextLine(onlyComments), "");
}

TEST(HeaderSections, SelectedByTheTildeLinesSecondCharacter)
{
    TLasHeaderNew header;
    header.BeginSection("~Version");
    header.AddLine("VERS. 2.0 : V");
    header.BeginSection("~Parameter");
    header.AddLine("BHT.DEGC 35 : T");
    header.BeginSection("~Other");
    header.AddLine("free text");
    EXPECT_EQ(header.Version().Text(), "~Version\r\nVERS. 2.0 : V");
    EXPECT_EQ(header.Parameters().Text(), "~Parameter\r\nBHT.DEGC 35 : T");
    EXPECT_EQ(header.Other().Text(), "~Other\r\nfree text");
    EXPECT_EQ(header.FullText(), "~Version\r\nVERS. 2.0 : V\r\n\r\n\r\n~Parameter\r\nBHT.DEGC 35 : T\r\n\r\n~Other\r\nfree text\r\n");
}

TEST(HeaderSections, UnknownSectionsAreKeptApartAndRepeatedSectionsContinue)
{
    TLasHeaderNew header;
    header.BeginSection("~Parameter");
    header.AddLine("A.M 1 : first");
    // Either case selects the section.
    header.BeginSection("~p lower case");
    header.AddLine("B.M 2 : second");
    // Unknown letters and LAS 3.0 groups are kept as they stand, in order.
    header.BeginSection("~X unknown");
    header.AddLine("C.M 3 : kept");
    header.BeginSection("~Core_Data[1] | Core_Definition");
    header.AddLine("545.50,550.60,Long cylindrical hunk of rock");
    header.BeginSection("~Parameter again");
    header.AddLine("E.M 5 : third");
    EXPECT_EQ(header.Parameters().Text(),
              "~Parameter\r\nA.M 1 : first\r\n~p lower case\r\nB.M 2 : second\r\n~Parameter again\r\nE.M 5 : third");
    ASSERT_EQ(header.KeptSections().size(), 2u);
    EXPECT_EQ(header.KeptSections()[0]->Text(), "~X unknown\r\nC.M 3 : kept");
    EXPECT_EQ(header.KeptSections()[1]->Text(),
              "~Core_Data[1] | Core_Definition\r\n545.50,550.60,Long cylindrical hunk of rock");

    TLasHeaderNew beforeAny;
    beforeAny.AddLine("ignored");
    EXPECT_EQ(beforeAny.FullText(), "\r\n\r\n\r\n\r\n\r\n\r\n");
}
