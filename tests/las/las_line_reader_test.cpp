#include "las/las_line_reader.h"

#include "support/fifo_guard.h"
#include "support/files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>
#include <vector>

namespace {

std::vector<std::string> ReadAll(const std::string& bytes)
{
    TempDir dir;
    WriteWholeFile(dir.File("f.las"), bytes);
    RLasLineReader reader;
    EXPECT_TRUE(reader.Open(dir.File("f.las")));
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.ReadLine(line))
        lines.emplace_back(line);
    EXPECT_TRUE(reader.AtEnd());
    return lines;
}

}  // namespace

TEST(RLasLineReader, LineEndsOfEveryKind)
{
    EXPECT_EQ(ReadAll("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(ReadAll("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(ReadAll("a\r"), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(ReadAll("").empty());
    EXPECT_EQ(ReadAll("\xEF\xBB\xBF~V\n"), (std::vector<std::string>{"~V"}));
}

TEST(RLasLineReader, LinesAcrossAndBeyondTheBuffer)
{
    // A CR LF split over the buffer boundary and a line longer than the buffer.
    std::string first(RLasLineReader::kBufferSize - 1, 'x');
    std::string longLine(RLasLineReader::kBufferSize * 3, 'y');
    const auto lines = ReadAll(first + "\r\n" + longLine + "\nend");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], first);
    EXPECT_EQ(lines[1], longLine);
    EXPECT_EQ(lines[2], "end");
}

TEST(RLasLineReader, AtEndRightAfterTheLastLine)
{
    TempDir dir;
    WriteWholeFile(dir.File("f.las"), "one\r\ntwo\r\n");
    RLasLineReader reader;
    ASSERT_TRUE(reader.Open(dir.File("f.las")));
    std::string_view line;
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_FALSE(reader.AtEnd());
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "two");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_FALSE(reader.Open(dir.File("missing.las")));
}

TEST(RLasLineReader, OverlongLineIsCutAndTheRestOfItSkipped)
{
    // A file without line ends (a binary opened by mistake) must not be
    // held whole: a line stops at kMaxLineLength bytes and its remainder,
    // up to the next line end, is dropped.
    const std::string longLine(RLasLineReader::kMaxLineLength + 12345, 'z');
    for (const std::string end : {"\r\n", "\r", "\n", ""}) {
        TempDir dir;
        WriteWholeFile(dir.File("f.las"), "a\n" + longLine + end + (end.empty() ? "" : "b\r\n"));
        RLasLineReader reader;
        ASSERT_TRUE(reader.Open(dir.File("f.las")));
        std::string_view line;
        ASSERT_TRUE(reader.ReadLine(line));
        EXPECT_FALSE(reader.LinesCut());
        ASSERT_TRUE(reader.ReadLine(line));
        EXPECT_EQ(line.size(), RLasLineReader::kMaxLineLength);
        EXPECT_EQ(line.find_first_not_of('z'), std::string_view::npos);
        EXPECT_TRUE(reader.LinesCut());
        if (!end.empty()) {
            EXPECT_FALSE(reader.AtEnd());
            ASSERT_TRUE(reader.ReadLine(line));
            EXPECT_EQ(line, "b");
        }
        EXPECT_TRUE(reader.AtEnd());
        EXPECT_FALSE(reader.ReadLine(line));
    }
}

TEST(RLasLineReader, PiecesSplitAfterAnyLineFeedReadTheSameLinesAsTheWhole)
{
    // Every kind of line end, blank lines, a CR LF and a lone CR next to
    // the cut: two readers on [0, p) and [p, end) must hand out the whole
    // file's lines, for every p just after a line feed.
    const std::string bytes = "~A\r\n1 2\n\r\n3\r4\r\n\n5 6\r\r\n7";
    const std::vector<std::string> whole = ReadAll(bytes);
    TempDir dir;
    WriteWholeFile(dir.File("f.las"), bytes);
    RLasLineReader file;
    ASSERT_TRUE(file.Open(dir.File("f.las")));
    EXPECT_EQ(file.FileSize(), bytes.size());
    for (std::uint64_t from = 0; from <= bytes.size(); ++from) {
        const std::uint64_t cut = file.NextLineStart(from);
        const std::size_t lf = bytes.find('\n', from);
        ASSERT_EQ(cut, lf == std::string::npos ? bytes.size() : lf + 1) << from;
        std::vector<std::string> lines;
        for (const auto& [begin, end] : {std::pair{std::uint64_t(0), cut}, std::pair{cut, RLasLineReader::kToTheEnd}}) {
            RLasLineReader piece;
            ASSERT_TRUE(piece.OpenPiece(file, begin, end));
            std::string_view line;
            while (piece.ReadLine(line))
                lines.emplace_back(line);
            EXPECT_EQ(piece.Offset(), std::max<std::uint64_t>(begin, std::min<std::uint64_t>(end, bytes.size())));
        }
        EXPECT_EQ(lines, whole) << "cut at " << cut;
    }
}

