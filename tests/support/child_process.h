#pragma once
// Runs part of a test in a forked child, for what a test must not do to its
// own process: a file-size limit (RLIMIT_FSIZE, under which a write fails
// midway with EFBIG as it would with ENOSPC on a full disk), or giving up
// root's licence to write into read-only folders.

#include <csignal>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

struct ChildOptions {
    std::uint64_t fileSizeLimit = 0;  // bytes; 0 leaves the limit alone
    bool dropRoot = false;            // run as nobody (65534) when started as root
};

struct ChildResult {
    // 0: the body returned; 1: it threw a std::exception, whose what() is
    // in `message`; 2: it threw something else; 3: the child could not be
    // set up; -1: the child died of a signal (or could not be started).
    int exitCode = -1;
    std::string message;
};

// The child ignores SIGXFSZ, as the programs do, so that exceeding the limit
// shows up as a write error instead of killing it.
inline ChildResult RunInChild(const std::function<void()>& body, const ChildOptions& options = {})
{
    int channel[2];
    if (::pipe(channel) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(channel[0]);
        ::close(channel[1]);
        return {};
    }
    if (pid == 0) {
        ::close(channel[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        if (options.fileSizeLimit) {
            const rlimit limit{options.fileSizeLimit, options.fileSizeLimit};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                ::_exit(3);
        }
        if (options.dropRoot && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        int code = 0;
        std::string message;
        try {
            body();
        } catch (const std::exception& error) {
            code = 1;
            message = error.what();
        } catch (...) {
            code = 2;
        }
        for (std::size_t done = 0; done < message.size();) {
            const ssize_t written = ::write(channel[1], message.data() + done, message.size() - done);
            if (written <= 0)
                break;
            done += static_cast<std::size_t>(written);
        }
        ::_exit(code);
    }
    ::close(channel[1]);
    ChildResult result;
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(channel[0], buffer, sizeof buffer)) > 0)
        result.message.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}
