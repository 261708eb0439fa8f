// Drives loggard-cli as a script would: exit codes and what it prints.

#include "container/data_container.h"
#include "support/cli_runner.h"

#include <gtest/gtest.h>


TEST(CliDump, PrintsTheTreeWithTypesAndValues)
{
    TempDir dir;
    RDataContainer container;
    RDCObject* object = container.NodeByPath("LasSettings\\View\\GR", true)->Object(0);
    object->Value(0)->SetInteger(255);
    object->Value(1)->SetString("Gamma");
    object->Value(2)->SetBinary(20, "0123456789abcdefghij");
    object->Value(3)->SetDouble(-0.5);
    container.SaveToFile(dir.File("settings.dat"));

    const CliResult run = RunCli("dump " + dir.File("settings.dat"), dir);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
              "\"LasSettings\"\n"
              "  \"View\"\n"
              "    \"GR\"\n"
              "      object 0 (4 values)\n"
              "        0: integer 255\n"
              "        1: string \"Gamma\"\n"
              "        2: binary 20 bytes 30 31 32 33 34 35 36 37 38 39 61 62 63 64 65 66 ...\n"
              "        3: double -0.5\n");
}

TEST(CliDump, DamagedOrForeignFilesExitWithOneAndAMessage)
{
    TempDir dir;
    WriteWholeFile(dir.File("cut.dat"), std::string("RDCNoncompressFile\1\0\0\0", 22));
    CliResult run = RunCli("dump " + dir.File("cut.dat"), dir);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Ошибка чтения из файла: "), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());

    WriteWholeFile(dir.File("text.dat"), "just some text, not a container");
    run = RunCli("dump " + dir.File("text.dat"), dir);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(run.err.empty());
}

TEST(CliUsage, HelpListsCommandsAndUnknownCommandsAreUsageErrors)
{
    TempDir dir;
    CliResult run = RunCli("--help", dir);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("dump FILE"), std::string::npos);
    run = RunCli("frobnicate", dir);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("unknown command"), std::string::npos);
    EXPECT_EQ(RunCli("", dir).exitCode, 2);
}
