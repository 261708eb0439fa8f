#pragma once
// Runs loggard-cli as a script would and captures what it prints.

#include "support/files.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <string>
#include <sys/wait.h>

struct CliResult {
    int exitCode;
    std::string out;
    std::string err;
};

// `arguments` is passed through the shell as written: quote what needs it.
// Output is captured in files of `dir`.
inline CliResult RunCli(const std::string& arguments, const TempDir& dir)
{
    const std::string out = dir.File("cli-stdout"), err = dir.File("cli-stderr");
    const std::string command = std::string(LOGGARD_BIN_DIR) + "/loggard-cli " + arguments + " >"
                                + out + " 2>" + err;
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWholeFile(out), ReadWholeFile(err)};
}
