#include "container/atomic_file.h"
#include "container/error.h"
#include "support/child_process.h"
#include "support/files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

mode_t ModeOf(const std::string& path)
{
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// Sets the umask for one scope.
class UmaskScope {
public:
    explicit UmaskScope(mode_t mask) : old_(::umask(mask)) {}
    ~UmaskScope() { ::umask(old_); }

private:
    mode_t old_;
};

}  // namespace

TEST(AtomicFile, CommitReplacesTheTargetWithExactlyTheWrittenBytes)
{
    TempDir dir;
    const std::string path = dir.File("out.bin");
    WriteWholeFile(path, "an older and longer content");
    RAtomicFile file(path);
    const std::string& temporary = file.TemporaryPath();
    EXPECT_EQ(temporary.size(), path.size() + 7);
    EXPECT_EQ(temporary.rfind(path + ".", 0), 0u);
    EXPECT_TRUE(std::filesystem::exists(temporary));
    file.Write("new ", 4);
    file.Write(std::string("\0bytes", 6).data(), 6);
    EXPECT_EQ(ReadWholeFile(path), "an older and longer content");  // untouched until Commit
    file.Commit();
    EXPECT_EQ(ReadWholeFile(path), std::string("new \0bytes", 10));
    EXPECT_EQ(FileNames(dir.Path().string()), std::vector<std::string>{"out.bin"});
    EXPECT_FALSE(file.IsOpen());
}

TEST(AtomicFile, NewFileModeComesFromTheUmaskAndAnOldFileKeepsItsMode)
{
    TempDir dir;
    {
        UmaskScope mask(027);
        RAtomicFile file(dir.File("new"));
        file.Commit();
    }
    EXPECT_EQ(ModeOf(dir.File("new")), 0640u);

    WriteWholeFile(dir.File("old"), "x");
    ::chmod(dir.File("old").c_str(), 0751);
    RAtomicFile file(dir.File("old"));
    file.Write("y", 1);
    file.Commit();
    EXPECT_EQ(ModeOf(dir.File("old")), 0751u);
    EXPECT_EQ(ReadWholeFile(dir.File("old")), "y");
}

TEST(AtomicFile, EveryWayShortOfCommitRemovesTheTemporaryAndKeepsTheOldFile)
{
    TempDir dir;
    const std::string path = dir.File("keep");
    WriteWholeFile(path, "old");
    const std::vector<std::string> before = FileNames(dir.Path().string());

    {  // destroyed without Commit
        RAtomicFile file(path);
        file.Write("new", 3);
    }
    EXPECT_EQ(FileNames(dir.Path().string()), before);

    try {  // an exception between writes
        RAtomicFile file(path);
        file.Write("half", 4);
        throw RError("interrupted");
    } catch (const RError&) {
    }
    EXPECT_EQ(FileNames(dir.Path().string()), before);

    RAtomicFile discarded(path);
    discarded.Write("new", 3);
    discarded.Discard();
    EXPECT_EQ(FileNames(dir.Path().string()), before);
    EXPECT_THROW(discarded.Write("x", 1), RError);
    EXPECT_THROW(discarded.Commit(), RError);
    EXPECT_EQ(ReadWholeFile(path), "old");

    // The rename cannot put a file over a folder that holds something.
    const std::string folder = dir.File("folder");
    std::filesystem::create_directory(folder);
    WriteWholeFile(folder + "/inside", "old");
    RAtomicFile blocked(folder);
    blocked.Write("new", 3);
    EXPECT_THROW(blocked.Commit(), RError);
    EXPECT_EQ(ReadWholeFile(folder + "/inside"), "old");
    EXPECT_EQ(FileNames(dir.Path().string()), (std::vector<std::string>{"folder", "keep"}));
}

TEST(AtomicFile, WriteFailingMidwayRaisesAndKeepsTheOldFileByteForByte)
{
    TempDir dir;
    const std::string path = dir.File("big.bin");
    const std::string old("old contents\r\n\0\xff", 16);
    WriteWholeFile(path, old);
    const ChildResult result = RunInChild(
        [&] {
            RAtomicFile file(path);
            const std::string chunk(10000, 'z');
            for (int i = 0; i < 10; ++i)
                file.Write(chunk.data(), chunk.size());
            file.Commit();
        },
        {.fileSizeLimit = 50000});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.message, "Ошибка записи в файл: " + std::string(std::strerror(EFBIG)) + " (" + path + ")");
    EXPECT_EQ(ReadWholeFile(path), old);
    EXPECT_EQ(FileNames(dir.Path().string()), std::vector<std::string>{"big.bin"});
}

TEST(AtomicFile, ReadOnlyFolderRaisesTheOpenErrorAndKeepsTheOldFile)
{
    TempDir dir;
    const std::string folder = dir.File("ro");
    std::filesystem::create_directory(folder);
    const std::string path = folder + "/settings.dat";
    WriteWholeFile(path, "old");
    ::chmod(dir.Path().c_str(), 0755);  // so that nobody can reach the folder
    ::chmod(folder.c_str(), 0555);
    const ChildResult result = RunInChild(
        [&] {
            RAtomicFile file(path);
            file.Write("new", 3);
            file.Commit();
        },
        {.dropRoot = true});
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.message, "Ошибка открытия файла " + path + ": " + std::strerror(EACCES));
    EXPECT_EQ(ReadWholeFile(path), "old");
    EXPECT_EQ(FileNames(folder), std::vector<std::string>{"settings.dat"});
}

