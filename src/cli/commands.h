#pragma once
// Subcommands of loggard-cli. Each takes the arguments after its name and
// returns the process exit code: 0 success, 1 failure, 2 usage.

#include "las/las_problem.h"

#include <exception>
#include <string>
#include <string_view>
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
// worded in the --lang language, any other exception by its what(); as
// TerminalText.
std::string ErrorMessage(const std::exception& error);

// UTF-8 text made safe to print to a terminal, for every message that may
// carry bytes of a file, a file name or a curve name: control characters
// become \xNN, NN the character's code in two lowercase hex digits (ESC
// "\x1b", CR "\x0d", DEL "\x7f", the C1 controls U+0080..U+009F "\x80" ..
// "\x9f"), and so does each byte that is not part of valid UTF-8. Line
// breaks (LF, CR LF) and tabs stay: they are the messages' own layout (a
// formula error's two lines); a CR alone, which would let text overwrite
// its line, does not. Printable text, Cyrillic included, is kept as it is.
std::string TerminalText(std::string_view text);

int RunDump(const CliArgs& args);
int RunInfo(const CliArgs& args);
int RunConvert(const CliArgs& args);
int RunCalc(const CliArgs& args);
int RunBuildFonts(const CliArgs& args);
int RunRender(const CliArgs& args);
int RunCrossPlot(const CliArgs& args);
