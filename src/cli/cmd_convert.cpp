// loggard-cli convert IN.las OUT.las: loads a LAS file and saves it again as
// the viewer's Save would, in the file's own version and wrap mode.

#include "cli/commands.h"
#include "cli/las_loading.h"
#include "las/las_data.h"
#include "las/logging.h"

#include <iostream>

int RunConvert(const CliArgs& args)
{
    if (args.size() != 2) {
        std::cerr << "usage: loggard-cli convert IN.las OUT.las\n";
        return 2;
    }
    RLogFunctionSink sink(PrintDiagnostic);
    RLasData data;
    const bool loaded = LoadLasFile(data, args[0], {});
    // Saved even after a failed load, so that the save's own messages show.
    const bool saved = data.SaveToLas(args[1]);
    return loaded && saved ? 0 : 1;
}
