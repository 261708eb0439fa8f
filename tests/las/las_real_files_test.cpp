// The quirks of real LAS files, one small fixture each (tests/data/las,
// named after the quirk): what the reader makes of it and what it says.

#include "las/las_data.h"
#include "las/logging.h"

#include "support/files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

const std::string kFixtures = std::string(LOGGARD_TEST_DATA_DIR) + "/las/";

struct Loaded {
    RLasData data;
    bool result = false;
    std::vector<std::string> messages;
};

std::unique_ptr<Loaded> Load(const std::string& name)
{
    auto loaded = std::make_unique<Loaded>();
    RLogCollector log;
    loaded->result = loaded->data.LoadFromLas(kFixtures + name);
    loaded->messages = log.Messages;
    EXPECT_EQ(loaded->data.CheckInvariant(), "") << name;
    return loaded;
}

std::vector<double> Depths(const RLasData& data)
{
    std::vector<double> depths;
    for (std::size_t row = 0; row < data.Index.Count; ++row)
        depths.push_back(data.Index.Depth(row));
    return depths;
}

std::vector<double> Values(const RLasData& data, std::size_t curve) { return data.Curves().at(curve)->Values(); }

std::vector<bool> Nulls(const RLasData& data, std::size_t curve)
{
    std::vector<bool> nulls;
    const RLasCurve& c = *data.Curves().at(curve);
    for (std::size_t k = 0; k < c.SampleCount(); ++k)
        nulls.push_back(RLasCurveDataWrapper::IsNull(c.Data, k));
    return nulls;
}

}  // namespace

TEST(HeaderAgainstData, EachDisagreementIsReportedOnceAndTheDataDecide)
{
    auto strt = Load("header_strt_disagrees.las");
    ASSERT_TRUE(strt->result);
    EXPECT_EQ(strt->data.Index.First, 8440.0);
    EXPECT_EQ(strt->data.Curves()[0]->FirstDepth, 8440.0);
    ASSERT_EQ(strt->messages.size(), 2u);
    EXPECT_EQ(strt->messages[0], "STRT 8150 не совпадает с первой глубиной в данных 8440; используются глубины из данных");

    auto stop = Load("header_stop_disagrees.las");
    EXPECT_EQ(stop->data.Index.Last(), 1002.5);
    EXPECT_EQ(stop->messages.at(0),
              "STOP 1010 не совпадает с последней глубиной в данных 1002.5; используются глубины из данных");

    auto step = Load("header_step_disagrees.las");
    EXPECT_EQ(step->data.Index.Step, 0.5);
    EXPECT_EQ(step->messages.at(0), "STEP 0.25 не совпадает с шагом глубин в данных 0.5; используются глубины из данных");

    auto zero = Load("step_zero_regular.las");
    EXPECT_TRUE(zero->data.Index.Regular());
    EXPECT_EQ(zero->data.Index.Step, 0.5);
    EXPECT_EQ(zero->messages,
              std::vector<std::string>{"STEP 0 не совпадает с шагом глубин в данных 0.5; используются глубины из данных"});
}

TEST(IrregularDepths, StepZeroGapsAndJitterKeepEveryRowAtItsDepth)
{
    auto zero = Load("step_zero_irregular.las");
    ASSERT_TRUE(zero->result);
    EXPECT_TRUE(zero->messages.empty());  // STEP 0 says the depths are irregular
    EXPECT_FALSE(zero->data.Index.Regular());
    EXPECT_EQ(Depths(zero->data), (std::vector<double>{1000, 1000.3, 1001.1, 1001.2, 1003, 1004.1}));
    const RLasCurve& gr = *zero->data.Curves()[0];
    EXPECT_EQ(gr.Data.Step, 0.0);
    EXPECT_EQ(gr.Depth(2), 1001.1);
    EXPECT_EQ(gr.LastDepth, 1004.1);

    auto gap = Load("depth_gap.las");
    EXPECT_FALSE(gap->data.Index.Regular());
    EXPECT_EQ(gap->data.Curves()[0]->Depth(3), 1021.5);
    EXPECT_EQ(gap->messages.at(0), "STEP 0.5 не совпадает с данными: глубины идут неравномерно; используются глубины из данных");

    auto jitter = Load("depth_jitter_under_nominal_step.las");
    EXPECT_FALSE(jitter->data.Index.Regular());
    EXPECT_EQ(Depths(jitter->data), (std::vector<double>{100, 109.2, 121, 130.4, 139.1, 150}));

    // Rows that go back stay where the file has them, with one message.
    auto back = Load("depths_go_back.las");
    EXPECT_EQ(Depths(back->data), (std::vector<double>{1000, 1000.5, 1001, 1000.5, 1001.5, 1002}));
    EXPECT_EQ(back->messages.back(), "Глубины в секции Data идут не по порядку (строка 4); строки оставлены в порядке файла");
}

