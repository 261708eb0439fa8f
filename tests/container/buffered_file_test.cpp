#include "container/buffered_file.h"
#include "container/error.h"
#include "container/file_error.h"
#include "support/fifo_guard.h"
#include "support/files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <climits>
#include <cstring>
#include <utility>

namespace {

// Enough mixed values to cross several 4096-byte buffers at odd offsets.
void WriteMixed(RBufferedFile& file)
{
    for (int i = 0; i < 3000; ++i) {
        file.WriteByte(static_cast<std::uint8_t>(i));
        file.WriteInt32(-i);
        file.WriteInt64(std::int64_t{i} << 40);
        file.WriteDouble(i + 0.25);
        file.WriteBoolean(i % 3 == 0);
        file.WriteString(std::string(static_cast<std::size_t>(i % 17), 'a' + i % 26));
    }
}

void ExpectMixed(RBufferedFile& file)
{
    for (int i = 0; i < 3000; ++i) {
        ASSERT_EQ(file.ReadByte(), static_cast<std::uint8_t>(i));
        ASSERT_EQ(file.ReadInt32(), -i);
        ASSERT_EQ(file.ReadInt64(), std::int64_t{i} << 40);
        ASSERT_EQ(file.ReadDouble(), i + 0.25);
        ASSERT_EQ(file.ReadBoolean(), i % 3 == 0);
        ASSERT_EQ(file.ReadString(), std::string(static_cast<std::size_t>(i % 17), 'a' + i % 26));
    }
}

std::int32_t Int32At(const std::string& bytes, std::size_t offset)
{
    std::int32_t value;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

}  // namespace

TEST(BufferedFile, TypedValuesRoundTripPlainAndCompressed)
{
    TempDir dir;
    for (const int level : {0, 6}) {
        SCOPED_TRACE(level);
        const std::string path = dir.File("mixed" + std::to_string(level));
        {
            RBufferedFile file;
            file.OpenWrite(path);
            file.SetCompression(level);
            WriteMixed(file);
            file.Close();
        }
        RBufferedFile file;
        file.OpenRead(path);
        file.SetCompression(level);
        ExpectMixed(file);
        EXPECT_THROW(file.ReadByte(), RError);
    }
}

TEST(BufferedFile, PlainValuesAreLittleEndianWithoutPadding)
{
    TempDir dir;
    RBufferedFile file;
    file.OpenWrite(dir.File("f"));
    file.WriteInt32(0x01020304);
    file.WriteBoolean(true);
    file.WriteString("hi");
    file.Close();
    EXPECT_EQ(ReadWholeFile(dir.File("f")), std::string("\x04\x03\x02\x01\x01\x02\0\0\0hi", 11));
}

TEST(BufferedFile, CompressedBlocksAreFramedAsLengthsThenZlibStream)
{
    TempDir dir;
    const std::string path = dir.File("z");
    {
        RBufferedFile file;
        file.OpenWrite(path);
        file.SetCompression(1);
        for (int i = 0; i < 5000; ++i)
            file.WriteByte(static_cast<std::uint8_t>(i % 7));
        file.Close();
    }
    const std::string bytes = ReadWholeFile(path);
    std::size_t offset = 0;
    std::string plain;
    while (offset < bytes.size()) {
        const std::int32_t uncompressed = Int32At(bytes, offset);
        const std::int32_t payload = Int32At(bytes, offset + 4);
        std::string block(static_cast<std::size_t>(uncompressed), '\0');
        uLongf length = static_cast<uLongf>(uncompressed);
        ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(block.data()), &length,
                             reinterpret_cast<const Bytef*>(bytes.data() + offset + 8),
                             static_cast<uLong>(payload + 4)),
                  Z_OK);
        plain += block;
        offset += static_cast<std::size_t>(payload) + 12;
    }
    EXPECT_EQ(offset, bytes.size());
    ASSERT_EQ(plain.size(), 5000u);
    EXPECT_EQ(Int32At(bytes, 0), 4096);  // full blocks first, the last one shorter
    EXPECT_EQ(plain[4999], static_cast<char>(4999 % 7));
}

TEST(BufferedFile, EveryNonZeroLevelCompresses)
{
    TempDir dir;
    RBufferedFile file;
    const std::pair<int, int> levels[] = {{0, 0}, {-1, 6}, {-100, 6}, {1, 1}, {9, 9}, {10, 9}, {INT_MAX, 9}};
    for (const auto& [asked, used] : levels) {
        SCOPED_TRACE(asked);
        file.OpenWrite(dir.File("level"));
        file.SetCompression(asked);
        EXPECT_EQ(file.Compression(), used);
        file.WriteString(std::string(1000, 'x'));
        file.Close();
        EXPECT_EQ(ReadWholeFile(dir.File("level")).size() < 1000, used != 0);
    }
}