TEST(RLasLineReader, CountsLineFeedsInAnyRange)
{
    // Every byte value, line feeds among bytes one bit away from them
    // (0x0B, 0x8A, 0x08), runs of them across word edges, and a block
    // boundary inside the range.
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    bytes += "\n\n\n\n\n\n\n\n\n\x0b\n\x8a\n\x08\n\n";
    for (std::uint32_t seed = 7; bytes.size() < RLasLineReader::kBufferSize + 1000;) {
        seed = seed * 1103515245 + 12345;
        bytes += (seed >> 16) % 5 == 0 ? '\n' : static_cast<char>(seed >> 8);
    }
    TempDir dir;
    WriteWholeFile(dir.File("f.las"), bytes);
    RLasLineReader file;
    ASSERT_TRUE(file.Open(dir.File("f.las")));
    const auto expected = [&](std::size_t from, std::size_t to) {
        return static_cast<std::uint64_t>(std::count(bytes.begin() + from, bytes.begin() + to, '\n'));
    };
    for (std::size_t from = 0; from < 300; from += 7)
        for (std::size_t to = from; to < 300; to += 5)
            ASSERT_EQ(file.CountLineFeeds(from, to), expected(from, to)) << from << ".." << to;
    EXPECT_EQ(file.CountLineFeeds(3, bytes.size()), expected(3, bytes.size()));
    EXPECT_EQ(file.CountLineFeeds(0, bytes.size() + 100), expected(0, bytes.size()));
}

// --- UTF-16 files --------------------------------------------------------

namespace {

std::string Utf16Bytes(std::u16string_view units, bool bigEndian, bool mark)
{
    std::string out;
    for (const char16_t unit : mark ? u"\uFEFF" + std::u16string(units) : std::u16string(units)) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    }
    return out;
}

// Every kind of line end, Cyrillic and a character beyond U+FFFF.
constexpr std::u16string_view kRussianLas =
    u"~Version information\r\n"
    u" VERS.   2.0 : CWLS log ASCII Standard\r\n"
    u"~Well information\n"
    u" WELL.   Скв. 12-бис : Скважина\r\n"
    u" FLD .   Самотлорское месторождение : Месторождение 𝄞\r"
    u"~A\r\n"
    u"1500.0 12.5\n"
    u"1500.1 -999.25";

// The same text in UTF-8, read as the reader reads it.
const std::string kRussianLasUtf8 =
    TextCodec::DecodeToUtf8(Utf16Bytes(kRussianLas, false, false), TextCodec::Encoding::Utf16LE);

}  // namespace

TEST(RLasLineReader, Utf16FilesReadAsTheirUtf8Text)
{
    const std::vector<std::string> expected = ReadAll(kRussianLasUtf8);
    ASSERT_EQ(expected.size(), 8u);
    EXPECT_EQ(expected[3], " WELL.   Скв. 12-бис : Скважина");
    for (const bool big : {false, true}) {
        for (const bool mark : {true, false}) {
            TempDir dir;
            WriteWholeFile(dir.File("f.las"), Utf16Bytes(kRussianLas, big, mark));
            RLasLineReader reader;
            ASSERT_TRUE(reader.Open(dir.File("f.las")));
            EXPECT_EQ(reader.SourceEncoding(), big ? TextCodec::Encoding::Utf16BE : TextCodec::Encoding::Utf16LE);
            EXPECT_FALSE(reader.HadUtf8Mark());
            EXPECT_EQ(reader.FileSize(), kRussianLasUtf8.size());
            std::vector<std::string> lines;
            std::string_view line;
            while (reader.ReadLine(line))
                lines.emplace_back(line);
            EXPECT_EQ(lines, expected) << "big endian " << big << ", mark " << mark;
            EXPECT_FALSE(reader.Failed());
            EXPECT_EQ(reader.Offset(), kRussianLasUtf8.size());
        }
    }
}

