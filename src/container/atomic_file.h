#pragma once
// RAtomicFile: replaces a file as a whole or not at all.
//
// Drive it as: construct with the target path (this creates a temporary
// file beside the target), Write the new contents in as many pieces as
// suits the writer, then Commit. Commit syncs the temporary to disk,
// renames it over the target and syncs the folder, so after a crash or a
// power cut the target holds either the old contents or the new ones.
// Anything short of a successful Commit (a failed write, an exception,
// Discard, destruction without Commit) removes the temporary and leaves the
// target as it was.
//
// A symbolic link is followed, every level of it, and the file it leads to
// is replaced in place, as editors do: the link stays a link. A relative
// link counts from the folder of the link; a dangling link gets the file it
// names created. The temporary is that file's path plus "." and six
// characters chosen by mkostemp. The new file takes the permission bits of
// the file it replaces; a file that did not exist gets 0666 less the umask,
// as open(2) gives.
//
// A target that is neither a regular file nor a folder (/dev/null, a
// terminal, a pipe such as /dev/stdout) cannot be replaced and must not be:
// as root a rename would put a regular file in place of a device. It is
// written straight through, without a temporary, the way a shell redirect
// writes it; a write it refuses (/dev/full) fails as any write does.
//
// A signal that ends the process would leave the temporary behind. Every
// temporary being written is therefore listed in a fixed table that
// UnlinkPendingOnSignal reads from a signal handler; the front ends install
// the handlers.
//
// Failures raise RFileError: OpenFailed ("Ошибка открытия файла <path>:
// <reason>") when the temporary cannot be created, WriteFailed ("Ошибка
// записи в файл: <reason> (<path>)") when writing, syncing or renaming
// fails. <path> is always the path as the caller gave it. A chain of more
// than 40 links is OpenFailed with ELOOP.

#include <cstddef>
#include <string>

class RAtomicFile {
public:
    explicit RAtomicFile(const std::string& path);
    ~RAtomicFile();  // discards unless committed
    RAtomicFile(const RAtomicFile&) = delete;
    RAtomicFile& operator=(const RAtomicFile&) = delete;

    const std::string& Path() const { return path_; }
    // The file that gets replaced: Path with its links followed.
    const std::string& Target() const { return target_; }
    // Empty when the target is written straight through.
    const std::string& TemporaryPath() const { return temporary_; }
    // True from construction until Commit or Discard.
    bool IsOpen() const { return fd_ >= 0; }

    // Appends to the temporary. A failure discards it before raising, so
    // every later Write or Commit raises too.
    void Write(const void* data, std::size_t size);

    // Makes the written bytes the target's contents. A failure before the
    // rename discards the temporary and keeps the old target. A failure to
    // sync the folder after the rename is raised as well, although the
    // target already holds the new contents: they may not survive a crash.
    void Commit();

    // Removes the temporary; nothing once committed. Never raises.
    void Discard() noexcept;

    // Removes the temporaries of every save under way, with unlink(2) only:
    // safe in a signal handler, meant for one that then ends the process
    // (the saves it interrupts cannot commit). Gives how many it removed.
    // Up to kMaxPendingSaves saves at a time, with temporary paths below
    // kMaxPendingPath bytes, are listed; a save beyond that still works
    // but is not covered.
    static int UnlinkPendingOnSignal() noexcept;
    static constexpr int kMaxPendingSaves = 16;
    static constexpr std::size_t kMaxPendingPath = 4096;

private:
    std::string path_;
    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    int pendingSlot_ = -1;   // the temporary's entry for signal handlers
    bool finished_ = false;  // committed, or the temporary removed
};
