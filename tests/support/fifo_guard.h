#pragma once
// A FIFO for tests of code that must refuse one, and a guard that keeps
// such a test from hanging when the code does not: after `patience` the
// guard opens the FIFO's writing end itself, which lets an open for
// reading that waits for a writer go on and see an empty stream. The test
// then fails on Unblocked() and on what it checks, instead of never ending.
//
//     TempDir dir;
//     MakeFifo(dir.File("pipe.las"));
//     FifoGuard guard(dir.File("pipe.las"));
//     EXPECT_FALSE(reader.Open(dir.File("pipe.las")));
//     EXPECT_FALSE(guard.Unblocked());

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

inline void MakeFifo(const std::string& path)
{
    if (::mkfifo(path.c_str(), 0600) != 0)
        throw std::runtime_error("mkfifo " + path);
}

class FifoGuard {
public:
    explicit FifoGuard(std::string path, std::chrono::milliseconds patience = std::chrono::seconds(10))
        : path_(std::move(path)), thread_([this, patience] { Watch(patience); })
    {
    }
    ~FifoGuard()
    {
        stop_ = true;
        thread_.join();
    }
    FifoGuard(const FifoGuard&) = delete;
    FifoGuard& operator=(const FifoGuard&) = delete;

    // The guard had to open the writing end: something waited on the FIFO.
    bool Unblocked() const { return unblocked_; }

private:
    void Watch(std::chrono::milliseconds patience)
    {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (!stop_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (std::chrono::steady_clock::now() < deadline)
                continue;
            // Succeeds only while a reader has the FIFO open.
            const int writer = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (writer >= 0) {
                unblocked_ = true;
                ::close(writer);
            }
        }
    }

    std::string path_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> unblocked_{false};
    std::thread thread_;
};
