#include "support/cli_runner.h"
#include "support/fifo_guard.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace {

const std::string kFixtures = std::string(LOGGARD_TEST_DATA_DIR) + "/las/";

const std::string kSmallLas = "~Version\r\n VERS. 2.0 : X\r\n WRAP. NO : Y\r\n"
                              "~Well\r\n STRT.M 1000 : A\r\n STOP.M 1000.5 : B\r\n STEP.M 0.25 : C\r\n"
                              " NULL. -999.25 : N\r\n UWI. 0012345 : UWI\r\n"
                              "~Curve\r\n DEPT.M : D\r\n GR.GAPI : G\r\n"
                              "~A\r\n1000 10.1\r\n1000.25 -999.25\r\n1000.5 30.3\r\n";

}  // namespace

TEST(CliInfo, PrintsHeaderAndCurvesAsJson)
{
    TempDir dir;
    WriteWholeFile(dir.File("in.las"), kSmallLas);
    const CliResult result = RunCli("info " + dir.File("in.las"), dir);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const auto info = nlohmann::json::parse(result.out);
    EXPECT_EQ(info["version"], "2.0");
    EXPECT_EQ(info["wrap"], false);
    EXPECT_EQ(info["well"]["STRT"]["value"], 1000.0);
    EXPECT_EQ(info["well"]["STEP"]["unit"], "M");
    EXPECT_EQ(info["well"]["NULL"]["value"], -999.25);
    EXPECT_EQ(info["well"]["UWI"], "0012345");
    EXPECT_EQ(info["well"]["API"], "");
    EXPECT_EQ(info["samples"], 3);
    ASSERT_EQ(info["curves"].size(), 1u);
    const auto& gr = info["curves"][0];
    EXPECT_EQ(gr["mnemonic"], "GR");
    EXPECT_EQ(gr["samples"], 3);
    EXPECT_EQ(gr["nulls"], 1);
    EXPECT_EQ(gr["min"].get<double>(), 10.1);
    EXPECT_EQ(gr["max"].get<double>(), 30.3);
}

TEST(CliInfo, AFifoAFolderOrADeviceIsRefusedAtOnceByWhatItIs)
{
    TempDir dir;
    const std::string fifo = dir.File("pipe.las");
    MakeFifo(fifo);
    const std::string folder = dir.File("folder.las");
    std::filesystem::create_directory(folder);
    const std::pair<std::string, std::string> cases[] = {
        {"info " + fifo, fifo + " не является обычным файлом (именованный канал (FIFO))\n"},
        {"--lang en info " + fifo, fifo + " is not a regular file (FIFO (named pipe))\n"},
        {"info /dev/null", "/dev/null не является обычным файлом (символьное устройство)\n"},
        {"--lang en info " + folder, folder + " is a folder, not a file\n"},
    };
    for (const auto& [arguments, message] : cases) {
        const FifoGuard guard(fifo);
        const CliResult result = RunCli(arguments, dir);
        EXPECT_FALSE(guard.Unblocked()) << arguments;
        EXPECT_EQ(result.exitCode, 1) << arguments;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, message);
    }
}

TEST(CliInfo, AFileOfOnlyTheDepthColumnSaysWhyItFails)
{
    TempDir dir;
    const std::string path = dir.File("depth.las");
    WriteWholeFile(path, "~Version\r\n VERS. 2.0 : X\r\n WRAP. NO : Y\r\n~Well\r\n STRT.M 1 : A\r\n"
                         " STOP.M 2 : B\r\n STEP.M 1 : C\r\n NULL. -999.25 : N\r\n~Curve\r\n DEPT.M : D\r\n"
                         "~A\r\n1\r\n2\r\n");
    const CliResult info = RunCli("--lang en info " + path, dir);
    EXPECT_EQ(info.exitCode, 1);
    EXPECT_EQ(info.err, "File " + path + " has no curves: its data hold only the depth column\n");
    const CliResult convert = RunCli("convert " + path + " " + dir.File("out.las"), dir);
    EXPECT_EQ(convert.exitCode, 1);
    EXPECT_NE(convert.err.find("В файле " + path + " нет кривых: в его данных только столбец глубины\n"),
              std::string::npos)
        << convert.err;
}

