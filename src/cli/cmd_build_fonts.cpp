// loggard-cli build-fonts DIR: rasterises the fonts the log chart draws with
// and writes them to DIR/fonts.dat, as the viewer's hidden "buildfonts"
// command does.

#include "cli/commands.h"
#include "container/data_container.h"
#include "raster/bitmap32.h"
#include "raster/font.h"

#include <iostream>

namespace {

// The log chart's fonts: axis labels, axis captions (upright and turned to
// run upwards), titles.
const RFont kChartFonts[] = {
    RFont("Arial", 8),
    RFont("Arial", 8, 7),
    RFont("Arial", 10),
    RFont("Arial", 10, 7),
    RFont("Arial", 8, 4, false, false, false, 900),
    RFont("Arial", 8, 7, false, false, false, 900),
};

}  // namespace

int RunBuildFonts(const CliArgs& args)
{
    if (args.size() != 1) {
        std::cerr << "usage: loggard-cli build-fonts DIR\n";
        return 2;
    }
    const std::string path = args[0] + "/fonts.dat";
    // The chart's bitmap selects each font, which rasterises it into the
    // process cache; the cache is then saved through a fresh container.
    RBitmap32 chartBitmap;
    for (const RFont& font : kChartFonts) {
        chartBitmap.SetFont(font);
        chartBitmap.CurrentFontData();
    }
    RDataContainer fonts;
    chartBitmap.BuildFonts(fonts);
    fonts.SaveToFile(path);
    std::cout << "wrote " << path << " (" << std::size(kChartFonts) << " fonts)\n";
    return 0;
}
