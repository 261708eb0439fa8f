// loggard-cli build-fonts: the fonts the charts draw with land in DIR/fonts.dat.

#include "container/data_container.h"
#include "support/cli_runner.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(CliBuildFonts, WritesTheChartFontsAsAContainer)
{
    TempDir dir;
    const CliResult run = RunCli("build-fonts " + dir.Path().string(), dir);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    RDataContainer fonts;
    ASSERT_TRUE(fonts.LoadFromFile(dir.File("fonts.dat")));
    // What the log chart and the cross-plot draw: labels, captions, and the
    // cross-plot's vertical caption running upwards.
    for (const char* path : {"Arial\\8\\4\\000\\0", "Arial\\8\\7\\000\\0", "Arial\\8\\7\\000\\900"}) {
        RDCNode* node = fonts.NodeByPath(path);
        ASSERT_NE(node, nullptr) << path;
        EXPECT_EQ(node->ObjectCount(), 225) << path;
        // The digit 0 has ink: a non-empty run block.
        EXPECT_GT(node->ObjectAt('0' - 31)->ValueAt(0)->Size(), 0u) << path;
    }

    const CliResult dump = RunCli("dump " + dir.File("fonts.dat"), dir);
    EXPECT_EQ(dump.exitCode, 0);
    EXPECT_EQ(dump.out.rfind("\"Arial\"\n  \"", 0), 0u) << dump.out.substr(0, 200);
    EXPECT_NE(dump.out.find("\n      \"000\"\n        \"0\"\n"), std::string::npos);
}

TEST(CliBuildFonts, UsageAndUnwritableFolders)
{
    TempDir dir;
    EXPECT_EQ(RunCli("build-fonts", dir).exitCode, 2);
    const CliResult run = RunCli("build-fonts " + dir.File("missing"), dir);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(run.err.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing")));
}
