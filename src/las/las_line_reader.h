#pragma once
// RLasLineReader: reads a text file line by line through a large buffer,
// without holding the file. Lines end at LF, CR LF or a lone CR; the line
// handed out excludes its end and stays valid until the next call. A UTF-8
// byte order mark at the start of the file is skipped.
//
//     RLasLineReader reader;
//     if (!reader.Open(path)) ...;
//     std::string_view line;
//     while (reader.ReadLine(line)) ...;
//
// AtEnd() is true once no byte follows the lines read so far, so after the
// last line of a file it is true even before ReadLine fails.
//
// A line longer than kMaxLineLength is cut there and the rest of it, up to
// the next line end, is skipped (LinesCut() tells): a file without line
// ends is never held whole.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class RLasLineReader {
public:
    static constexpr std::size_t kBufferSize = 256 * 1024;
    static constexpr std::size_t kMaxLineLength = 16 * 1024 * 1024;

    RLasLineReader() = default;
    ~RLasLineReader();
    RLasLineReader(const RLasLineReader&) = delete;
    RLasLineReader& operator=(const RLasLineReader&) = delete;

    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    bool ReadLine(std::string_view& line);
    bool AtEnd();
    // A read error met on the way (the lines before it were handed out).
    bool Failed() const { return failed_; }
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

    int fd_ = -1;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;  // first unread byte
    std::size_t end_ = 0;    // end of the bytes read
    bool eof_ = false;
    bool failed_ = false;
    bool started_ = false;  // the byte order mark check is done
    bool cut_ = false;
    std::string cutLine_;  // the kept part of the last overlong line
};