TEST(AtomicFile, ALinkStaysALinkAndTheFileItLeadsToIsReplaced)
{
    TempDir dir;
    namespace fs = std::filesystem;
    fs::create_directory(dir.File("data"));
    fs::create_directory(dir.File("links"));
    const std::string target = dir.File("data/well.las");
    WriteWholeFile(target, "old");
    ::chmod(target.c_str(), 0640);

    // Two levels: an absolute link to a relative one in another folder.
    fs::create_symlink("../data/well.las", dir.File("links/relative"));
    fs::create_symlink(dir.File("links/relative"), dir.File("absolute"));
    {
        RAtomicFile file(dir.File("absolute"));
        EXPECT_EQ(file.Target(), dir.File("links/../data/well.las"));
        EXPECT_EQ(file.TemporaryPath().rfind(file.Target() + ".", 0), 0u);
        file.Write("new", 3);
        file.Commit();
    }
    EXPECT_TRUE(fs::is_symlink(dir.File("absolute")));
    EXPECT_TRUE(fs::is_symlink(dir.File("links/relative")));
    EXPECT_EQ(fs::read_symlink(dir.File("links/relative")), "../data/well.las");
    EXPECT_EQ(ReadWholeFile(target), "new");
    EXPECT_EQ(ModeOf(target), 0640u);
    EXPECT_EQ(FileNames(dir.File("data")), std::vector<std::string>{"well.las"});

    // A dangling link gets the file it names; a discarded save leaves both
    // as they were.
    fs::create_symlink("data/created.las", dir.File("dangling"));
    {
        RAtomicFile discarded(dir.File("dangling"));
        discarded.Write("x", 1);
    }
    EXPECT_FALSE(fs::exists(dir.File("data/created.las")));
    RAtomicFile file(dir.File("dangling"));
    file.Write("made", 4);
    file.Commit();
    EXPECT_TRUE(fs::is_symlink(dir.File("dangling")));
    EXPECT_EQ(ReadWholeFile(dir.File("data/created.las")), "made");

    // A link to itself never ends.
    fs::create_symlink("loop", dir.File("loop"));
    try {
        RAtomicFile looped(dir.File("loop"));
        ADD_FAILURE() << "a link loop was followed";
    } catch (const RError& error) {
        EXPECT_EQ(std::string(error.what()), "Ошибка открытия файла " + dir.File("loop") + ": " + std::strerror(ELOOP));
    }
    EXPECT_TRUE(fs::is_symlink(dir.File("loop")));
}

TEST(AtomicFile, ADeviceIsWrittenThroughAndNeverReplaced)
{
    TempDir dir;
    // /dev/null takes everything; /dev/full refuses, and as root a rename
    // would otherwise have put a regular file in place of the device.
    RAtomicFile null("/dev/null");
    EXPECT_TRUE(null.TemporaryPath().empty());
    null.Write("abc", 3);
    null.Commit();

    std::filesystem::create_symlink("/dev/full", dir.File("full"));
    RAtomicFile full(dir.File("full"));
    try {
        full.Write("abc", 3);
        ADD_FAILURE() << "/dev/full took the bytes";
    } catch (const RError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Ошибка записи в файл: " + std::string(std::strerror(ENOSPC)) + " (" + dir.File("full") + ")");
    }
    struct stat info {};
    ASSERT_EQ(::stat("/dev/full", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("full")));

    // A pipe nobody reads is refused at once instead of waiting for ever.
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    try {
        RAtomicFile unread(fifo);
        ADD_FAILURE() << "opened a pipe without a reader";
    } catch (const RError& error) {
        EXPECT_EQ(std::string(error.what()), "Ошибка открытия файла " + fifo + ": " + std::strerror(ENXIO));
    }
    EXPECT_EQ(std::filesystem::status(fifo).type(), std::filesystem::file_type::fifo);
}

namespace {

void RemoveTemporariesAndDie(int signalNumber)
{
    RAtomicFile::UnlinkPendingOnSignal();
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

}  // namespace

TEST(AtomicFile, ASignalHandlerRemovesTheTemporariesOfSavesUnderWay)
{
    TempDir dir;
    const std::string path = dir.File("big.las");
    WriteWholeFile(path, "old");
    for (const int signalNumber : {SIGTERM, SIGINT}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::signal(signalNumber, RemoveTemporariesAndDie);
            RAtomicFile first(path);
            RAtomicFile second(dir.File("other.las"));
            {
                RAtomicFile finished(dir.File("finished.las"));
                finished.Commit();
            }
            const std::string chunk(1 << 20, 'z');
            first.Write(chunk.data(), chunk.size());
            second.Write(chunk.data(), chunk.size());
            std::raise(signalNumber);
            ::_exit(0);  // not reached
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber);
        EXPECT_EQ(FileNames(dir.Path().string()), (std::vector<std::string>{"big.las", "finished.las"}));
        EXPECT_EQ(ReadWholeFile(path), "old");
    }
    // Nothing is pending here, and a finished save is never removed.
    EXPECT_EQ(RAtomicFile::UnlinkPendingOnSignal(), 0);
}
