// loggard-cli calc, driven as a script would.

#include "container/data_container.h"
#include "las/las_data.h"
#include "support/cli_runner.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

// ~C: DEPT (the index), GR, DEPTH, RHOB over 1000 .. 1002 step 0.5: curves
// GR, DEPTH and RHOB; NULL -9999; GR is null at 1001.
const std::string kInput = std::string(LOGGARD_TEST_DATA_DIR) + "/view/depth_columns.las";

RLasData Load(const std::string& path)
{
    RLasData data;
    EXPECT_TRUE(data.LoadFromLas(path));
    return data;
}

// A settings file holding these methods (name, formula).
void WriteMethods(const std::string& path, const std::vector<std::pair<std::string, std::string>>& methods)
{
    RDataContainer container;
    for (const auto& [name, formula] : methods)
        container.NodeByPath("LasSettings\\CalcMethod\\" + name, true)->Object(0)->Value(0)->SetString(formula);
    container.SaveToFile(path);
}

TEST(CliCalcTest, EntriesBecomeColumnsInOrder)
{
    const TempDir dir;
    const CliResult result = RunCli("calc " + kInput + " " + dir.File("out.las")
                                        + " 'VSH=(GR-20)/(120-20)' 'PHI=IF(ISNULL(VSH),NULL,VSH*100)'",
                                    dir);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const RLasData out = Load(dir.File("out.las"));
    ASSERT_EQ(out.Curves().size(), 5u);
    EXPECT_EQ(out.Curves()[2]->Mnemonic, "RHOB");
    EXPECT_EQ(out.Curves()[3]->Mnemonic, "VSH");
    EXPECT_EQ(out.Curves()[4]->Mnemonic, "PHI");
    EXPECT_DOUBLE_EQ(out.Curves()[4]->Data.Samples[1].Value, 50.0);
    EXPECT_TRUE(RLasCurveDataWrapper::IsNull(out.Curves()[4]->Data, 2));
}

TEST(CliCalcTest, ParseErrorWritesNothing)
{
    const TempDir dir;
    const CliResult result = RunCli("calc " + kInput + " " + dir.File("out.las") + " 'A=GR*2' 'B=GR+XYZ'", dir);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err,
              "Ошибка разбора формулы: кривая XYZ не найдена.\r\nОшибка на символе 4: GR+ __ XYZ __ \n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.las")));
}

TEST(CliCalcTest, StoredMethodsFirstAndBadOnesSkipped)
{
    const TempDir dir;
    WriteMethods(dir.File("settings.dat"), {{"VSH", "GR/100"}, {"BAD", "NOPE"}, {"DEN", "RHOB*1000"}});
    const CliResult result = RunCli("calc " + kInput + " " + dir.File("out.las") + " --methods "
                                        + dir.File("settings.dat") + " 'TWICE=VSH*2'",
                                    dir);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("method BAD skipped: Ошибка разбора формулы: кривая NOPE не найдена."),
              std::string::npos);
    const RLasData out = Load(dir.File("out.las"));
    ASSERT_EQ(out.Curves().size(), 6u);
    // The store's order is by name.
    EXPECT_EQ(out.Curves()[3]->Mnemonic, "DEN");
    EXPECT_EQ(out.Curves()[4]->Mnemonic, "VSH");
    EXPECT_EQ(out.Curves()[5]->Mnemonic, "TWICE");
    EXPECT_DOUBLE_EQ(out.Curves()[5]->Data.Samples[0].Value, 0.4);
}

// The standard LAS 1.2 example runs from 1670 m up (STEP -0.125).
TEST(CliCalcTest, DecreasingDepthFileIsComputed)
{
    const std::string input = std::string(LOGGARD_CORPUS_DIR) + "/standards/examples/1.2/sample.las";
    ASSERT_TRUE(std::filesystem::exists(input)) << input;
    const TempDir dir;
    const CliResult result = RunCli("calc " + input + " " + dir.File("out.las") + " 'X=DT*2'", dir);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const RLasData out = Load(dir.File("out.las"));
    ASSERT_FALSE(out.Curves().empty());
    const RLasCurve& x = *out.Curves().back();
    ASSERT_EQ(x.Mnemonic, "X");
    ASSERT_GE(x.SampleCount(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_DOUBLE_EQ(x.Data.Samples[i].Value, 246.9) << i;
}

TEST(CliCalcTest, UnreadableSettingsOrBadArgumentsFail)
{
    const TempDir dir;
    WriteWholeFile(dir.File("settings.dat"), "RDCNoncompressFile\x05\x00");
    EXPECT_EQ(RunCli("calc " + kInput + " " + dir.File("out.las") + " --methods " + dir.File("settings.dat"), dir)
                  .exitCode,
              1);
    EXPECT_EQ(RunCli("calc " + kInput + " " + dir.File("out.las") + " --methods " + dir.File("none.dat"), dir)
                  .exitCode,
              1);
    EXPECT_EQ(RunCli("calc " + kInput + " " + dir.File("out.las"), dir).exitCode, 2);
    EXPECT_EQ(RunCli("calc " + kInput + " " + dir.File("out.las") + " NOEQUALS", dir).exitCode, 2);
    EXPECT_EQ(RunCli("calc " + dir.File("none.las") + " " + dir.File("out.las") + " A=1", dir).exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.las")));
}

}  // namespace