TEST(RLasLineReader, EightBitAndUtf8FilesAreReadAsTheyAre)
{
    // A Windows-1251 file, and UTF-8 with and without the mark: no
    // conversion, the mark noted and skipped.
    const std::string cp1251 = "~W\r\n WELL. \xD1\xEA\xE2. 5\r\n";
    for (const std::string& bytes : {cp1251, "\xEF\xBB\xBF" + kRussianLasUtf8, kRussianLasUtf8}) {
        TempDir dir;
        WriteWholeFile(dir.File("f.las"), bytes);
        RLasLineReader reader;
        ASSERT_TRUE(reader.Open(dir.File("f.las")));
        EXPECT_EQ(reader.SourceEncoding(), TextCodec::Encoding::Utf8);
        EXPECT_EQ(reader.HadUtf8Mark(), bytes.starts_with("\xEF\xBB\xBF"));
        EXPECT_EQ(reader.FileSize(), bytes.size());
        EXPECT_EQ(reader.Offset(), 0u);
        std::string_view line;
        ASSERT_TRUE(reader.ReadLine(line));
        EXPECT_EQ(line, bytes == cp1251 ? "~W" : "~Version information");
    }
    EXPECT_EQ(ReadAll(cp1251), (std::vector<std::string>{"~W", " WELL. \xD1\xEA\xE2. 5"}));
}

TEST(RLasLineReader, PiecesOfAConvertedFileReadItsUtf8Lines)
{
    const std::string& text = kRussianLasUtf8;
    const std::vector<std::string> whole = ReadAll(text);
    TempDir dir;
    WriteWholeFile(dir.File("f.las"), Utf16Bytes(kRussianLas, false, true));
    RLasLineReader file;
    ASSERT_TRUE(file.Open(dir.File("f.las")));
    EXPECT_EQ(file.CountLineFeeds(0, file.FileSize()),
              static_cast<std::uint64_t>(std::count(text.begin(), text.end(), '\n')));
    for (std::uint64_t from = 0; from <= text.size(); from += 3) {
        const std::uint64_t cut = file.NextLineStart(from);
        const std::size_t lf = text.find('\n', from);
        ASSERT_EQ(cut, lf == std::string::npos ? text.size() : lf + 1) << from;
        std::vector<std::string> lines;
        for (const auto& [begin, end] : {std::pair{std::uint64_t(0), cut}, std::pair{cut, RLasLineReader::kToTheEnd}}) {
            RLasLineReader piece;
            ASSERT_TRUE(piece.OpenPiece(file, begin, end));
            std::string_view line;
            while (piece.ReadLine(line))
                lines.emplace_back(line);
        }
        EXPECT_EQ(lines, whole) << "cut at " << cut;
    }
}

TEST(RLasLineReader, LongUtf16FileIsConvertedBlockByBlock)
{
    // Many buffers' worth of lines, with Cyrillic and a surrogate pair on
    // every one, so that characters meet the block boundaries.
    std::u16string text = u"~A\r\n";
    for (int i = 0; text.size() < RLasLineReader::kBufferSize * 3; ++i)
        text += u"1500.25 Глубина 𝄞 " + std::u16string(static_cast<std::size_t>(i % 7), u'x') + u"\r\n";
    const std::string bytes = Utf16Bytes(text, true, false);
    const std::vector<std::string> expected = ReadAll(TextCodec::DecodeToUtf8(bytes, TextCodec::Encoding::Utf16BE));
    TempDir dir;
    WriteWholeFile(dir.File("f.las"), bytes);
    RLasLineReader reader;
    ASSERT_TRUE(reader.Open(dir.File("f.las")));
    EXPECT_EQ(reader.SourceEncoding(), TextCodec::Encoding::Utf16BE);
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.ReadLine(line))
        lines.emplace_back(line);
    EXPECT_TRUE(lines == expected);
}

TEST(RLasLineReader, Utf16FileWithAnOddByteCountEndsInAReplacement)
{
    TempDir dir;
    WriteWholeFile(dir.File("f.las"), Utf16Bytes(u"~A\r\n1 2\r\n3", false, true) + "4");
    RLasLineReader reader;
    ASSERT_TRUE(reader.Open(dir.File("f.las")));
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.ReadLine(line))
        lines.emplace_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"~A", "1 2", "3\uFFFD"}));
    EXPECT_FALSE(reader.Failed());
}

// --- What is not a regular file, and files that change under the reader ---

