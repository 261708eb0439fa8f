#include "las/las_line_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A file with no name that is gone once closed: in memory when the system
// allows, else in $TMPDIR or /tmp. -1 when none can be made.
int OpenAnonymousFile()
{
#ifdef MFD_CLOEXEC
    const int memoryFile = ::memfd_create("loggard-utf8", MFD_CLOEXEC);
    if (memoryFile >= 0)
        return memoryFile;
#endif
#ifdef O_TMPFILE
    const char* tmpdir = std::getenv("TMPDIR");
    for (const char* folder : {tmpdir, "/tmp"}) {
        if (!folder || !*folder)
            continue;
        const int file = ::open(folder, O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (file >= 0)
            return file;
    }
#endif
    // tmpfile() removes the name at once; the duplicate keeps the file open
    // after the FILE is closed.
    std::FILE* stream = std::tmpfile();
    if (!stream)
        return -1;
    const int file = ::fcntl(::fileno(stream), F_DUPFD_CLOEXEC, 0);
    std::fclose(stream);
    return file;
}

bool WriteAll(int fd, const std::string& bytes)
{
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

}  // namespace

RLasLineReader::~RLasLineReader() { Close(); }

bool RLasLineReader::Open(const std::string& path)
{
    Close();
    changed_ = false;
    fileType_ = RLasFileType::Regular;
    // What stands at the path is checked before it is opened: opening a
    // device may do something by itself, and a FIFO would wait for a writer.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        openFailure_ = errno == ENOENT || errno == ENOTDIR ? RLasProblemKind::FileNotFound
                                                           : RLasProblemKind::FileUnreadable;
        return false;
    }
    if (!TakesFileType(info))
        return false;
    // Without O_NONBLOCK a FIFO put in the file's place since then would
    // hold the open up; what was opened is checked again.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) {
        openFailure_ = errno == ENOENT ? RLasProblemKind::FileNotFound : RLasProblemKind::FileUnreadable;
        return false;
    }
    ownsFd_ = true;
    openFailure_ = RLasProblemKind::FileUnreadable;
    if (::fstat(fd_, &info) != 0 || !TakesFileType(info)) {
        Close();
        return false;
    }
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        Close();
        return false;
    }
    fileSize_ = static_cast<std::uint64_t>(info.st_size);
    fileOffset_ = 0;
    limit_ = kToTheEnd;
    buffer_.resize(kBufferSize);
    begin_ = end_ = 0;
    eof_ = failed_ = started_ = cut_ = false;
    sourceEncoding_ = TextCodec::Encoding::Utf8;
    hadUtf8Mark_ = false;
    // The first bytes tell UTF-16 from the rest; read as ReadLine would read
    // them, they stay in the buffer as the start of the text.
    while (end_ < TextCodec::kUtf16DetectBytes && Fill()) {
    }
    TextCodec::Encoding byteOrder;
    std::size_t markLength;
    if (TextCodec::DetectUtf16(std::string_view(buffer_.data(), end_), byteOrder, markLength)) {
        if (!ConvertFromUtf16(byteOrder, markLength)) {
            openFailure_ = changed_ ? RLasProblemKind::FileChanged : RLasProblemKind::FileUnreadable;
            Close();
            return false;
        }
        sourceEncoding_ = byteOrder;
    } else {
        hadUtf8Mark_ = end_ >= 3 && std::memcmp(buffer_.data(), "\xEF\xBB\xBF", 3) == 0;
    }
    return true;
}

bool RLasLineReader::TakesFileType(const struct stat& info)
{
    if (S_ISREG(info.st_mode))
        return true;
    fileType_ = S_ISDIR(info.st_mode)    ? RLasFileType::Folder
                : S_ISFIFO(info.st_mode) ? RLasFileType::Fifo
                : S_ISSOCK(info.st_mode) ? RLasFileType::Socket
                : S_ISCHR(info.st_mode)  ? RLasFileType::CharacterDevice
                : S_ISBLK(info.st_mode)  ? RLasFileType::BlockDevice
                                         : RLasFileType::Other;
    openFailure_ = fileType_ == RLasFileType::Folder ? RLasProblemKind::IsAFolder : RLasProblemKind::NotARegularFile;
    return false;
}

