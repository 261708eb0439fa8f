#pragma once
// Subcommands of loggard-cli. Each takes the arguments after its name and
// returns the process exit code: 0 success, 1 failure, 2 usage.

#include <string>
#include <vector>

using CliArgs = std::vector<std::string>;

int RunDump(const CliArgs& args);
int RunInfo(const CliArgs& args);
int RunConvert(const CliArgs& args);
int RunCalc(const CliArgs& args);
int RunBuildFonts(const CliArgs& args);