TEST(RLasLineReader, RefusesWhatIsNoRegularFileWithoutWaitingOnIt)
{
    // A FIFO without a writer would hold a plain open up for ever.
    TempDir dir;
    MakeFifo(dir.File("pipe.las"));
    std::filesystem::create_directory(dir.File("folder.las"));
    RLasLineReader reader;
    {
        FifoGuard guard(dir.File("pipe.las"));
        EXPECT_FALSE(reader.Open(dir.File("pipe.las")));
        EXPECT_FALSE(guard.Unblocked());
    }
    EXPECT_EQ(reader.OpenFailure(), RLasProblemKind::NotARegularFile);
    EXPECT_EQ(reader.FileType(), RLasFileType::Fifo);
    EXPECT_FALSE(reader.IsOpen());

    EXPECT_FALSE(reader.Open("/dev/null"));
    EXPECT_EQ(reader.OpenFailure(), RLasProblemKind::NotARegularFile);
    EXPECT_EQ(reader.FileType(), RLasFileType::CharacterDevice);

    EXPECT_FALSE(reader.Open(dir.File("folder.las")));
    EXPECT_EQ(reader.OpenFailure(), RLasProblemKind::IsAFolder);
    EXPECT_FALSE(reader.Open(dir.File("missing.las")));
    EXPECT_EQ(reader.OpenFailure(), RLasProblemKind::FileNotFound);
    EXPECT_FALSE(reader.Open(dir.File("missing.las/f.las")));
    EXPECT_EQ(reader.OpenFailure(), RLasProblemKind::FileNotFound);

    WriteWholeFile(dir.File("f.las"), "~A\n");
    ASSERT_TRUE(reader.Open(dir.File("f.las")));
    std::string_view line;
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "~A");
}

namespace {

// Three buffers of numbered lines "0\n1\n...": Open reads the first
// buffer, so a change after Open meets bytes not read yet.
std::string NumberedLines()
{
    std::string bytes;
    for (int i = 0; bytes.size() < RLasLineReader::kBufferSize * 3; ++i)
        bytes += std::to_string(i) + "\n";
    return bytes;
}

std::size_t LinesLeft(RLasLineReader& reader)
{
    std::size_t count = 0;
    std::string_view line;
    while (reader.ReadLine(line))
        ++count;
    return count;
}

}  // namespace

TEST(RLasLineReader, AFileCutShortWhileReadEndsAsChangedNotAsItsEnd)
{
    const std::string bytes = NumberedLines();
    const auto lineCount = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    TempDir dir;
    const std::string path = dir.File("f.las");
    for (const bool pieces : {false, true}) {
        SCOPED_TRACE(pieces);
        WriteWholeFile(path, bytes);
        RLasLineReader file;
        ASSERT_TRUE(file.Open(path));
        ASSERT_EQ(file.FileSize(), bytes.size());
        std::filesystem::resize_file(path, RLasLineReader::kBufferSize * 2);
        if (!pieces) {
            EXPECT_LT(LinesLeft(file), lineCount);
            EXPECT_TRUE(file.Changed());
            EXPECT_FALSE(file.Failed());
            continue;
        }
        // A piece wholly before the cut reads as before; one across it and
        // one past it meet the early end.
        const std::uint64_t cut = RLasLineReader::kBufferSize * 2;
        const std::uint64_t before = file.NextLineStart(cut / 2);
        for (const auto& [begin, end, changed] : {std::tuple{std::uint64_t(0), before, false},
                                                  std::tuple{before, RLasLineReader::kToTheEnd, true},
                                                  std::tuple{cut + 10, bytes.size(), true}}) {
            RLasLineReader piece;
            ASSERT_TRUE(piece.OpenPiece(file, begin, end));
            LinesLeft(piece);
            EXPECT_EQ(piece.Changed(), changed) << begin;
        }
    }
}

TEST(RLasLineReader, BytesAppendedWhileReadingAreNotRead)
{
    const std::string bytes = NumberedLines();
    TempDir dir;
    const std::string path = dir.File("f.las");
    WriteWholeFile(path, bytes);
    RLasLineReader file;
    ASSERT_TRUE(file.Open(path));
    {
        std::ofstream append(path, std::ios::binary | std::ios::app);
        append << "appended\n" << std::string(RLasLineReader::kBufferSize, 'a') << "\nlast";
    }
    EXPECT_EQ(file.NextLineStart(bytes.size() - 1), bytes.size());
    EXPECT_EQ(file.CountLineFeeds(0, RLasLineReader::kToTheEnd),
              static_cast<std::uint64_t>(std::count(bytes.begin(), bytes.end(), '\n')));
    std::string last;
    for (std::string_view line; file.ReadLine(line);)
        last = line;
    EXPECT_EQ(last, std::to_string(std::count(bytes.begin(), bytes.end(), '\n') - 1));
    EXPECT_EQ(file.Offset(), bytes.size());
    EXPECT_FALSE(file.Changed());
    RLasLineReader piece;
    ASSERT_TRUE(piece.OpenPiece(file, bytes.size() - 3, RLasLineReader::kToTheEnd));
    EXPECT_EQ(LinesLeft(piece), 1u);
    EXPECT_FALSE(piece.Changed());
}
