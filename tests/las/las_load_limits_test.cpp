// Files of hostile sizes are refused with a message that says why, or load,
// without a crash and without allocating what a header merely declares.
// The files are made here; each case takes well under a second.

#include "las/las_data.h"
#include "las/logging.h"

#include "support/files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Header(const std::string& range, int curves)
{
    std::string text = "~Version\r\n VERS. 2.0 : X\r\n WRAP. NO : Y\r\n~Well\r\n" + range
                       + " NULL. -999.25 : N\r\n~Curve\r\n DEPT.M : D\r\n";
    for (int c = 0; c < curves; ++c)
        text += " C" + std::to_string(c) + ".U : V\r\n";
    return text + "~A\r\n";
}

struct Loaded {
    RLasData data;
    bool result = false;
    std::vector<std::string> messages;
};

std::unique_ptr<Loaded> Load(const TempDir& dir, const std::string& text, const RLasLoadOptions& options = {})
{
    WriteWholeFile(dir.File("in.las"), text);
    auto loaded = std::make_unique<Loaded>();
    RLogCollector log;
    loaded->result = loaded->data.LoadFromLas(dir.File("in.las"), options);
    loaded->messages = log.Messages;
    EXPECT_EQ(loaded->data.CheckInvariant(), "");
    return loaded;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(HostileSizes, MoreCurvesThanTheCountCanHoldAreRefusedBeforeTheData)
{
    TempDir dir;
    auto loaded = Load(dir, Header(" STRT.M 1 : A\r\n STOP.M 3 : B\r\n STEP.M 1 : C\r\n", 100000) + "1 2 3\r\n");
    EXPECT_FALSE(loaded->result);
    ASSERT_EQ(loaded->messages.size(), 1u);
    EXPECT_TRUE(Contains(loaded->messages[0], "Слишком много кривых")) << loaded->messages[0];
    EXPECT_TRUE(Contains(loaded->messages[0], "100000")) << loaded->messages[0];
    EXPECT_TRUE(loaded->data.Curves().empty());
    EXPECT_TRUE(loaded->data.Columns().empty());
    // The header stays for display.
    ASSERT_NE(loaded->data.LasHeader(), nullptr);
    EXPECT_EQ(loaded->data.LasHeader()->Curves().Lines.size(), 100000u);
}

TEST(HostileSizes, FiveThousandCurvesLoadInPlaceAndSaveBack)
{
    constexpr int kCurves = 5000, kRows = 12;
    std::string text = Header(" STRT.M 1 : A\r\n STOP.M " + std::to_string(kRows) + " : B\r\n STEP.M 1 : C\r\n", kCurves);
    for (int row = 0; row < kRows; ++row) {
        text += std::to_string(row + 1);
        for (int c = 0; c < kCurves; ++c)
            text += " " + std::to_string(row * 10000 + c);
        text += "\r\n";
    }
    TempDir dir;
    auto loaded = Load(dir, text);
    ASSERT_TRUE(loaded->result);
    EXPECT_TRUE(loaded->messages.empty());
    ASSERT_EQ(loaded->data.Curves().size(), std::size_t(kCurves));
    EXPECT_EQ(loaded->data.Header.CurveCount, kCurves);
    const RLasCurve& last = *loaded->data.Curves().back();
    EXPECT_EQ(last.Mnemonic, "C4999");
    // A copy: EXPECT_EQ binds references, and the packed sample's Value is misaligned.
    const double lastValue = last.Data.Samples[kRows - 1].Value;
    EXPECT_EQ(lastValue, (kRows - 1) * 10000.0 + 4999);

    ASSERT_TRUE(loaded->data.SaveToLas(dir.File("out.las")));
    RLasData again;
    ASSERT_TRUE(again.LoadFromLas(dir.File("out.las")));
    ASSERT_EQ(again.Curves().size(), std::size_t(kCurves));
    EXPECT_EQ(again.Curves().back()->Values(), last.Values());
}

TEST(HostileSizes, TenMegabyteLinesAreKeptInTheHeaderAndQuotedShortFromTheData)
{
    const std::string range = " STRT.M 1 : A\r\n STOP.M 2 : B\r\n STEP.M 1 : C\r\n";
    std::string numbers;
    while (numbers.size() < 10'000'000)
        numbers += "12345 ";
    TempDir dir;
    // In ~O: kept as it is.
    std::string header = Header(range, 2);
    header.insert(header.find("~A"), "~Other\r\n" + numbers + "\r\n");
    auto inHeader = Load(dir, header + "1 10 20\r\n2 11 21\r\n");
    EXPECT_TRUE(inHeader->result);
    EXPECT_TRUE(inHeader->messages.empty());
    EXPECT_GT(inHeader->data.Header.OtherText.size(), numbers.size());

    // In ~A: two million values where two are wanted. The row keeps its
    // first two; the message shows the line's start and length, not ten
    // megabytes.
    auto inData = Load(dir, Header(range, 2) + "1 10 20\r\n2 " + numbers + "\r\n");
    EXPECT_TRUE(inData->result);
    ASSERT_EQ(inData->messages.size(), 1u);
    const std::string& message = inData->messages[0];
    EXPECT_LT(message.size(), 400u);
    EXPECT_TRUE(Contains(message, "Слишком много данных в строке 2 12345 12345")) << message;
    EXPECT_TRUE(Contains(message, std::to_string(numbers.size() + 2) + " байт")) << message;
    EXPECT_EQ(inData->data.Curves()[1]->Values(), (std::vector<double>{20, 12345}));
}

TEST(HostileSizes, RowsBeyondTheMemoryCeilingAreRefusedBeforeAllocating)
{
    // 1001 rows of one curve: 9 bytes a sample and 8 for its depth. What
    // STRT, STOP and STEP declare does not count, only the rows there are.
    std::string rows;
    for (int row = 0; row <= 1000; ++row)
        rows += std::to_string(row) + " 1\r\n";
    const std::string text = Header(" STRT.M 0 : A\r\n STOP.M 1E9 : B\r\n STEP.M 0.001 : C\r\n", 1) + rows;
    TempDir dir;
    RLasLoadOptions options;
    options.MaxDataBytes = 1001 * 17;
    auto loaded = Load(dir, text, options);
    EXPECT_TRUE(loaded->result);
    EXPECT_EQ(loaded->data.Header.SampleCount, 1001);
    options.MaxDataBytes = 1001 * 17 - 1;
    auto refused = Load(dir, text, options);
    EXPECT_FALSE(refused->result);
    ASSERT_EQ(refused->messages.size(), 1u);
    EXPECT_TRUE(Contains(refused->messages[0], "1001 отсчётов по 1 кривым")) << refused->messages[0];
    EXPECT_FALSE(Contains(refused->messages[0], "половина памяти")) << refused->messages[0];
    EXPECT_TRUE(refused->data.Curves().empty());

    // Wrapped, the rows are not counted ahead: the storage grows up to the
    // ceiling and the load stops there.
    std::string wrapped = Header(" STRT.M 0 : A\r\n STOP.M 1000 : B\r\n STEP.M 1 : C\r\n", 1);
    wrapped.replace(wrapped.find("WRAP. NO"), 8, "WRAP. YES");
    for (int row = 0; row <= 1000; ++row)
        wrapped += std::to_string(row) + "\r\n1\r\n";
    auto grown = Load(dir, wrapped, options);
    EXPECT_FALSE(grown->result);
    ASSERT_EQ(grown->messages.size(), 1u);
    EXPECT_TRUE(Contains(grown->messages[0], "Слишком много отсчётов")) << grown->messages[0];
}
