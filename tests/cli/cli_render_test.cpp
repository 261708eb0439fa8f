#include "chart/chart.h"
#include "las/las_data.h"
#include "raster/png_codec.h"
#include "support/cli_runner.h"
#include "view/las_core.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fstream>
#include <memory>

namespace {

const std::string kSample = std::string(LOGGARD_TEST_DATA_DIR) + "/view/depth_columns.las";

nlohmann::json ReadJson(const std::string& path)
{
    std::ifstream in(path);
    return nlohmann::json::parse(in);
}

}  // namespace

TEST(CliRender, DrawsThePngAndDescribesTheChart)
{
    TempDir dir;
    const CliResult result =
        RunCli("render " + kSample + " " + dir.File("out.png") + " --width 400 --height 300 --model " + dir.File("m.json"), dir);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    RPngImage image;
    ASSERT_TRUE(PngCodec::ReadFile(dir.File("out.png"), image));
    EXPECT_EQ(image.width, 400);
    EXPECT_EQ(image.height, 300);

    // The second depth column, DEPTH, is a curve with a track of its own.
    const auto model = ReadJson(dir.File("m.json"));
    ASSERT_EQ(model["curves"].size(), 3u);
    EXPECT_EQ(model["curves"][0]["mnemonic"], "GR");
    EXPECT_EQ(model["curves"][0]["track"], 0);
    EXPECT_EQ(model["curves"][1]["mnemonic"], "DEPTH");
    EXPECT_EQ(model["curves"][1]["track"], 1);
    EXPECT_EQ(model["depth"]["min"], 1000.0);
    EXPECT_EQ(model["depth"]["max"], 1002.0);
    EXPECT_EQ(model["yAxis"]["reverse"], true);
    EXPECT_EQ(model["yAxis"]["gridColor"], "BFBFBF");
    ASSERT_EQ(model["xAxes"].size(), 3u);
    EXPECT_EQ(model["xAxes"][0]["caption"], "GR, GAPI");
    EXPECT_EQ(model["xAxes"][1]["caption"], "DEPTH, M");
    EXPECT_EQ(model["xAxes"][2]["log"], false);
    ASSERT_EQ(model["series"].size(), 3u);
    EXPECT_EQ(model["series"][0]["breaks"], 1);  // GR is null at 1001
    EXPECT_EQ(model["series"][1]["last"], (nlohmann::json{1002.0, 1002.0}));
    EXPECT_EQ(model["series"][2]["first"], (nlohmann::json{2.1, 1000.0}));
    EXPECT_TRUE(model["fills"].empty());
}

TEST(CliRender, ScaleWindowAndBadOptions)
{
    TempDir dir;
    EXPECT_EQ(RunCli("render " + kSample + " " + dir.File("a.png") + " --scale 200 --top 1001", dir).exitCode, 0);
    EXPECT_EQ(RunCli("render " + kSample + " " + dir.File("b.png") + " --scale 200 --fit", dir).exitCode, 2);
    EXPECT_EQ(RunCli("render " + kSample + " " + dir.File("c.png") + " --width 0", dir).exitCode, 2);
    EXPECT_EQ(RunCli("render " + kSample, dir).exitCode, 2);
    EXPECT_EQ(RunCli("render " + dir.File("missing.las") + " " + dir.File("d.png"), dir).exitCode, 1);

    // Settings as the viewer takes them: one named but not there is refused;
    // a damaged one is reported and the log is drawn without its views.
    const CliResult missing =
        RunCli("--lang en render " + kSample + " " + dir.File("e.png") + " --settings " + dir.File("none.dat"), dir);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("cannot read settings"), std::string::npos);
    std::ofstream(dir.File("cut.dat"), std::ios::binary) << "RDCNoncompressFile\x05";
    const CliResult damaged =
        RunCli("--lang en render " + kSample + " " + dir.File("f.png") + " --settings " + dir.File("cut.dat"), dir);
    EXPECT_EQ(damaged.exitCode, 0);
    EXPECT_NE(damaged.err.find(dir.File("cut.dat")), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir.File("f.png")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("d.png")));
}

