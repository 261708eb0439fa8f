// loggard-cli build-fonts DIR: rasterises the fonts the charts select while
// drawing a sample log chart and a cross-plot, and writes them to
// DIR/fonts.dat, as the viewer's hidden fonts command does.

#include "chart/chart.h"
#include "cli/commands.h"
#include "container/data_container.h"
#include "raster/bitmap32.h"
#include "view/las_core.h"

#include <cmath>
#include <iostream>

namespace {

// Two curves with a fill between them, one on a log axis: every kind of
// text the charts draw.
void FillSample(RLasCore& core)
{
    for (const char* name : {"GR", "RT"}) {
        auto curve = std::make_unique<RLasCurve>();
        curve->Mnemonic = name;
        curve->Unit = "API";
        curve->FirstDepth = 1000.0;
        curve->Data.Step = 0.5;
        curve->NullValue = -999.25;
        std::vector<double> values;
        for (int k = 0; k <= 200; ++k)
            values.push_back(2.0 + std::sin(k * 0.1) + (name[0] == 'R' ? 5.0 : 0.0));
        curve->LastDepth = curve->Depth(values.size() - 1);
        curve->SetValues(values);
        core.Data->AppendCurve(std::move(curve), "");
    }
    auto logView = std::make_unique<RCurveView>();
    logView->LogAxis = true;
    core.Settings->SetView("RT", std::move(logView));
    core.Prepare(RPrepareMode::Changed);
}

}  // namespace

int RunBuildFonts(const CliArgs& args)
{
    if (args.size() != 1) {
        std::cerr << "usage: loggard-cli build-fonts DIR\n";
        return 2;
    }
    const std::string path = args[0] + "/fonts.dat";
    // Drawing selects each font the charts use, which rasterises it into the
    // process cache; the cache is then saved through a fresh container.
    RLasCore core;
    FillSample(core);
    RChart chart(1200, 800);
    chart.SetUseAntialiasing(true);
    core.BuildChart(chart);
    chart.Draw();
    RLasCrossPlotSettings plot;
    plot.XCurve = 0;
    plot.YCurve = 1;
    plot.MarkerStyle = cmsRound;
    plot.MarkerSize = 5;
    core.BuildCrossPlot(chart, plot);
    chart.Draw();
    RDataContainer fonts;
    chart.Bitmap().BuildFonts(fonts);
    fonts.SaveToFile(path);
    std::cout << "wrote " << path << "\n";
    return 0;
}
