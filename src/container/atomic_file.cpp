#include "container/atomic_file.h"

#include "container/file_error.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

}  // namespace

RAtomicFile::RAtomicFile(const std::string& path) : path_(path), temporary_(path + ".XXXXXX")
{
    fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
    if (fd_ < 0)
        throw RFileError({.Kind = RFileErrorKind::OpenFailed, .Path = path, .SystemError = errno});
    // mkostemp gives 0600. A failed chmod (file systems without Unix modes)
    // is no reason to refuse the save.
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
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
    if (::fsync(fd_) != 0) {
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
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        const int error = errno;
        Discard();
        FailWrite(path_, error);
    }
    finished_ = true;
    // The rename lives in the folder: sync it too, or a crash may bring the
    // old name back. A folder that cannot be opened for reading (mode 0300)
    // or a file system that cannot sync folders (EINVAL) leaves it to the
    // system.
    const int folder = ::open(FolderOf(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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
    ::unlink(temporary_.c_str());
}
