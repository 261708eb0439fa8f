#include "container/buffered_file.h"

#include "container/atomic_file.h"
#include "container/file_error.h"

#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

static_assert(std::endian::native == std::endian::little,
              "container files are little-endian; add byte swapping for this host");

namespace {

// What -1 and other negative levels ask zlib for.
constexpr int kDefaultCompressionLevel = 6;

// A compressed block never needs more than this; larger lengths in a file
// are corruption, not data (the writer's blocks are 4096 bytes).
constexpr std::int32_t kMaxBlockLength = 1 << 20;

std::int32_t LoadInt32(const std::uint8_t* bytes)
{
    std::int32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

}  // namespace

RBufferedFile::RBufferedFile(std::size_t bufferSize)
    : bufferSize_(bufferSize ? bufferSize : kDefaultBufferSize), buffer_(bufferSize_)
{
}

RBufferedFile::~RBufferedFile()
{
    // A file being written is discarded: only Close may replace the target,
    // never an object that dies while an exception unwinds.
    output_.reset();
    if (fd_ >= 0)
        ::close(fd_);
}

void RBufferedFile::OpenRead(const std::string& path)
{
    Close();
    // O_NONBLOCK: a FIFO in the file's place must not hold the open up
    // waiting for a writer; it is refused below like every file that is
    // not regular, and a regular file then reads as usual.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw RFileError({.Kind = RFileErrorKind::OpenFailed, .Path = path, .SystemError = errno});
    struct stat info {};
    int error = 0;
    if (::fstat(fd, &info) != 0)
        error = errno;
    else if (!S_ISREG(info.st_mode))
        error = S_ISDIR(info.st_mode) ? EISDIR : ENOTSUP;  // no errno names a FIFO, a socket or a device
    else if (const int flags = ::fcntl(fd, F_GETFL); flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        error = errno;
    if (error != 0) {
        ::close(fd);
        throw RFileError({.Kind = RFileErrorKind::OpenFailed, .Path = path, .SystemError = error});
    }
    fd_ = fd;
    path_ = path;
    fileSize_ = static_cast<std::uint64_t>(info.st_size);
    filePos_ = 0;
    state_ = State::Idle;
    level_ = 0;
    bufferLength_ = bufferPos_ = 0;
}

void RBufferedFile::OpenWrite(const std::string& path)
{
    Close();
    output_ = std::make_unique<RAtomicFile>(path);
    path_ = path;
    fileSize_ = filePos_ = 0;
    state_ = State::Idle;
    level_ = 0;
    bufferLength_ = bufferPos_ = 0;
}

void RBufferedFile::Close()
{
    if (output_) {
        try {
            Flush();
            output_->Commit();
        } catch (...) {
            output_.reset();  // removes the temporary; the old file stays
            state_ = State::Idle;
            throw;
        }
        output_.reset();
        state_ = State::Idle;
        return;
    }
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    state_ = State::Idle;
}

void RBufferedFile::SetCompression(int level)
{
    level = level == 0 ? 0 : level < 0 ? kDefaultCompressionLevel : std::min(level, 9);
    if (state_ == State::Writing)
        Flush();
    else if (state_ == State::Reading)
        RewindUnconsumed();
    level_ = level;
}

// ---- writing ----

void RBufferedFile::BeginWrite()
{
    if (state_ == State::Writing)
        return;
    if (state_ == State::Reading)
        RewindUnconsumed();
    bufferLength_ = bufferPos_ = 0;
    state_ = State::Writing;
}

void RBufferedFile::RawWrite(const void* data, std::size_t size)
{
    output_->Write(data, size);
    filePos_ += size;
}

void RBufferedFile::Flush()
{
    if (state_ != State::Writing || bufferLength_ == 0)
        return;
    const std::size_t length = bufferLength_;
    bufferLength_ = 0;
    if (level_ == 0) {
        RawWrite(buffer_.data(), length);
        return;
    }
    uLongf packedLength = compressBound(static_cast<uLong>(length));
    packed_.resize(8 + packedLength);
    if (compress2(packed_.data() + 8, &packedLength, buffer_.data(), static_cast<uLong>(length),
                  level_) != Z_OK
        || packedLength < 4)
        throw RFileError({.Kind = RFileErrorKind::CompressFailed, .Path = path_});
    const auto uncompressed = static_cast<std::int32_t>(length);
    const auto payload = static_cast<std::int32_t>(packedLength - 4);
    std::memcpy(packed_.data(), &uncompressed, 4);
    std::memcpy(packed_.data() + 4, &payload, 4);
    RawWrite(packed_.data(), 8 + packedLength);
}

void RBufferedFile::WriteBytes(const void* data, std::size_t size)
{
    if (!output_)
        FailWrite(EBADF);
    BeginWrite();
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    while (size > 0) {
        if (bufferLength_ == bufferSize_)
            Flush();
        const std::size_t chunk = std::min(size, bufferSize_ - bufferLength_);
        std::memcpy(buffer_.data() + bufferLength_, bytes, chunk);
        bufferLength_ += chunk;
        bytes += chunk;
        size -= chunk;
    }
}

template <typename T> void RBufferedFile::WriteScalar(T value)
{
    if (state_ == State::Writing && bufferLength_ + sizeof(T) <= bufferSize_) {
        std::memcpy(buffer_.data() + bufferLength_, &value, sizeof(T));
        bufferLength_ += sizeof(T);
        return;
    }
    WriteBytes(&value, sizeof(T));
}

void RBufferedFile::WriteByte(std::uint8_t value) { WriteScalar(value); }
void RBufferedFile::WriteBoolean(bool value) { WriteScalar<std::uint8_t>(value ? 1 : 0); }
void RBufferedFile::WriteInt32(std::int32_t value) { WriteScalar(value); }
void RBufferedFile::WriteInt64(std::int64_t value) { WriteScalar(value); }
void RBufferedFile::WriteDouble(double value) { WriteScalar(value); }

void RBufferedFile::WriteString(std::string_view value)
{
    if (value.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        FailWrite(EFBIG);
    WriteInt32(static_cast<std::int32_t>(value.size()));
    WriteBytes(value.data(), value.size());
}

// ---- reading ----

void RBufferedFile::BeginRead()
{
    if (state_ == State::Reading)
        return;
    if (fd_ < 0)
        FailRead(RFileErrorKind::ReadFailed, EBADF);
    if (state_ == State::Writing)
        Flush();
    bufferLength_ = bufferPos_ = 0;
    state_ = State::Reading;
}

void RBufferedFile::RewindUnconsumed()
{
    // Plain data maps back to the file byte for byte. Decompressed data does
    // not; switching in the middle of a compressed block drops its rest.
    if (level_ == 0 && bufferPos_ < bufferLength_) {
        const std::uint64_t unread = bufferLength_ - bufferPos_;
        if (::lseek(fd_, static_cast<off_t>(filePos_ - unread), SEEK_SET) < 0)
            FailRead(RFileErrorKind::ReadFailed, errno);
        filePos_ -= unread;
    }
    bufferLength_ = bufferPos_ = 0;
}

std::size_t RBufferedFile::RawRead(void* data, std::size_t size)
{
    auto* bytes = static_cast<std::uint8_t*>(data);
    std::size_t total = 0;
    while (total < size) {
        const ssize_t got = ::read(fd_, bytes + total, size - total);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            FailRead(RFileErrorKind::ReadFailed, errno);
        if (got == 0)
            break;
        total += static_cast<std::size_t>(got);
        filePos_ += static_cast<std::uint64_t>(got);
    }
    return total;
}

void RBufferedFile::RawReadExact(void* data, std::size_t size)
{
    if (RawRead(data, size) != size)
        FailRead(RFileErrorKind::UnexpectedEnd);
}

bool RBufferedFile::ReadBlock()
{
    std::uint8_t header[8];
    const std::size_t got = RawRead(header, sizeof header);
    if (got == 0)
        return false;
    if (got != sizeof header)
        FailRead(RFileErrorKind::UnexpectedEnd);
    const std::int32_t uncompressed = LoadInt32(header);
    const std::int32_t payload = LoadInt32(header + 4);
    if (uncompressed < 0 || uncompressed > kMaxBlockLength || payload < 0
        || payload > kMaxBlockLength)
        FailRead(RFileErrorKind::DecompressFailed);
    const std::size_t packedLength = static_cast<std::size_t>(payload) + 4;
    if (packedLength > fileSize_ - std::min(fileSize_, filePos_))
        FailRead(RFileErrorKind::UnexpectedEnd);
    packed_.resize(packedLength);
    RawReadExact(packed_.data(), packedLength);

    std::vector<std::uint8_t> wide;
    std::uint8_t* target = buffer_.data();
    if (static_cast<std::size_t>(uncompressed) > bufferSize_) {
        wide.resize(static_cast<std::size_t>(uncompressed));
        target = wide.data();
    }
    uLongf length = static_cast<uLongf>(uncompressed);
    if (uncompress(target, &length, packed_.data(), static_cast<uLong>(packedLength)) != Z_OK)
        FailRead(RFileErrorKind::DecompressFailed);
    length = std::min<uLongf>(length, bufferSize_);
    if (!wide.empty())
        std::memcpy(buffer_.data(), wide.data(), length);
    bufferLength_ = length;
    bufferPos_ = 0;
    return true;
}

void RBufferedFile::FillBuffer()
{
    bufferLength_ = bufferPos_ = 0;
    if (level_ == 0) {
        bufferLength_ = RawRead(buffer_.data(), bufferSize_);
        return;
    }
    while (bufferLength_ == 0 && ReadBlock()) {
    }
}

void RBufferedFile::ReadBytes(void* data, std::size_t size)
{
    BeginRead();
    auto* bytes = static_cast<std::uint8_t*>(data);
    while (size > 0) {
        if (bufferPos_ == bufferLength_) {
            FillBuffer();
            if (bufferLength_ == 0)
                FailRead(RFileErrorKind::UnexpectedEnd);
        }
        const std::size_t chunk = std::min(size, bufferLength_ - bufferPos_);
        std::memcpy(bytes, buffer_.data() + bufferPos_, chunk);
        bufferPos_ += chunk;
        bytes += chunk;
        size -= chunk;
    }
}

template <typename T> T RBufferedFile::ReadScalar()
{
    T value;
    if (state_ == State::Reading && bufferPos_ + sizeof(T) <= bufferLength_) {
        std::memcpy(&value, buffer_.data() + bufferPos_, sizeof(T));
        bufferPos_ += sizeof(T);
        return value;
    }
    ReadBytes(&value, sizeof(T));
    return value;
}

std::uint8_t RBufferedFile::ReadByte() { return ReadScalar<std::uint8_t>(); }
bool RBufferedFile::ReadBoolean() { return ReadScalar<std::uint8_t>() != 0; }
std::int32_t RBufferedFile::ReadInt32() { return ReadScalar<std::int32_t>(); }
std::int64_t RBufferedFile::ReadInt64() { return ReadScalar<std::int64_t>(); }
double RBufferedFile::ReadDouble() { return ReadScalar<double>(); }

std::string RBufferedFile::ReadString()
{
    const std::int32_t length = ReadInt32();
    if (length < 0)
        FailCorrupt(RFileErrorKind::NegativeLength);
    if (static_cast<std::uint64_t>(length) > RemainingPlainBytes())
        FailRead(RFileErrorKind::UnexpectedEnd);
    // Grow with the data actually read, so a corrupt length in a compressed
    // stream cannot make us allocate what the file does not hold.
    std::string text;
    std::size_t left = static_cast<std::size_t>(length);
    while (left > 0) {
        const std::size_t chunk = std::min<std::size_t>(left, 1 << 16);
        const std::size_t old = text.size();
        text.resize(old + chunk);
        ReadBytes(text.data() + old, chunk);
        left -= chunk;
    }
    return text;
}

std::uint64_t RBufferedFile::LogicalOffset() const
{
    if (state_ == State::Reading && level_ == 0)
        return filePos_ - (bufferLength_ - bufferPos_);
    return filePos_ + (state_ == State::Writing ? bufferLength_ : 0);
}

std::uint64_t RBufferedFile::RemainingPlainBytes() const
{
    if (level_ != 0)
        return std::numeric_limits<std::uint64_t>::max();
    const std::uint64_t offset = state_ == State::Reading ? LogicalOffset() : filePos_;
    return fileSize_ > offset ? fileSize_ - offset : 0;
}

void RBufferedFile::FailRead(RFileErrorKind kind, int error) const
{
    throw RFileError({.Kind = kind, .Path = path_, .SystemError = error, .Offset = LogicalOffset()});
}

void RBufferedFile::FailCorrupt(RFileErrorKind kind) const { FailRead(kind); }

void RBufferedFile::FailWrite(int error) const
{
    throw RFileError({.Kind = RFileErrorKind::WriteFailed, .Path = path_, .SystemError = error});
}
