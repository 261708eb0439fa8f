#pragma once
// Subcommands of loggard-cli. Each takes the arguments after its name and
// returns the process exit code: 0 success, 1 failure, 2 usage.

#include "las/las_problem.h"

#include <exception>
#include <string>
#include <vector>

using CliArgs = std::vector<std::string>;

// Writes one LAS diagnostic to stderr as a line of UTF-8; install it with
// RLogFunctionSink for the length of a command. Problems reach it already
// worded in the language of the global --lang option (Russian by default).
void PrintDiagnostic(const std::string& text);

// The language of the global --lang option (Russian by default), for the
// words a picture carries (the cross-plot's colour scale: "Глубина").
RLasLanguage CliLanguage();

// What a failure prints: an RError (file, formula, raster, calculator)
// worded in the --lang language, any other exception by its what().
std::string ErrorMessage(const std::exception& error);

int RunDump(const CliArgs& args);
int RunInfo(const CliArgs& args);
int RunConvert(const CliArgs& args);
int RunCalc(const CliArgs& args);
int RunBuildFonts(const CliArgs& args);
int RunRender(const CliArgs& args);
int RunCrossPlot(const CliArgs& args);
