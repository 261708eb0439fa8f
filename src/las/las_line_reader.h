#pragma once
// RLasLineReader: reads a text file line by line through a large buffer,
// without holding the file. Lines end at LF, CR LF or a lone CR; the line
// handed out excludes its end and stays valid until the next call. A UTF-8
// byte order mark at the start of the file is skipped.
//
// A UTF-16 file (with a byte order mark, or told by the zero bytes of its
// ASCII characters) is converted to UTF-8 at Open, a block at a time, into
// an anonymous temporary file, and that is what the reader reads: offsets,
// FileSize and pieces then count bytes of the UTF-8 text. SourceEncoding()
// tells which it was. Other files are read as the bytes they hold.
//
//     RLasLineReader reader;
//     if (!reader.Open(path)) ...;
//     std::string_view line;
//     while (reader.ReadLine(line)) ...;
//
// AtEnd() is true once no byte follows the lines read so far, so after the
// last line of a file it is true even before ReadLine fails.
//
// Only a regular file is opened: anything else (a folder, a FIFO, a socket,
// a device) is refused before a byte is read, and a FIFO without a writer
// does not hold Open up. OpenFailure() and FileType() tell why.
//
// The reader reads no further than the size the file had at Open: bytes a
// writer appends meanwhile are not read. A file that ends before that size
// (cut short by another program while it is read) ends the reading there
// with Changed() set, the lines before it handed out.
//
// A line longer than kMaxLineLength is cut there and the rest of it, up to
// the next line end, is skipped (LinesCut() tells): a file without line
// ends is never held whole.
//
// A piece of the file, [begin, end) with `begin` just after a line feed,
// can be read by a reader of its own (OpenPiece) on the same open file:
// since every line feed ends a line, its lines are exactly the lines the
// whole file's reader hands out for those bytes. Pieces read in parallel
// threads; the reader they share must stay open and unused meanwhile.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "container/text_codec.h"
#include "las/las_problem.h"

struct stat;

class RLasLineReader {
public:
    static constexpr std::size_t kBufferSize = 256 * 1024;
    static constexpr std::size_t kMaxLineLength = 16 * 1024 * 1024;
    static constexpr std::uint64_t kToTheEnd = UINT64_MAX;

    RLasLineReader() = default;
    ~RLasLineReader();
    RLasLineReader(const RLasLineReader&) = delete;
    RLasLineReader& operator=(const RLasLineReader&) = delete;

    // False when the file cannot be opened or, for UTF-16, converted (a
    // read error, no room or no way to make the temporary file).
    bool Open(const std::string& path);
    // Why the last Open returned false: FileNotFound, IsAFolder,
    // NotARegularFile (FileType() says what stands there), FileChanged (a
    // UTF-16 file cut short while it was converted) or FileUnreadable.
    RLasProblemKind OpenFailure() const { return openFailure_; }
    RLasFileType FileType() const { return fileType_; }
    // Reads bytes [begin, end) of the file `whole` has open (no byte order
    // mark check); `whole` must outlive this reader.
    bool OpenPiece(const RLasLineReader& whole, std::uint64_t begin, std::uint64_t end);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // File offset of the first byte not yet handed out in a line.
    std::uint64_t Offset() const { return fileOffset_ - (end_ - begin_); }
    // Offset just past the first line feed at or after `from`; the size of
    // the file when there is none. Reads the file without moving Offset().
    std::uint64_t NextLineStart(std::uint64_t from) const;
    // Line feeds in bytes [from, to) of the file, read without moving
    // Offset().
    std::uint64_t CountLineFeeds(std::uint64_t from, std::uint64_t to) const;
    // Size of the open file, as at Open.
    std::uint64_t FileSize() const { return fileSize_; }
    // Utf16LE or Utf16BE when the file was UTF-16 and is read converted,
    // Utf8 for every other file (whatever its 8-bit text is).
    TextCodec::Encoding SourceEncoding() const { return sourceEncoding_; }
    // The file starts with a UTF-8 byte order mark (which ReadLine skips).
    bool HadUtf8Mark() const { return hadUtf8Mark_; }

    bool ReadLine(std::string_view& line);
    bool AtEnd();
    // A read error met on the way (the lines before it were handed out).
    bool Failed() const { return failed_; }
    // The file ended before the size it had at Open: it was cut short
    // while it was read (the lines before that were handed out).
    bool Changed() const { return changed_; }
    // A line was longer than kMaxLineLength and was cut.
    bool LinesCut() const { return cut_; }

private:
    // Moves unread bytes to the front and reads more; false at end of file.
    bool Fill();
    // Drops the bytes up to and including the next line end.
    void SkipRestOfLine();
    // The line starting at begin_: true with its length and the bytes it
    // takes with its line end once that end is in the buffer; false while
    // it is not, with the line's length so far.
    bool FindLineEnd(std::size_t& length, std::size_t& consumed) const;
    // True for a regular file; anything else sets FileType and OpenFailure.
    bool TakesFileType(const struct stat& info);
    // Replaces the open UTF-16 file, whose first bytes are in the buffer,
    // by its UTF-8 text in an anonymous temporary file.
    bool ConvertFromUtf16(TextCodec::Encoding byteOrder, std::size_t markLength);

    int fd_ = -1;
    bool ownsFd_ = false;
    std::uint64_t fileOffset_ = 0;  // where the next read starts
    std::uint64_t limit_ = kToTheEnd;  // where reading stops
    std::uint64_t fileSize_ = 0;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;  // first unread byte
    std::size_t end_ = 0;    // end of the bytes read
    bool eof_ = false;
    bool failed_ = false;
    bool changed_ = false;
    RLasProblemKind openFailure_ = RLasProblemKind::FileUnreadable;
    RLasFileType fileType_ = RLasFileType::Regular;
    bool started_ = false;  // the byte order mark check is done
    bool cut_ = false;
    std::string cutLine_;  // the kept part of the last overlong line
    TextCodec::Encoding sourceEncoding_ = TextCodec::Encoding::Utf8;
    bool hadUtf8Mark_ = false;
};