TEST(CliInfo, DecodesWindows1251AndReportsFailuresOnStderr)
{
    TempDir dir;
    const CliResult result = RunCli("info " + kFixtures + "windows1251_well_names.las", dir);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto info = nlohmann::json::parse(result.out);
    EXPECT_EQ(info["well"]["WELL"], "Скважина 17-бис");
    EXPECT_EQ(info["curves"][0]["mnemonic"], "ГК");

    WriteWholeFile(dir.File("broken.las"), "~V\r\nVERS. 2.0 : X\r\n~W\r\nSTRT.M 1 : A\r\n~A\r\n1 2\r\n");
    const CliResult broken = RunCli("info " + dir.File("broken.las"), dir);
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_EQ(broken.out, "");
    EXPECT_EQ(broken.err, "Не найдено поле STOP в секции Well\nНе найдено поле STEP в секции Well\n"
                          "Не найдено поле NULL в секции Well\nНе удалось прочитать заголовок файла\n");

    // A message quoting a Windows-1251 line keeps its own Russian text.
    WriteWholeFile(dir.File("nodot.las"), "~V\r\nVERS. 2.0 : X\r\nWRAP. NO : Y\r\n~W\r\nSTRT.M 1 : A\r\n"
                                          "STOP.M 1 : A\r\nSTEP.M 1 : A\r\nNULL. -999.25 : A\r\n"
                                          "\xD1\xEA\xE2\xE0\xE6\xE8\xED\xE0 : W\r\n~C\r\nDEPT.M : D\r\n~A\r\n1\r\n");
    const CliResult quoted = RunCli("info " + dir.File("nodot.las"), dir);
    EXPECT_NE(quoted.err.find("Не найдена точка в строке Скважина"), std::string::npos) << quoted.err;
}

namespace {

// Bytes a terminal acts on: C0 controls other than the line breaks and
// tabs of the tool's own layout, DEL, and the C1 controls in UTF-8.
std::string TerminalControls(const std::string& text)
{
    std::string found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool c1 = byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0;
        if ((byte < 0x20 && byte != '\n' && byte != '\t') || byte == 0x7F || c1)
            found += std::to_string(byte) + "@" + std::to_string(i) + " ";
    }
    return found;
}

}  // namespace

TEST(CliInfo, ControlBytesOfTheFileReachTheTerminalEscaped)
{
    // A title sequence, a bell, a screen clear (C1 CSI in UTF-8) and DEL in
    // a well item, a mnemonic and a data line with too many values, and a
    // bare CR, which ends a line.
    TempDir dir;
    WriteWholeFile(dir.File("esc.las"),
                   "~Version\r\n VERS. 2.0 : X\r\n WRAP. NO : Y\r\n"
                   "~Well\r\n STRT.M 1000 : A\r\n STOP.M 1000.5 : B\r\n STEP.M 0.25 : C\r\n"
                   " NULL. -999.25 : N\r\n WELL. W\x1b]0;owned\x07x\xC2\x9B" "2J\x7Fz : WELL\r\n"
                   "~Curve\r\n DEPT.M : D\r\n G\x1bR\x07X.GAPI : G\r\n"
                   "~A\r\n1000 10.1\r\n1000.25 20\r5\r\n1000.5 30.3 \x1b]0;owned\x07 \xC2\x9B" "2J 7\r\n");
    const CliResult result = RunCli("--lang en info " + dir.File("esc.las"), dir);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(TerminalControls(result.out), "");
    EXPECT_EQ(TerminalControls(result.err), "");
    EXPECT_NE(result.err.find("Too many values in line 1000.5 30.3 \\x1b]0;owned\\x07 \\x9b" "2J 7 of the Data section"),
              std::string::npos)
        << result.err;
    // The JSON escapes them its own way and reads back as the file's text.
    const auto info = nlohmann::json::parse(result.out);
    EXPECT_EQ(info["well"]["WELL"], "W\x1b]0;owned\x07x\xC2\x9B" "2J\x7Fz");
    ASSERT_EQ(info["curves"].size(), 1u);
    EXPECT_EQ(info["curves"][0]["mnemonic"], "G\x1bR\x07X");
    EXPECT_NE(result.out.find("\\u009b"), std::string::npos);
    EXPECT_NE(result.out.find("\\u007f"), std::string::npos);

    // A file name is shown the same way, in Russian as in English.
    const CliResult missing = RunCli("info '" + dir.File("no\x1b]0;owned\x07.las") + "'", dir);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(TerminalControls(missing.err), "");
    EXPECT_NE(missing.err.find("no\\x1b]0;owned\\x07.las не найден"), std::string::npos) << missing.err;
}

TEST(CliConvert, SavesAfterEveryLoadAndFailsOnlyOnRealFailures)
{
    TempDir dir;
    // One row past STOP: the header disagrees with the data, which wins.
    WriteWholeFile(dir.File("in.las"), kSmallLas + "1000.75 40\r\n");
    // Diagnostics alone do not fail the command.
    const CliResult ok = RunCli("convert " + dir.File("in.las") + " " + dir.File("out.las"), dir);
    EXPECT_EQ(ok.exitCode, 0);
    EXPECT_EQ(ok.err, "STOP 1000.5 не совпадает с последней глубиной в данных 1000.75; используются глубины из данных\n"
                      "По STRT, STOP и STEP в секции Data должно быть 3 строк, а в данных 4; прочитаны все строки\n");
    const std::string out = ReadWholeFile(dir.File("out.las"));
    EXPECT_NE(out.find("\r\nSTOP.M        1000.75:\r\n"), std::string::npos) << out;
    EXPECT_NE(out.find("~A\r\n1000.0000\t10.1000\r\n1000.2500\t-999.2500\r\n1000.5000\t30.3000\r\n"
                       "1000.7500\t40.0000\r\n"),
              std::string::npos)
        << out;

    // A failed load still reaches the save, whose message follows the load's.
    WriteWholeFile(dir.File("bad.las"), "~V\r\nVERS. 2.0 : X\r\n~W\r\nSTRT.M 1 : A\r\n");
    const CliResult bad = RunCli("convert " + dir.File("bad.las") + " " + dir.File("out2.las"), dir);
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.err, "Файл " + dir.File("bad.las") + " не содержит секции данных\n"
                       "Не удалось записать в файл: отсутствует секция данных\n");

    const CliResult usage = RunCli("convert " + dir.File("in.las"), dir);
    EXPECT_EQ(usage.exitCode, 2);
}

