// loggard-cli: a headless front end over Loggard's core, for scripts and
// batch work.

#include "cli/commands.h"
#include "container/text_codec.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>

namespace {

struct Command {
    const char* name;
    const char* usage;
    const char* summary;
    int (*run)(const CliArgs&);
};

constexpr Command kCommands[] = {
    {"dump", "dump FILE", "print a container file (settings.dat, fonts.dat) as a tree", RunDump},
    {"info", "info FILE.las", "print a LAS file's header and curves as JSON", RunInfo},
    {"convert", "convert IN.las OUT.las", "load a LAS file and save it again", RunConvert},
    {"calc", "calc IN.las OUT.las [--methods settings.dat] [NAME=FORMULA ...]",
     "compute curves from formulas and save the result", RunCalc},
    {"build-fonts", "build-fonts DIR", "rasterise the chart fonts into DIR/fonts.dat", RunBuildFonts},
    {"render", "render IN.las OUT.png [--settings F] [--width W] [--height H] [--scale N | --fit] [--top D]",
     "draw the log chart as the viewer does and save it as PNG (--model F.json, --timings)", RunRender},
    {"crossplot", "crossplot IN.las XCURVE YCURVE OUT.png [--marker M] [--size N] [--colors A,B] [--no-gradient]",
     "draw a cross-plot of two curves and save it as PNG (--settings F, --model F.json)", RunCrossPlot},
};

void PrintUsage(std::FILE* out)
{
    std::fprintf(out, "usage: loggard-cli COMMAND [ARGS]\n\ncommands:\n");
    for (const Command& command : kCommands)
        std::fprintf(out, "  %-60s %s\n", command.usage, command.summary);
}

}  // namespace

void PrintDiagnostic(const std::string& text)
{
    // A message is program text in UTF-8 that may quote file bytes in
    // Windows-1251; NUL bytes from the file are written through as well.
    const std::string line = TextCodec::DecodeMixed(text) + '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
}

int main(int argc, char** argv)
{
    // Past a file-size limit the kernel sends SIGXFSZ, which would kill us
    // with a temporary file left beside the target. Ignored, the write
    // fails with EFBIG instead and the save reports it like a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    if (argc < 2) {
        PrintUsage(stderr);
        return 2;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0
        || std::strcmp(argv[1], "help") == 0) {
        PrintUsage(stdout);
        return 0;
    }
    for (const Command& command : kCommands) {
        if (std::strcmp(argv[1], command.name) != 0)
            continue;
        try {
            return command.run(CliArgs(argv + 2, argv + argc));
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s\n", error.what());
            return 1;
        }
    }
    std::fprintf(stderr, "loggard-cli: unknown command '%s'\n", argv[1]);
    PrintUsage(stderr);
    return 2;
}
