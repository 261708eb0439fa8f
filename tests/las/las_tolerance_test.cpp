// Every entry of the tolerance tables does what the reader promises.

#include "las/las_data.h"
#include "las/las_tolerance.h"
#include "las/las_token_scanner.h"
#include "las/logging.h"

#include "support/files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string File(const std::string& versionLines, const std::string& curve, const std::string& data)
{
    return "~V\r\n" + versionLines + "~W\r\n STRT.M 1 : A\r\n STOP.M 2 : B\r\n STEP.M 1 : C\r\n NULL. -999.25 : N\r\n"
           "~C\r\n" + curve + " GR.GAPI : G\r\n~A\r\n" + data;
}

}  // namespace

TEST(Tolerance, EveryDepthNameIsTakenQuietlyForTheIndex)
{
    ASSERT_EQ(LasTolerance::kDepthNames.size(), 4u);
    for (const std::string_view name : LasTolerance::kDepthNames) {
        EXPECT_TRUE(RLasData::IsDepthName(name)) << name;
        TempDir dir;
        WriteWholeFile(dir.File("in.las"), File(" VERS. 2.0 : V\r\n", " " + std::string(name) + ".M : D\r\n", "1 10\r\n2 11\r\n"));
        RLogCollector log;
        RLasData data;
        ASSERT_TRUE(data.LoadFromLas(dir.File("in.las"))) << name;
        EXPECT_TRUE(log.Messages.empty()) << name;
    }
    EXPECT_FALSE(RLasData::IsDepthName("dept"));
    EXPECT_FALSE(RLasData::IsDepthName("MD"));
}

TEST(Tolerance, EveryVersionReadsAndOthersAreRefused)
{
    ASSERT_EQ(LasTolerance::kVersions.size(), 3u);
    for (const LasTolerance::VersionEntry& version : LasTolerance::kVersions) {
        for (const double off : {0.0, 0.0009, -0.0009}) {
            TempDir dir;
            WriteWholeFile(dir.File("in.las"),
                           File(" VERS. " + std::to_string(version.number + off) + " : V\r\n", " DEPT.M : D\r\n", "1 10\r\n"));
            RLogCollector log;
            RLasData data;
            EXPECT_TRUE(data.LoadFromLas(dir.File("in.las"))) << version.text << " " << off;
        }
    }
    TempDir dir;
    WriteWholeFile(dir.File("in.las"), File(" VERS. 2.1 : V\r\n", " DEPT.M : D\r\n", "1 10\r\n"));
    RLogCollector log;
    RLasData data;
    EXPECT_FALSE(data.LoadFromLas(dir.File("in.las")));
}

TEST(Tolerance, WrapAndDelimiterWords)
{
    ASSERT_EQ(LasTolerance::kWrapYes.size(), 1u);
    EXPECT_EQ(LasTolerance::kWrapYes[0], "YES");
    ASSERT_EQ(LasTolerance::kDelimiters.size(), 3u);
    for (const LasTolerance::DelimiterEntry& entry : LasTolerance::kDelimiters) {
        EXPECT_EQ(LasTolerance::DelimiterFor(entry.word), entry.delimiter) << entry.word;
        EXPECT_EQ(LasTolerance::DelimiterWord(entry.delimiter), entry.word);
        const std::string separator = entry.delimiter == ' ' ? "  " : std::string(1, entry.delimiter);
        TempDir dir;
        WriteWholeFile(dir.File("in.las"), File(" VERS. 2.0 : V\r\n DLM. " + std::string(entry.word) + " : D\r\n",
                                                " DEPT.M : D\r\n", "1" + separator + "10\r\n2" + separator + "11\r\n"));
        RLogCollector log;
        RLasData data;
        ASSERT_TRUE(data.LoadFromLas(dir.File("in.las"))) << entry.word;
        EXPECT_TRUE(log.Messages.empty()) << entry.word;
        EXPECT_EQ(data.Curves()[0]->Values(), (std::vector<double>{10, 11})) << entry.word;
    }
    EXPECT_EQ(LasTolerance::DelimiterFor("comma"), ',');
    EXPECT_FALSE(LasTolerance::DelimiterFor("SEMICOLON"));
}

TEST(Tolerance, EveryKnownTextNullIsANullSample)
{
    ASSERT_EQ(LasTolerance::kTextNulls.size(), 10u);
    for (const std::string_view text : LasTolerance::kTextNulls) {
        RLasToken token;
        EXPECT_FALSE(RLasTokenScanner::ReadNumber(text, true, token)) << text;
        TempDir dir;
        WriteWholeFile(dir.File("in.las"), File(" VERS. 2.0 : V\r\n", " DEPT.M : D\r\n", "1 " + std::string(text) + "\r\n2 11\r\n"));
        RLogCollector log;
        RLasData data;
        ASSERT_TRUE(data.LoadFromLas(dir.File("in.las"))) << text;
        EXPECT_TRUE(RLasCurveDataWrapper::IsNull(data.Curves()[0]->Data, 0)) << text;
        EXPECT_EQ(data.Curves()[0]->SampleCount(), 2u) << text;
    }
}
