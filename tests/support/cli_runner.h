#pragma once
// Runs loggard-cli as a script would and captures what it prints.

#include "support/files.h"
#include "support/temp_dir.h"

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

// The same under a file-size limit (RLIMIT_FSIZE, bytes), the way a full
// disk looks to the program. SIGXFSZ is left at its default, so a program
// that does not ignore it dies of it (exit code -1).
inline CliResult RunCliUnderFileSizeLimit(const std::string& arguments, const TempDir& dir,
                                          std::uint64_t fileSizeLimit)
{
    const std::string out = dir.File("cli-stdout"), err = dir.File("cli-stderr");
    const std::string command = "exec " + std::string(LOGGARD_BIN_DIR) + "/loggard-cli " + arguments + " >"
                                + out + " 2>" + err;
    const pid_t pid = ::fork();
    if (pid < 0)
        return {-1, "", "fork failed"};
    if (pid == 0) {
        const rlimit limit{fileSizeLimit, fileSizeLimit};
        std::signal(SIGXFSZ, SIG_DFL);
        if (::setrlimit(RLIMIT_FSIZE, &limit) == 0)
            ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWholeFile(out), ReadWholeFile(err)};
}
