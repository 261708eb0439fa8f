#include "container/atomic_file.h"

#include "container/file_error.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The temporaries being written, for signal handlers: an entry is claimed
// (Filling), its path copied in, and only then published (Ready). A handler
// takes a Ready entry for itself (Unlinking) before it reads the path, so
// the owner cannot reuse it under the handler's feet.
enum PendingState : int { kFree, kFilling, kReady, kUnlinking };

struct PendingSave {
    std::atomic<int> state{kFree};
    char path[RAtomicFile::kMaxPendingPath]{};
};

static_assert(std::atomic<int>::is_always_lock_free, "signal handlers need lock-free atomics");

constinit std::array<PendingSave, RAtomicFile::kMaxPendingSaves> gPendingSaves{};

// The entry listing `temporary`, or -1 when the table is full or the path
// too long.
int ListPending(const std::string& temporary)
{
    if (temporary.size() >= RAtomicFile::kMaxPendingPath)
        return -1;
    for (std::size_t i = 0; i < gPendingSaves.size(); ++i) {
        PendingSave& entry = gPendingSaves[i];
        int expected = kFree;
        if (!entry.state.compare_exchange_strong(expected, kFilling, std::memory_order_acquire))
            continue;
        std::memcpy(entry.path, temporary.c_str(), temporary.size() + 1);
        entry.state.store(kReady, std::memory_order_release);
        return static_cast<int>(i);
    }
    return -1;
}

// An entry a handler has taken stays taken: the process is on its way out.
void Unlist(int slot)
{
    if (slot < 0)
        return;
    int expected = kReady;
    gPendingSaves[static_cast<std::size_t>(slot)].state.compare_exchange_strong(expected, kFree,
                                                                                std::memory_order_release);
}

constexpr int kMaxLinkDepth = 40;  // as the kernel's own limit

[[noreturn]] void FailWrite(const std::string& path, int error)
{
    throw RFileError({.Kind = RFileErrorKind::WriteFailed, .Path = path, .SystemError = error});
}

// umask(2) can only be read by setting it, which for a moment would give
// files that other threads create mode 0666; Linux shows it in /proc.
mode_t CurrentUmask()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

[[noreturn]] void FailOpen(const std::string& path, int error)
{
    throw RFileError({.Kind = RFileErrorKind::OpenFailed, .Path = path, .SystemError = error});
}

// `path` with its symbolic links followed to the file that is no link, or
// that does not exist (a dangling link's end). Only the last component is
// followed: links among the folders lead the kernel to the same folder for
// the target and its temporary alike. A relative link is joined to the
// folder of the link as written, which the kernel resolves exactly as it
// resolves the link.
std::string FollowLinks(const std::string& path)
{
    std::string current = path;
    for (int depth = 0; depth <= kMaxLinkDepth; ++depth) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1, '\0');
        ssize_t length;
        while ((length = ::readlink(current.c_str(), target.data(), target.size())) >= 0
               && static_cast<std::size_t>(length) == target.size())
            target.resize(target.size() * 2);
        if (length < 0)
            FailOpen(path, errno);
        target.resize(static_cast<std::size_t>(length));
        if (target.empty())
            FailOpen(path, ENOENT);
        if (target.front() == '/' || current.find('/') == std::string::npos)
            current = target;
        else
            current = current.substr(0, current.find_last_of('/') + 1) + target;
    }
    FailOpen(path, ELOOP);
}

}  // namespace

RAtomicFile::RAtomicFile(const std::string& path) : path_(path)
{
    // stat follows the links itself, /proc's "pipe:[...]" ones included.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode)) {
        target_ = path;
        // A pipe nobody reads would block the open for ever; without a
        // reader it fails at once (ENXIO). The writes block as usual.
        fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (fd_ < 0)
            FailOpen(path, errno);
        const int flags = ::fcntl(fd_, F_GETFL);
        if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) < 0) {
            const int error = errno;
            Discard();
            FailOpen(path, error);
        }
        return;
    }
    target_ = FollowLinks(path);
    temporary_ = target_ + ".XXXXXX";
    fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
    if (fd_ < 0)
        FailOpen(path, errno);
    pendingSlot_ = ListPending(temporary_);
    // mkostemp gives 0600. A failed chmod (file systems without Unix modes)
    // is no reason to refuse the save.
    struct stat old {};
    const mode_t mode = ::stat(target_.c_str(), &old) == 0 ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
    [[maybe_unused]] const int ignored = ::fchmod(fd_, mode);
}

RAtomicFile::~RAtomicFile() { Discard(); }

void RAtomicFile::Write(const void* data, std::size_t size)
{
    if (fd_ < 0)
        FailWrite(path_, EBADF);
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd_, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            // A write that takes nothing without an error: the disk is full.
            const int error = written < 0 ? errno : ENOSPC;
            Discard();
            FailWrite(path_, error);
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
}

void RAtomicFile::Commit()
{
    if (fd_ < 0)
        FailWrite(path_, EBADF);
    // A device or a pipe written straight through may have nothing to sync
    // (EINVAL); anything else it reports is a failed write.
    if (::fsync(fd_) != 0 && !(temporary_.empty() && (errno == EINVAL || errno == EROFS))) {
        const int error = errno;
        Discard();
        FailWrite(path_, error);
    }
    const int closed = ::close(fd_);
    const int closeError = errno;
    fd_ = -1;
    if (closed != 0) {
        Discard();
        FailWrite(path_, closeError);
    }
    if (temporary_.empty()) {
        finished_ = true;
        return;
    }
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        Discard();
        FailWrite(path_, error);
    }
    finished_ = true;
    Unlist(pendingSlot_);
    pendingSlot_ = -1;
    // The rename lives in the folder: sync it too, or a crash may bring the
    // old name back. A folder that cannot be opened for reading (mode 0300)
    // or a file system that cannot sync folders (EINVAL) leaves it to the
    // system.
    const int folder = ::open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    const int synced = ::fsync(folder);
    const int syncError = errno;
    ::close(folder);
    if (synced != 0 && syncError != EINVAL)
        FailWrite(path_, syncError);
}

void RAtomicFile::Discard() noexcept
{
    if (finished_)
        return;
    finished_ = true;
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (temporary_.empty())
        return;
    ::unlink(temporary_.c_str());
    Unlist(pendingSlot_);
    pendingSlot_ = -1;
}

int RAtomicFile::UnlinkPendingOnSignal() noexcept
{
    int removed = 0;
    for (PendingSave& entry : gPendingSaves) {
        int expected = kReady;
        if (entry.state.compare_exchange_strong(expected, kUnlinking, std::memory_order_acquire)
            && ::unlink(entry.path) == 0)
            ++removed;
    }
    return removed;
}