TEST(CliCrossPlot, PairsTwoCurvesWithTheWindowsDefaults)
{
    TempDir dir;
    const CliResult result = RunCli("crossplot " + kSample + " GR RHOB " + dir.File("x.png") + " --model " + dir.File("x.json"), dir);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto model = ReadJson(dir.File("x.json"));
    EXPECT_EQ(model["points"], 4);  // five depths, GR null at one
    EXPECT_EQ(model["first"], (nlohmann::json{45.0, 2.5}));  // the deepest first
    EXPECT_EQ(model["marker"]["style"], "circle");
    EXPECT_EQ(model["marker"]["gradient"], true);
    // The markers run from the second colour to the first.
    EXPECT_EQ(model["marker"]["color"], "FF0000");
    EXPECT_EQ(model["marker"]["gradientColor"], "00FF00");
    EXPECT_EQ(model["xAxis"]["caption"], "GR, GAPI");
    // The colour scale names depth in the --lang language (Russian by default).
    EXPECT_EQ(model["colorScale"]["caption"], "Глубина");
    const CliResult english = RunCli("--lang en crossplot " + kSample + " GR RHOB " + dir.File("e.png") + " --model " +
                                         dir.File("e.json"),
                                     dir);
    ASSERT_EQ(english.exitCode, 0) << english.err;
    const auto scale = ReadJson(dir.File("e.json"))["colorScale"];
    EXPECT_EQ(scale["caption"], "Depth");
    EXPECT_EQ(scale["least"], model["colorScale"]["least"]);
    EXPECT_NE(scale["least"], scale["greatest"]);

    const CliResult square = RunCli("crossplot " + kSample + " GR RHOB " + dir.File("y.png") +
                                        " --marker square --size 9 --colors 0000FF,FFFF00 --no-gradient --model " + dir.File("y.json"),
                                    dir);
    ASSERT_EQ(square.exitCode, 0) << square.err;
    const auto plain = ReadJson(dir.File("y.json"));
    EXPECT_EQ(plain["marker"]["style"], "square");
    EXPECT_EQ(plain["marker"]["size"], 9);
    EXPECT_EQ(plain["marker"]["color"], "0000FF");
    EXPECT_TRUE(plain["colorScale"].is_null());  // one colour: nothing to explain

    const CliResult unknown = RunCli("crossplot " + kSample + " GR NOPE " + dir.File("z.png"), dir);
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("NOPE"), std::string::npos);
    EXPECT_EQ(RunCli("crossplot " + kSample + " GR RHOB " + dir.File("z.png") + " --marker star", dir).exitCode, 2);
}

TEST(CliCrossPlot, ModelGivesTheAxisRangesThePictureUses)
{
    // Automatic axes: the model reports the ranges the layout gave them,
    // drawn the same way here, not the 0..1 they hold before it.
    TempDir dir;
    const CliResult result = RunCli("crossplot " + kSample + " GR RHOB " + dir.File("x.png") + " --width 640 --height 480"
                                        " --model " + dir.File("x.json"),
                                    dir);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto model = ReadJson(dir.File("x.json"));

    const std::unique_ptr<RLasCore> core = RLasCore::Open(kSample, "", RLasLoadOptions{});
    RLasCrossPlotSettings plot;
    const auto indexOf = [&](const std::string& mnemonic) {
        const auto& curves = core->Data->Curves();
        for (std::size_t i = 0; i < curves.size(); ++i)
            if (curves[i]->Mnemonic == mnemonic)
                return static_cast<std::int32_t>(i);
        return std::int32_t{-1};
    };
    plot.XCurve = indexOf("GR");
    plot.YCurve = indexOf("RHOB");
    plot.UseGradient = true;
    plot.MarkerStyle = cmsRound;
    plot.MarkerSize = 5;
    plot.DepthName = "Глубина";  // the colour scale's caption takes room from the plot
    RChart chart(640, 480);
    chart.SetUseAntialiasing(true);
    core->BuildCrossPlot(chart, plot);
    chart.Draw();
    ASSERT_TRUE(chart.XAxis().At(0) && chart.YAxis().At(0));
    const RAxisPlacement& x = chart.XAxis().At(0)->Placement();
    const RAxisPlacement& y = chart.YAxis().At(0)->Placement();
    ASSERT_TRUE(x.laidOut && y.laidOut);
    EXPECT_DOUBLE_EQ(model["xAxis"]["min"].get<double>(), x.min);
    EXPECT_DOUBLE_EQ(model["xAxis"]["max"].get<double>(), x.max);
    EXPECT_DOUBLE_EQ(model["yAxis"]["min"].get<double>(), y.min);
    EXPECT_DOUBLE_EQ(model["yAxis"]["max"].get<double>(), y.max);
    // GR runs 20..120 and RHOB 2.1..2.5: every point lies on the picture.
    EXPECT_LE(x.min, 20.0);
    EXPECT_GE(x.max, 120.0);
    EXPECT_LE(y.min, 2.1);
    EXPECT_GE(y.max, 2.5);
    EXPECT_LT(y.max - y.min, 1.0);
}

namespace {

// Curves ГК (KOI8-R bytes E7 EB, which read as "зл" in Windows-1251 and are
// guessed so) and GR over three depths; row 2 holds a word where GR's
// number belongs ("нет" in KOI8-R).
std::string WriteKoi8rWell(const TempDir& dir)
{
    const std::string path = dir.File("koi8r.las");
    std::ofstream(path, std::ios::binary)
        << "~VERSION INFORMATION\n VERS. 2.0 :\n WRAP. NO :\n~WELL INFORMATION\n STRT.M 1000 :\n STOP.M 1002 :\n"
           " STEP.M 1 :\n NULL. -999.25 :\n~CURVE INFORMATION\n DEPT.M :\n \xE7\xEB.M :\n GR.API :\n~A\n"
           "1000 1 10\n1001 2 \xCE\xC5\xD4\n1002 3 30\n";
    return path;
}

}  // namespace