bool RLasLineReader::ConvertFromUtf16(TextCodec::Encoding byteOrder, std::size_t markLength)
{
    const int converted = OpenAnonymousFile();
    if (converted < 0)
        return false;
    TextCodec::Utf16Decoder decoder(byteOrder);
    std::string utf8;
    utf8.reserve(kBufferSize / 2 * 3 + 8);
    std::uint64_t written = 0;
    begin_ = std::min(markLength, end_);
    bool ok = true;
    do {
        utf8.clear();
        decoder.Decode(std::string_view(buffer_.data() + begin_, end_ - begin_), utf8);
        ok = WriteAll(converted, utf8);
        written += utf8.size();
        begin_ = end_;  // the next Fill reads a whole new block
    } while (ok && Fill());
    if (ok && !failed_) {
        utf8.clear();
        decoder.Finish(utf8);
        ok = WriteAll(converted, utf8);
        written += utf8.size();
    }
    if (!ok || failed_ || changed_ || ::lseek(converted, 0, SEEK_SET) != 0) {
        ::close(converted);
        return false;
    }
    ::close(fd_);
    fd_ = converted;
    fileSize_ = written;
    fileOffset_ = 0;
    begin_ = end_ = 0;
    eof_ = failed_ = false;
    return true;
}

bool RLasLineReader::OpenPiece(const RLasLineReader& whole, std::uint64_t begin, std::uint64_t end)
{
    Close();
    if (whole.fd_ < 0)
        return false;
    fd_ = whole.fd_;
    ownsFd_ = false;
    fileSize_ = whole.fileSize_;
    fileOffset_ = begin;
    limit_ = std::max(begin, end);
    buffer_.resize(kBufferSize);
    begin_ = end_ = 0;
    eof_ = failed_ = changed_ = cut_ = false;
    started_ = true;  // a byte order mark can only open the file
    sourceEncoding_ = whole.sourceEncoding_;
    hadUtf8Mark_ = whole.hadUtf8Mark_;
    return true;
}

void RLasLineReader::Close()
{
    if (fd_ >= 0 && ownsFd_)
        ::close(fd_);
    fd_ = -1;
    ownsFd_ = false;
}

std::uint64_t RLasLineReader::NextLineStart(std::uint64_t from) const
{
    char block[64 * 1024];
    for (std::uint64_t at = from; fd_ >= 0 && at < fileSize_;) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(sizeof block, fileSize_ - at));
        const ssize_t got = ::pread(fd_, block, want, static_cast<off_t>(at));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        if (const void* lf = std::memchr(block, '\n', static_cast<std::size_t>(got)))
            return at + static_cast<std::uint64_t>(static_cast<const char*>(lf) - block) + 1;
        at += static_cast<std::uint64_t>(got);
    }
    return fileSize_;
}

namespace {

// Line feeds in [p, end), eight bytes at a time: a byte of the word XOR
// "\n\n..." is zero exactly where a line feed is.
std::uint64_t CountLineFeedBytes(const char* p, const char* end)
{
    constexpr std::uint64_t kLineFeeds = 0x0A0A0A0A0A0A0A0A, kLow7 = 0x7F7F7F7F7F7F7F7F;
    std::uint64_t count = 0;
    for (; end - p >= 8; p += 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        const std::uint64_t x = word ^ kLineFeeds;
        // High bit set in every byte that is not zero; the zero bytes' ones
        // are then summed into the top byte.
        const std::uint64_t nonZero = ((x & kLow7) + kLow7) | x;
        count += (((~nonZero & ~kLow7) >> 7) * 0x0101010101010101) >> 56;
    }
    return count + static_cast<std::uint64_t>(std::count(p, end, '\n'));
}

}  // namespace

