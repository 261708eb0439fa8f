// loggard-cli calc IN.las OUT.las [--methods settings.dat] [NAME=FORMULA ...]:
// computes curves from formulas into new data columns and saves the result.
// Stored methods of a settings file come first (each on its own: one that
// does not parse is reported and skipped), then the command line's entries
// (all or nothing: a parse error writes nothing).

#include "cli/commands.h"
#include "cli/las_loading.h"
#include "container/error.h"
#include "las/las_data.h"
#include "las/logging.h"
#include "view/calculated_curves.h"
#include "view/las_settings.h"

#include <iostream>

namespace {

constexpr const char* kUsage = "usage: loggard-cli calc IN.las OUT.las [--methods settings.dat] [NAME=FORMULA ...]\n";

int UsageError(const std::string& problem)
{
    std::cerr << "loggard-cli calc: " << problem << "\n" << kUsage;
    return 2;
}

RCalcEntry MakeEntry(std::string name, std::string formula)
{
    RCalcEntry entry;
    entry.Name = std::move(name);
    entry.Method.Formula = std::move(formula);
    return entry;
}

}  // namespace

int RunCalc(const CliArgs& args)
{
    std::vector<std::string> files;
    std::string methodsPath;
    std::vector<RCalcEntry> entries;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--methods") {
            if (i + 1 >= args.size() || !methodsPath.empty())
                return UsageError("--methods takes one settings file");
            methodsPath = args[++i];
        } else if (files.size() < 2) {
            files.push_back(arg);
        } else {
            const std::size_t equals = arg.find('=');
            if (equals == std::string::npos || equals == 0)
                return UsageError("expected NAME=FORMULA, got '" + arg + "'");
            entries.push_back(MakeEntry(arg.substr(0, equals), arg.substr(equals + 1)));
        }
    }
    if (files.size() < 2)
        return UsageError("IN.las and OUT.las are required");
    if (entries.empty() && methodsPath.empty())
        return UsageError("nothing to compute: give NAME=FORMULA or --methods");

    RLogFunctionSink sink(PrintDiagnostic);
    RLasSettings stored;
    if (!methodsPath.empty() && !stored.LoadFromFile(methodsPath)) {
        std::cerr << "loggard-cli calc: cannot load the settings file " << methodsPath << "\n";
        return 1;
    }
    RLasData data;
    if (!LoadLasFile(data, files[0], {})) {
        std::cerr << "loggard-cli calc: cannot load " << files[0] << "\n";
        return 1;
    }

    // The views and tracks the commit keeps in step are not saved here.
    RLasSettings view;
    for (const auto& [name, method] : stored.CalcMethods()) {
        std::vector<RCalcEntry> single;
        single.push_back(MakeEntry(name, method->Formula));
        try {
            CommitCalcEntries(data, view, single);
        } catch (const RError& error) {
            std::cerr << "loggard-cli calc: method " << TerminalText(name) << " skipped: " << ErrorMessage(error) << "\n";
        }
    }
    if (!entries.empty()) {
        try {
            CommitCalcEntries(data, view, entries);
        } catch (const RError& error) {
            std::cerr << ErrorMessage(error) << "\n";
            return 2;
        }
    }
    if (!data.SaveToLas(files[1])) {
        std::cerr << "loggard-cli calc: cannot save " << files[1] << "\n";
        return 1;
    }
    return 0;
}