TEST(CliRender, EncodingOptionOverridesTheGuessForNamesCaptionsAndQuotes)
{
    TempDir dir;
    const std::string las = WriteKoi8rWell(dir);
    const CliResult guessed = RunCli("--lang en render " + las + " " + dir.File("a.png") + " --model " + dir.File("a.json"), dir);
    ASSERT_EQ(guessed.exitCode, 0) << guessed.err;
    EXPECT_EQ(ReadJson(dir.File("a.json"))["curves"][0]["mnemonic"], "зл");

    const CliResult told = RunCli("--lang en render " + las + " " + dir.File("b.png") + " --encoding koi8-r --model " +
                                      dir.File("b.json"),
                                  dir);
    ASSERT_EQ(told.exitCode, 0) << told.err;
    const auto model = ReadJson(dir.File("b.json"));
    EXPECT_EQ(model["curves"][0]["mnemonic"], "ГК");
    EXPECT_EQ(model["xAxes"][0]["caption"], "ГК, M");
    EXPECT_EQ(model["series"][0]["name"], "ГК");
    EXPECT_EQ(told.err, "1 values in the Data section are not numbers (the first, нет, in row 2); they are taken as empty\n");

    // The cross-plot finds the curve by its name as the option reads it.
    EXPECT_EQ(RunCli("crossplot " + las + " ГК GR " + dir.File("x.png"), dir).exitCode, 2);
    const CliResult plotted = RunCli("crossplot " + las + " ГК GR " + dir.File("x.png") + " --encoding KOI8-R --model " +
                                         dir.File("x.json"),
                                     dir);
    ASSERT_EQ(plotted.exitCode, 0) << plotted.err;
    EXPECT_EQ(ReadJson(dir.File("x.json"))["xAxis"]["caption"], "ГК, M");

    const CliResult unknown = RunCli("render " + las + " " + dir.File("c.png") + " --encoding latin-9", dir);
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("unknown encoding latin-9"), std::string::npos) << unknown.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("c.png")));
    EXPECT_EQ(RunCli("crossplot " + las + " ГК GR " + dir.File("x.png") + " --encoding", dir).exitCode, 2);
}

TEST(CliRender, AModelThatCannotBeWrittenFailsTheCommandAndKeepsTheOldModel)
{
    TempDir dir;
    const std::string old = "{\"an older model\": true}\n";
    WriteWholeFile(dir.File("m.json"), old);
    const std::string render = "render " + kSample + " " + dir.File("r.png") + " --width 64 --height 64 --model ";

    // A full disk: the picture (about 1.3 KB) fits under the limit, the
    // model (about 1.9 KB) does not.
    const CliResult full = RunCliUnderFileSizeLimit(render + dir.File("m.json"), dir, 1600);
    EXPECT_EQ(full.exitCode, 1) << full.err;
    EXPECT_EQ(full.err, "Ошибка записи в файл: " + std::string(std::strerror(EFBIG)) + " (" + dir.File("m.json") + ")\n");
    EXPECT_TRUE(std::filesystem::exists(dir.File("r.png")));
    EXPECT_EQ(ReadWholeFile(dir.File("m.json")), old);

    // A missing folder and a folder that is a file say why, in the --lang
    // language.
    const CliResult missing = RunCli("--lang en " + render + dir.File("no/m.json"), dir);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "Cannot open file " + dir.File("no/m.json") + ": No such file or directory\n");
    const CliResult underFile = RunCli(render + dir.File("m.json/inner.json"), dir);
    EXPECT_EQ(underFile.exitCode, 1);
    EXPECT_EQ(underFile.err,
              "Ошибка открытия файла " + dir.File("m.json/inner.json") + ": " + std::strerror(ENOTDIR) + "\n");
    EXPECT_EQ(ReadWholeFile(dir.File("m.json")), old);

    // /dev/full is written as a device, and refuses; it stays a device.
    const CliResult device = RunCli("--lang en crossplot " + kSample + " GR RHOB " + dir.File("x.png") + " --model /dev/full", dir);
    EXPECT_EQ(device.exitCode, 1);
    EXPECT_EQ(device.err, "Error writing file: No space left on device (/dev/full)\n");
    EXPECT_EQ(std::filesystem::status("/dev/full").type(), std::filesystem::file_type::character);

    // A model saved through a link replaces the file the link leads to.
    std::filesystem::create_symlink("m.json", dir.File("link.json"));
    const CliResult linked = RunCli(render + dir.File("link.json"), dir);
    EXPECT_EQ(linked.exitCode, 0) << linked.err;
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.json")));
    EXPECT_EQ(ReadJson(dir.File("m.json"))["curves"][0]["mnemonic"], "GR");
}