std::uint64_t RLasLineReader::CountLineFeeds(std::uint64_t from, std::uint64_t to) const
{
    std::vector<char> block(kBufferSize);
    std::uint64_t count = 0;
    to = std::min(to, fileSize_);
    for (std::uint64_t at = from; fd_ >= 0 && at < to;) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), to - at));
        const ssize_t got = ::pread(fd_, block.data(), want, static_cast<off_t>(at));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        count += CountLineFeedBytes(block.data(), block.data() + got);
        at += static_cast<std::uint64_t>(got);
    }
    return count;
}

bool RLasLineReader::Fill()
{
    if (fd_ < 0)
        eof_ = true;
    if (eof_)
        return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    // A line longer than the buffer makes it grow, up to kMaxLineLength.
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);
    // Bytes past the size at Open were written since and are not read.
    const std::uint64_t stop = std::min(limit_, fileSize_);
    for (;;) {
        const std::size_t room = static_cast<std::size_t>(
            std::min<std::uint64_t>(buffer_.size() - end_, stop - std::min(stop, fileOffset_)));
        // The whole file is read in order; a piece reads at its own offsets
        // so that pieces can share the descriptor.
        char* const into = buffer_.data() + end_;
        const ssize_t got = room == 0 ? 0
                            : ownsFd_ ? ::read(fd_, into, room)
                                      : ::pread(fd_, into, room, static_cast<off_t>(fileOffset_));
        if (got > 0) {
            end_ += static_cast<std::size_t>(got);
            fileOffset_ += static_cast<std::uint64_t>(got);
            return true;
        }
        if (got < 0 && errno == EINTR)
            continue;
        failed_ = got < 0;
        // The end came before the size the file had: it was cut short.
        changed_ = got == 0 && room > 0;
        eof_ = true;
        return false;
    }
}

bool RLasLineReader::AtEnd()
{
    if (begin_ < end_)
        return false;
    return !Fill();
}

bool RLasLineReader::ReadLine(std::string_view& line)
{
    if (begin_ >= end_ && !Fill())
        return false;
    if (!started_) {
        // A UTF-8 byte order mark is no part of the first line.
        started_ = true;
        while (end_ - begin_ < 3 && Fill()) {
        }
        if (end_ - begin_ >= 3 && std::memcmp(buffer_.data() + begin_, "\xEF\xBB\xBF", 3) == 0)
            begin_ += 3;
        if (begin_ >= end_ && !Fill())
            return false;
    }
    for (;;) {
        std::size_t length, consumed;
        if (FindLineEnd(length, consumed)) {
            line = std::string_view(buffer_.data() + begin_, length);
            begin_ += consumed;
            return true;
        }
        if (eof_)
            return false;
        if (length >= kMaxLineLength) {
            cutLine_.assign(buffer_.data() + begin_, kMaxLineLength);
            begin_ += kMaxLineLength;
            cut_ = true;
            SkipRestOfLine();
            line = cutLine_;
            return true;
        }
        Fill();  // at the end of the file it only sets eof_
    }
}

bool RLasLineReader::FindLineEnd(std::size_t& length, std::size_t& consumed) const
{
    const char* start = buffer_.data() + begin_;
    const std::size_t available = end_ - begin_;
    const char* lf = static_cast<const char*>(std::memchr(start, '\n', available));
    const std::size_t span = lf ? static_cast<std::size_t>(lf - start) : available;
    const char* cr = static_cast<const char*>(std::memchr(start, '\r', span));
    if (cr) {
        // CR LF, or a lone CR; a CR as the last byte read waits for the next
        // one unless the file ends there.
        length = static_cast<std::size_t>(cr - start);
        consumed = length + (length + 1 < available && cr[1] == '\n' ? 2 : 1);
        return length + 1 < available || eof_;
    }
    length = span;
    consumed = lf ? span + 1 : span;
    return lf || (eof_ && available > 0);
}

void RLasLineReader::SkipRestOfLine()
{
    for (;;) {
        std::size_t length, consumed;
        if (FindLineEnd(length, consumed)) {
            begin_ += consumed;
            return;
        }
        begin_ += length;  // keeps only a CR that waits for the byte after it
        if (!Fill() && begin_ >= end_)
            return;
    }
}