TEST(IrregularDepths, SaveWritesStepZeroAndEveryDepth)
{
    auto zero = Load("step_zero_irregular.las");
    TempDir dir;
    ASSERT_TRUE(zero->data.SaveToLas(dir.File("out.las")));
    const std::string text = ReadWholeFile(dir.File("out.las"));
    EXPECT_NE(text.find("STEP.M              0:"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n1001.1000\t42.0000\t2.3200\r\n"), std::string::npos) << text;
    RLogCollector log;
    RLasData again;
    ASSERT_TRUE(again.LoadFromLas(dir.File("out.las")));
    EXPECT_TRUE(log.Messages.empty());
    EXPECT_EQ(Depths(again), Depths(zero->data));
}

TEST(DataValues, ExponentsReadWholeAndKeepTheirFormOnSave)
{
    auto loaded = Load("exponent_values.las");
    ASSERT_TRUE(loaded->result);
    EXPECT_TRUE(loaded->messages.empty());
    EXPECT_EQ(Values(loaded->data, 0), (std::vector<double>{0.6459E+08, 1e-5, 12.5}));
    EXPECT_EQ(Values(loaded->data, 1), (std::vector<double>{1.45E+12, -2.5e3, 3}));
    TempDir dir;
    ASSERT_TRUE(loaded->data.SaveToLas(dir.File("out.las")));
    const std::string text = ReadWholeFile(dir.File("out.las"));
    EXPECT_NE(text.find("\t1.45E+12\r\n"), std::string::npos) << text;
}

TEST(DataValues, TextTokensAreNullSamplesCountedOnce)
{
    auto loaded = Load("text_nulls.las");
    ASSERT_TRUE(loaded->result);
    EXPECT_EQ(Nulls(loaded->data, 0), (std::vector<bool>{true, false, true, true, true, false, false}));
    EXPECT_EQ(Nulls(loaded->data, 1), (std::vector<bool>{false, true, false, false, false, true, false}));
    EXPECT_EQ(Values(loaded->data, 1).back(), 2.40);
    EXPECT_EQ(loaded->messages,
              std::vector<std::string>{"6 значений в секции Data не являются числами (первое, ERR, в строке 1); они "
                                       "считаются пустыми"});
}

TEST(DataValues, ShortLongAndDepthlessRowsNeverStopTheLoad)
{
    auto rows = Load("short_and_long_rows.las");
    ASSERT_TRUE(rows->result);
    EXPECT_EQ(Depths(rows->data), (std::vector<double>{1000, 1000.5, 1001, 1001.5, 1002}));
    EXPECT_EQ(Nulls(rows->data, 1), (std::vector<bool>{false, true, false, true, false}));
    EXPECT_EQ(Values(rows->data, 1)[2], 2.32);
    EXPECT_EQ(rows->messages, (std::vector<std::string>{
                                  "Недостаточно данных в строке 1000.5 41.0 в секции Data; таких строк: 2",
                                  "Слишком много данных в строке 1001.0 42.0 2.32 99.0 секции Data"}));

    auto depthless = Load("bad_depth_rows.las");
    ASSERT_TRUE(depthless->result);
    EXPECT_EQ(Depths(depthless->data), (std::vector<double>{1000, 1000.5, 1001, 1001.5}));
    EXPECT_EQ(Values(depthless->data, 0), (std::vector<double>{40, 42, 43, 44}));
    EXPECT_EQ(depthless->messages,
              std::vector<std::string>{"Глубина не является числом в строке XXXX 41.0 2.31 секции Data; строка пропущена"});
}

TEST(DataLayout, CommentsBlankLinesSectionOrderAndDelimiters)
{
    auto comments = Load("comments_in_data.las");
    ASSERT_TRUE(comments->result);
    EXPECT_TRUE(comments->messages.empty());
    EXPECT_EQ(Values(comments->data, 0), (std::vector<double>{40, 41, 42}));

    auto order = Load("curve_section_before_version.las");
    ASSERT_TRUE(order->result);
    EXPECT_TRUE(order->messages.empty());
    EXPECT_EQ(order->data.Curves().size(), 2u);

    auto comma = Load("dlm_comma.las");
    ASSERT_TRUE(comma->result);
    EXPECT_EQ(comma->data.LasHeader()->Version().Delimiter, ',');
    EXPECT_EQ(Values(comma->data, 1), (std::vector<double>{2.30, 2.31, 2.32}));
    EXPECT_EQ(Nulls(comma->data, 0), (std::vector<bool>{false, false, true}));

    auto tab = Load("dlm_tab.las");
    ASSERT_TRUE(tab->result);
    EXPECT_EQ(Nulls(tab->data, 0), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(Values(tab->data, 1), (std::vector<double>{2.30, 2.31, 2.32}));

    // Saved with the delimiter it was read with.
    TempDir dir;
    ASSERT_TRUE(comma->data.SaveToLas(dir.File("out.las")));
    EXPECT_NE(ReadWholeFile(dir.File("out.las")).find("\r\n1000.0000,40.0000,2.3000\r\n"), std::string::npos);
    // Wrapped, the values on a line stay parted by the delimiter too.
    comma->data.EditHeader()->Version().Wrap = true;
    ASSERT_TRUE(comma->data.SaveToLas(dir.File("wrapped.las")));
    RLasData wrapped;
    ASSERT_TRUE(wrapped.LoadFromLas(dir.File("wrapped.las")));
    EXPECT_EQ(Values(wrapped, 1), (std::vector<double>{2.30, 2.31, 2.32}));
    EXPECT_EQ(Nulls(wrapped, 0), (std::vector<bool>{false, false, true}));
}

TEST(IndexColumn, TheFirstColumnIsTheIndexAndEveryOtherEntryACurve)
{
    auto notFirst = Load("dept_not_first.las");
    ASSERT_TRUE(notFirst->result);
    EXPECT_EQ(notFirst->data.LasHeader()->Curves().DepthLine.Mnem, "GR");
    EXPECT_EQ(notFirst->data.Curves()[0]->Mnemonic, "DEPT");
    EXPECT_EQ(Values(notFirst->data, 0), (std::vector<double>{1000.0, 1000.5}));
    EXPECT_EQ(Depths(notFirst->data), (std::vector<double>{50, 60}));

    auto second = Load("second_depth_curve.las");
    ASSERT_TRUE(second->result);
    ASSERT_EQ(second->data.Curves().size(), 4u);
    EXPECT_EQ(second->data.Curves()[0]->Mnemonic, "DEPT");
    EXPECT_EQ(second->data.Curves()[0]->Unit, "F");
    EXPECT_EQ(Values(second->data, 0), (std::vector<double>{3280.84, 3282.48, 3284.12}));
    EXPECT_EQ(second->data.Curves()[2]->Mnemonic, "TIME");
    EXPECT_EQ(Values(second->data, 3), (std::vector<double>{40, 41, 42}));
}

TEST(Las30, CommaDataQuotedStringsAndFurtherSectionsAreReadAndSavedAs30)
{
    auto loaded = Load("las30_comma_strings_datasets.las");
    ASSERT_TRUE(loaded->result);
    const TLasHeaderNew& header = *loaded->data.LasHeader();
    EXPECT_EQ(header.Version().Version, RLasVersion::V30);
    EXPECT_EQ(header.Well().Well, "ANY ET AL 12-34");
    EXPECT_EQ(header.Well().Date, "13/12/1986");
    ASSERT_EQ(loaded->data.Curves().size(), 3u);
    EXPECT_EQ(header.Curves().Lines[1].Description, "YOUNGS MODULES");
    EXPECT_EQ(header.Curves().Lines[1].Tail, "{E0.00E+00}");
    EXPECT_EQ(Depths(loaded->data), (std::vector<double>{1670, 1669.875, 1669.75}));
    EXPECT_EQ(Values(loaded->data, 1), (std::vector<double>{1.45E+12, 1.47E+12, 2.85E+12}));
    // Strings are no numbers: null, the quoted comma notwithstanding.
    EXPECT_EQ(Nulls(loaded->data, 2), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(Values(loaded->data, 0)[2], 123.47);
    ASSERT_EQ(header.KeptSections().size(), 2u);  // ~Core_Definition, ~Core_Data
    EXPECT_NE(header.TrailingText.find("~Log_Data[2]"), std::string::npos);

    TempDir dir;
    ASSERT_TRUE(loaded->data.SaveToLas(dir.File("out.las")));
    const std::string text = ReadWholeFile(dir.File("out.las"));
    EXPECT_EQ(text.rfind("~Version\r\nVERS.  3.0:", 0), 0u) << text.substr(0, 80);
    for (const char* part : {"DLM .  COMMA:", "~Log_Definition\r\n", "# a comment between two curves\r\nYME ",
                             ": YOUNGS MODULES {E0.00E+00}\r\n", "LOG DATE {DD/MM/YYYY}\r\n", "LATI .DEG 34.56789",
                             "~Core_Data | Core_Definition\r\n545.50,550.60\r\n",
                             "~Log_Data | Log_Definition\r\n1670.0000,123.4500,1.45E+12,-999.2500\r\n",
                             "~Log_Data[2] | Log_Definition[2]\r\n1670.0,45.1\r\n"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
}

TEST(HeaderLines, CommentsAndUnknownItemsSurviveASave)
{
    TempDir dir;
    const std::string path = dir.File("in.las");
    WriteWholeFile(path, "~Version\r\n VERS. 2.0 : V\r\n WRAP. NO : W\r\n# version note\r\n"
                         "~Well\r\n#MNEM.UNIT DATA : DESCRIPTION\r\n#---- ----\r\n# well note\r\n STRT.M 1 : A\r\n"
                         " STOP.M 2 : B\r\n STEP.M 1 : C\r\n NULL. -999.25 : N\r\n EKB.M 102.5 : KELLY BUSHING\r\n"
                         "~Curve\r\n DEPT.M : D\r\n# gamma ray note\r\n GR.GAPI : G\r\n~A\r\n1 10\r\n2 11\r\n");
    RLasData data;
    ASSERT_TRUE(data.LoadFromLas(path));
    ASSERT_TRUE(data.SaveToLas(dir.File("out.las")));
    const std::string text = ReadWholeFile(dir.File("out.las"));
    for (const char* part : {"WRAP.   NO: One line per depth step\r\n# version note\r\n",
                             "#--------- ----------  -----------\r\n# well note\r\nSTRT", "EKB.M 102.5 : KELLY BUSHING\r\n",
                             "# gamma ray note\r\nGR   .GAPI"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    // The column headings are the writer's own, not doubled.
    EXPECT_EQ(text.find("#MNEM.UNIT DATA : DESCRIPTION"), std::string::npos);
}

TEST(Encodings, Utf16FilesReadAsTheirUtf8Text)
{
    for (const char* name : {"utf16le_with_mark.las", "utf16le_without_mark.las", "utf16be_with_mark.las",
                             "utf16be_without_mark.las"}) {
        auto loaded = Load(name);
        ASSERT_TRUE(loaded->result) << name;
        EXPECT_EQ(loaded->data.Header.WellName, "СКВАЖИНА ПРИОБСКАЯ 12") << name;
        EXPECT_EQ(Values(loaded->data, 0), (std::vector<double>{40, 41, 42})) << name;
    }
}
