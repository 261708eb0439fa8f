#include "support/cli_runner.h"

#include <gtest/gtest.h>

namespace {

// A header without STRT: the load fails on the Well section.
const std::string kNoStrt = "~V\r\nVERS. 2.0 : X\r\nWRAP. NO : Y\r\n~W\r\nSTOP.M 1 : A\r\nSTEP.M 1 : A\r\n"
                            "NULL. -999.25 : A\r\n~C\r\nDEPT.M : D\r\n~A\r\n1\r\n";

}  // namespace

TEST(CliLanguage, DiagnosticsAreWordedInTheChosenLanguage)
{
    TempDir dir;
    WriteWholeFile(dir.File("nostrt.las"), kNoStrt);
    const std::string command = "info " + dir.File("nostrt.las");

    const CliResult russian = RunCli(command, dir);
    EXPECT_EQ(russian.exitCode, 1);
    EXPECT_EQ(russian.err, "Не найдено поле STRT в секции Well\nНе удалось прочитать заголовок файла\n");
    EXPECT_EQ(RunCli("--lang ru " + command, dir).err, russian.err);

    const CliResult english = RunCli("--lang en " + command, dir);
    EXPECT_EQ(english.exitCode, 1);
    EXPECT_EQ(english.out, "");
    EXPECT_EQ(english.err, "Item STRT not found in the Well section\nCould not read the file header\n");
    EXPECT_EQ(RunCli("--lang=en " + command, dir).err, english.err);
}

TEST(CliLanguage, QuotedFileBytesAreDecodedInEitherLanguage)
{
    TempDir dir;
    WriteWholeFile(dir.File("nodot.las"), "~V\r\nVERS. 2.0 : X\r\nWRAP. NO : Y\r\n~W\r\nSTRT.M 1 : A\r\n"
                                          "STOP.M 1 : A\r\nSTEP.M 1 : A\r\nNULL. -999.25 : A\r\n"
                                          "\xD1\xEA\xE2\xE0\xE6\xE8\xED\xE0 : W\r\n~C\r\nDEPT.M : D\r\n~A\r\n1\r\n");
    const CliResult english = RunCli("--lang en info " + dir.File("nodot.las"), dir);
    EXPECT_NE(english.err.find("No dot found in line Скважина : W\n"), std::string::npos) << english.err;
}

TEST(CliLanguage, AnUnknownOrMissingLanguageIsAUsageError)
{
    TempDir dir;
    WriteWholeFile(dir.File("nostrt.las"), kNoStrt);
    const CliResult unknown = RunCli("--lang de info " + dir.File("nostrt.las"), dir);
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("unknown language 'de'"), std::string::npos) << unknown.err;
    EXPECT_EQ(RunCli("--lang", dir).exitCode, 2);
    EXPECT_EQ(RunCli("--lang en", dir).exitCode, 2);
    EXPECT_EQ(RunCli("--lang en --help", dir).exitCode, 0);
}

TEST(CliLanguage, FileFormulaAndSettingsErrorsFollowTheChosenLanguage)
{
    TempDir dir;
    // A container file that promises a node and ends.
    WriteWholeFile(dir.File("cut.dat"), std::string("RDCNoncompressFile\1\0\0\0", 22));
    const std::string dump = "dump " + dir.File("cut.dat");
    EXPECT_EQ(RunCli(dump, dir).err, "Ошибка чтения из файла: некорректное число узлов (" + dir.File("cut.dat")
                                         + ", смещение 22)\n");
    EXPECT_EQ(RunCli("--lang en " + dump, dir).err,
              "Error reading file: invalid number of nodes (" + dir.File("cut.dat") + ", offset 22)\n");

    const std::string input = std::string(LOGGARD_TEST_DATA_DIR) + "/view/depth_columns.las";
    const std::string calc = "calc " + input + " " + dir.File("out.las") + " 'B=GR+XYZ'";
    EXPECT_EQ(RunCli(calc, dir).err,
              "Ошибка разбора формулы: кривая XYZ не найдена.\r\nОшибка на символе 4: GR+ __ XYZ __ \n");
    const CliResult english = RunCli("--lang en " + calc, dir);
    EXPECT_EQ(english.exitCode, 2);
    EXPECT_EQ(english.err, "Formula error: curve XYZ not found.\r\nError at character 4: GR+ __ XYZ __ \n");

    // A damaged settings file given for the methods is named in the language too.
    const CliResult settings = RunCli("--lang en calc " + input + " " + dir.File("out.las") + " --methods "
                                          + dir.File("cut.dat") + " 'A=GR'",
                                      dir);
    EXPECT_NE(settings.err.find("Settings file " + dir.File("cut.dat") + " is damaged; the curve views and formulas "
                                "in it were not loaded: Error reading file: invalid number of nodes"),
              std::string::npos)
        << settings.err;
}
