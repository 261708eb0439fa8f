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
// The temporary is the target's path plus "." and six characters chosen by
// mkostemp. The new file takes the permission bits of the file it replaces;
// a file that did not exist gets 0666 less the umask, as open(2) gives.
//
// Failures raise RFileError: OpenFailed ("Ошибка открытия файла <path>:
// <reason>") when the temporary cannot be created, WriteFailed ("Ошибка
// записи в файл: <reason> (<path>)") when writing, syncing or renaming
// fails. <path> is always the target.

#include <cstddef>
#include <string>

class RAtomicFile {
public:
    explicit RAtomicFile(const std::string& path);
    ~RAtomicFile();  // discards unless committed
    RAtomicFile(const RAtomicFile&) = delete;
    RAtomicFile& operator=(const RAtomicFile&) = delete;

    const std::string& Path() const { return path_; }
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

private:
    std::string path_;
    std::string temporary_;
    int fd_ = -1;
    bool finished_ = false;  // committed, or the temporary removed
};