TEST(BufferedFile, NothingReachesTheTargetUntilClose)
{
    TempDir dir;
    const std::string path = dir.File("target");
    WriteWholeFile(path, "old");
    {
        RBufferedFile file;
        file.OpenWrite(path);
        file.WriteString(std::string(10000, 'n'));  // more than one buffer
        EXPECT_EQ(ReadWholeFile(path), "old");
    }  // destroyed without Close: discarded
    EXPECT_EQ(ReadWholeFile(path), "old");
    EXPECT_EQ(FileNames(dir.Path().string()), std::vector<std::string>{"target"});

    RBufferedFile file;
    file.OpenWrite(path);
    file.WriteBytes("new", 3);
    file.Close();
    EXPECT_EQ(ReadWholeFile(path), "new");
}

TEST(BufferedFile, SwitchingCompressionWhileReadingStartsAtTheNextUnreadByte)
{
    TempDir dir;
    const std::string path = dir.File("s");
    {
        RBufferedFile file;
        file.OpenWrite(path);
        file.WriteBytes("HEAD", 4);
        file.SetCompression(9);
        file.WriteInt32(1234567);
        file.Close();
    }
    RBufferedFile file;
    file.OpenRead(path);
    char head[4];
    file.ReadBytes(head, 4);  // the whole file now sits in the buffer
    file.SetCompression(1);
    EXPECT_EQ(file.ReadInt32(), 1234567);
}

TEST(BufferedFile, OpenFailuresNameThePathAndTheReason)
{
    TempDir dir;
    RBufferedFile file;
    const std::string missing = dir.File("missing.dat");
    try {
        file.OpenRead(missing);
        FAIL() << "no error";
    } catch (const RError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Ошибка открытия файла " + missing + ": " + std::strerror(ENOENT));
    }
    EXPECT_THROW(file.OpenWrite(dir.File("no/such/dir/f")), RError);
    EXPECT_THROW(file.OpenRead(dir.Path().string()), RError);  // a directory is not a file
}

TEST(BufferedFile, AFifoOrADeviceIsRefusedWithoutWaitingOnIt)
{
    // A settings file replaced by a FIFO must not hold the viewer up
    // waiting for a writer, nor a device be read as a file.
    TempDir dir;
    const std::string fifo = dir.File("settings.dat");
    MakeFifo(fifo);
    const std::pair<std::string, int> cases[] = {{fifo, ENOTSUP}, {"/dev/null", ENOTSUP}, {dir.Path().string(), EISDIR}};
    for (const auto& [path, reason] : cases) {
        const FifoGuard guard(fifo);
        RBufferedFile file;
        try {
            file.OpenRead(path);
            ADD_FAILURE() << "no error for " << path;
        } catch (const RFileError& error) {
            EXPECT_EQ(error.Fault().Kind, RFileErrorKind::OpenFailed);
            EXPECT_EQ(error.Fault().SystemError, reason) << path;
        }
        EXPECT_FALSE(guard.Unblocked()) << path;
    }
}

TEST(BufferedFile, ShortReadsAndImpossibleLengthsRaiseTheReadError)
{
    TempDir dir;
    const std::string path = dir.File("short");
    WriteWholeFile(path, std::string("\x10\0\0\0ab", 6));  // string of 16 bytes, 2 present
    RBufferedFile file;
    file.OpenRead(path);
    try {
        file.ReadString();
        FAIL() << "no error";
    } catch (const RError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Ошибка чтения из файла: ", 0), 0u) << error.what();
    }

    WriteWholeFile(path, std::string("\xff\xff\xff\x7f", 4));  // 2 GiB string in a 4-byte file
    file.OpenRead(path);
    EXPECT_THROW(file.ReadString(), RError);
}

TEST(BufferedFile, CorruptCompressedBlocksRaiseTheUnpackError)
{
    TempDir dir;
    const std::string path = dir.File("c");
    {
        RBufferedFile file;
        file.OpenWrite(path);
        file.SetCompression(1);
        file.WriteString(std::string(1000, 'x'));
        file.Close();
    }
    std::string bytes = ReadWholeFile(path);
    bytes[12] ^= 0x55;  // inside the zlib stream
    WriteWholeFile(path, bytes);
    RBufferedFile file;
    file.OpenRead(path);
    file.SetCompression(1);
    try {
        file.ReadString();
        FAIL() << "no error";
    } catch (const RError& error) {
        EXPECT_STREQ(error.what(), "Ошибка разархивации данных");
    }
}
