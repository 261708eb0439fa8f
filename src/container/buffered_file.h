#pragma once
// RBufferedFile: buffered reading and writing of container files, plain or
// compressed block by block.
//
// Drive it as: OpenRead/OpenWrite, optionally SetCompression, then typed
// reads or writes, then Close. Integers and doubles are little-endian; a
// string is an int32 byte count followed by the bytes.
//
// Writing goes through RAtomicFile: the target is replaced only by Close,
// and only when every byte reached the disk. A failed write, or destroying
// the object without Close, keeps the old file and leaves no temporary.
//
// Compressed stream: the data is cut into blocks of up to the buffer size
// (4096 bytes). Each block is stored as int32 uncompressed length U, int32 N,
// then the zlib stream of the block (compress2 output, header and Adler-32
// included), whose length is N + 4; the whole block takes N + 12 bytes.
//
// Every failure raises RFileError (file_error.h) naming the file, and for a
// read the offset.

#include "container/file_error.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class RAtomicFile;

class RBufferedFile {
public:
    static constexpr std::size_t kDefaultBufferSize = 4096;

    explicit RBufferedFile(std::size_t bufferSize = kDefaultBufferSize);
    ~RBufferedFile();  // closes a file being read; discards one being written
    RBufferedFile(const RBufferedFile&) = delete;
    RBufferedFile& operator=(const RBufferedFile&) = delete;

    // The file must exist.
    void OpenRead(const std::string& path);
    // Starts a new, empty file that replaces `path` at Close.
    void OpenWrite(const std::string& path);
    // After writing: flushes and puts the file in place (RAtomicFile::Commit).
    void Close();
    bool IsOpen() const { return fd_ >= 0 || output_; }
    const std::string& Path() const { return path_; }

    // 0 = plain; any other level compresses: 1..9 as zlib takes them,
    // higher levels as 9, negative ones as zlib's default (6), like -1 in
    // zlib itself.
    // Switching flushes pending output; while reading, the new mode starts at
    // the first byte not yet consumed.
    void SetCompression(int level);
    int Compression() const { return level_; }

    void WriteBytes(const void* data, std::size_t size);
    void WriteByte(std::uint8_t value);
    void WriteBoolean(bool value);
    void WriteInt32(std::int32_t value);
    void WriteInt64(std::int64_t value);
    void WriteDouble(double value);
    void WriteString(std::string_view value);

    void ReadBytes(void* data, std::size_t size);
    std::uint8_t ReadByte();
    bool ReadBoolean();
    std::int32_t ReadInt32();
    std::int64_t ReadInt64();
    double ReadDouble();
    std::string ReadString();

    // Bytes of the file not yet consumed when reading plain data; for a
    // compressed stream an upper bound is not known and this gives the
    // largest value. Used to reject counts that cannot be satisfied.
    std::uint64_t RemainingPlainBytes() const;

    // Raises the read error of `kind` at the current offset, for data that
    // is present but cannot be right (a negative length, a count beyond the
    // file).
    [[noreturn]] void FailCorrupt(RFileErrorKind kind) const;

private:
    enum class State { Idle, Reading, Writing };

    void Flush();
    void FillBuffer();          // reading: next buffer of plain or decompressed data
    bool ReadBlock();           // compressed reading: one block; false at end of file
    void RawWrite(const void* data, std::size_t size);
    std::size_t RawRead(void* data, std::size_t size);  // short only at end of file
    void RawReadExact(void* data, std::size_t size);
    void BeginRead();
    void BeginWrite();
    void RewindUnconsumed();
    std::uint64_t LogicalOffset() const;
    [[noreturn]] void FailRead(RFileErrorKind kind, int error = 0) const;
    [[noreturn]] void FailWrite(int error) const;

    template <typename T> void WriteScalar(T value);
    template <typename T> T ReadScalar();

    std::size_t bufferSize_;
    std::vector<std::uint8_t> buffer_;
    std::size_t bufferLength_ = 0;  // valid bytes (reading) or pending bytes (writing)
    std::size_t bufferPos_ = 0;     // reading: next byte to hand out
    std::vector<std::uint8_t> packed_;  // compressed block being read or written
    int fd_ = -1;                          // reading
    std::unique_ptr<RAtomicFile> output_;  // writing
    std::string path_;
    State state_ = State::Idle;
    int level_ = 0;
    std::uint64_t fileSize_ = 0;    // at open for reading
    std::uint64_t filePos_ = 0;     // raw position of the descriptor
};