// A full disk, stood in for by a file-size limit: the save fails with a
// message and exit code 1, the old target stays byte for byte and no
// temporary is left beside it.
TEST(CliConvert, WriteErrorKeepsTheOldTargetAndLeavesNoTemporary)
{
    TempDir dir;
    std::string las = kSmallLas.substr(0, kSmallLas.find("STOP")) + "STOP.M 5999.75 : B\r\n"
                      + kSmallLas.substr(kSmallLas.find(" STEP"), kSmallLas.find("~A") - kSmallLas.find(" STEP"))
                      + "~A\r\n";
    for (int i = 0; i < 20000; ++i)
        las += std::to_string(1000 + i * 0.25) + " " + std::to_string(i % 97) + "\r\n";
    WriteWholeFile(dir.File("in.las"), las);
    const std::string old = "~Version\r\n an older file, byte for byte\r\n";
    WriteWholeFile(dir.File("out.las"), old);
    const std::vector<std::string> before = FileNames(dir.Path().string());

    const CliResult result = RunCliUnderFileSizeLimit(
        "convert " + dir.File("in.las") + " " + dir.File("out.las"), dir, 64 * 1024);
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_NE(result.err, "");
    EXPECT_EQ(ReadWholeFile(dir.File("out.las")), old);
    std::vector<std::string> after = FileNames(dir.Path().string());
    std::erase_if(after, [](const std::string& name) { return name.rfind("cli-", 0) == 0; });
    EXPECT_EQ(after, before);

    // Without the limit the same command succeeds: the file was not the fault.
    const CliResult unlimited = RunCli("convert " + dir.File("in.las") + " " + dir.File("out.las"), dir);
    EXPECT_EQ(unlimited.exitCode, 0) << unlimited.err;
    EXPECT_GT(ReadWholeFile(dir.File("out.las")).size(), std::size_t{64 * 1024});
}

TEST(CliConvert, TermOrInterruptDuringASaveLeavesNoTemporary)
{
    TempDir dir;
    // About 30 MB to write: time enough to catch the save under way.
    std::string las = "~Version\r\n VERS. 2.0 : X\r\n WRAP. NO : Y\r\n~Well\r\n STRT.M 0 : A\r\n"
                      " STOP.M 39999.9 : B\r\n STEP.M 0.1 : C\r\n NULL. -999.25 : N\r\n~Curve\r\n DEPT.M : D\r\n";
    for (int c = 0; c < 8; ++c)
        las += " C" + std::to_string(c) + ".U : V\r\n";
    las += "~A\r\n";
    las.reserve(las.size() + (40u << 20));
    char line[160];
    for (int i = 0; i < 400000; ++i) {
        const int length = std::snprintf(line, sizeof line, "%d.%d 1.5 2.25 3 4.125 5 6.5 7 8.75\r\n", i / 10, i % 10);
        las.append(line, static_cast<std::size_t>(length));
    }
    WriteWholeFile(dir.File("in.las"), las);
    const std::string old = "~Version\r\n an older file\r\n";
    const std::string binary = std::string(LOGGARD_BIN_DIR) + "/loggard-cli";

    for (const int signalNumber : {SIGTERM, SIGINT}) {
        WriteWholeFile(dir.File("out.las"), old);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::execl(binary.c_str(), "loggard-cli", "convert", dir.File("in.las").c_str(), dir.File("out.las").c_str(),
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // The temporary is listed before the first byte goes into it: once
        // it has some, the signal finds it.
        bool caught = false;
        for (int wait = 0; wait < 60000 && !caught; ++wait) {
            for (const std::string& name : FileNames(dir.Path().string())) {
                if (name.rfind("out.las.", 0) == 0 && std::filesystem::file_size(dir.File(name)) > 0) {
                    caught = true;
                    break;
                }
            }
            if (!caught)
                ::usleep(500);
        }
        ::kill(child, signalNumber);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(caught) << "the save was never seen under way";
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber) << status;
        EXPECT_EQ(FileNames(dir.Path().string()), (std::vector<std::string>{"in.las", "out.las"}));
        EXPECT_EQ(ReadWholeFile(dir.File("out.las")), old);
    }
}
