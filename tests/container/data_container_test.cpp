#include "container/data_container.h"
#include "container/error.h"
#include "support/child_process.h"
#include "support/files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace {

// A tree with every value type, an empty object between two full ones and
// a nested child.
void FillSample(RDataContainer& container)
{
    RDCNode* gr = container.NodeByPath("LasSettings\\View\\GR", true);
    RDCObject* first = gr->Object(0);
    first->Value(0)->SetBoolean(true);
    first->Value(1)->SetInteger(-5);
    first->Value(2)->SetLargeInteger(std::int64_t{1} << 40);
    first->Value(3)->SetDouble(-0.5);
    first->Value(4)->SetString("\xC3\xCA");  // cp1251 bytes stay bytes
    first->Value(5)->SetBinary(3, "\0\1\2");
    gr->Object(1);                            // empty object in the middle
    RDCObject* third = gr->Object(2);
    third->Value(1)->SetString("");           // value 0 stays empty
    container.NodeByPath("LasSettings\\CalcMethod", true);
}

void ExpectSameTree(const RDCNodeList& a, const RDCNodeList& b)
{
    ASSERT_EQ(a.ChildCount(), b.ChildCount());
    for (int n = 0; n < a.ChildCount(); ++n) {
        const RDCNode* x = a.ChildAt(n);
        const RDCNode* y = b.ChildAt(n);
        ASSERT_EQ(x->Name(), y->Name());
        ASSERT_EQ(x->ObjectCount(), y->ObjectCount()) << x->Name();
        for (int i = 0; i < x->ObjectCount(); ++i)
            EXPECT_TRUE(*x->ObjectAt(i) == *y->ObjectAt(i)) << x->Name() << " object " << i;
        ExpectSameTree(*x, *y);
    }
}

std::string SampleFile(const TempDir& dir, int level)
{
    RDataContainer container;
    FillSample(container);
    const std::string path = dir.File("sample" + std::to_string(level) + ".dat");
    container.SaveToFile(path, level);
    return path;
}

// A container of about 1 MB of bytes that do not compress, far beyond the
// limits the failure tests set.
void FillLarge(RDataContainer& container)
{
    RDCObject* object = container.AddChild("Large")->Object(0);
    std::uint32_t noise = 12345;
    for (int i = 0; i < 1000; ++i) {
        std::string text(1000, '\0');
        for (char& byte : text) {
            noise = noise * 1664525u + 1013904223u;
            byte = static_cast<char>(noise >> 24);
        }
        object->Value(i)->SetString(text);
    }
}

}  // namespace

TEST(DataContainerFile, EmptyContainerIsSignatureAndZeroCount)
{
    TempDir dir;
    RDataContainer().SaveToFile(dir.File("empty.dat"));
    EXPECT_EQ(ReadWholeFile(dir.File("empty.dat")), std::string("RDCNoncompressFile\0\0\0\0", 22));
}

TEST(DataContainerFile, EmptyStringIsTypeFiveWithZeroLength)
{
    TempDir dir;
    RDataContainer container;
    container.AddChild("N")->Object(0)->Value(0)->SetString("");
    container.SaveToFile(dir.File("s.dat"));
    const std::string expected("RDCNoncompressFile"
                               "\1\0\0\0"        // one root node
                               "\1\0\0\0N"       // its name
                               "\1\0\0\0"        // one object
                               "\1\0\0\0"        // one value
                               "\5\0\0\0\0"      // string of length 0
                               "\0\0\0\0",       // no children
                               18 + 4 + 5 + 4 + 4 + 5 + 4);
    EXPECT_EQ(ReadWholeFile(dir.File("s.dat")), expected);
}

TEST(DataContainerFile, EveryValueTypeAndAnEmptyObjectRoundTrip)
{
    TempDir dir;
    for (const int level : {0, 1, 9}) {
        SCOPED_TRACE(level);
        RDataContainer original;
        FillSample(original);
        RDataContainer loaded;
        ASSERT_TRUE(loaded.LoadFromFile(SampleFile(dir, level)));
        ExpectSameTree(original, loaded);
        const RDCNode* gr = loaded.NodeByPath("LasSettings\\View\\GR");
        ASSERT_NE(gr, nullptr);
        EXPECT_EQ(gr->ObjectAt(1)->ValueCount(), 0);
        EXPECT_EQ(gr->ObjectAt(0)->ValueAt(4)->AsString(), "\xC3\xCA");
    }
}

// Long child lists, at the root and under a node, are written and read in
// one pass each (a walk that searched for every next child took seconds here).
TEST(DataContainerFile, TwoHundredThousandChildrenRoundTripInOrder)
{
    constexpr int kChildren = 200000;
    TempDir dir;
    RDataContainer original;
    RDCNode* flat = original.AddChild("Flat");
    for (int n = 0; n < kChildren; ++n) {
        original.AddChild("R" + std::to_string(n));
        flat->AddChild("C" + std::to_string(n))->Object(0)->Value(0)->SetInteger(n);
    }
    original.SaveToFile(dir.File("flat.dat"));
    RDataContainer loaded;
    ASSERT_TRUE(loaded.LoadFromFile(dir.File("flat.dat")));
    ASSERT_EQ(loaded.ChildCount(), kChildren + 1);
    const RDCNode* loadedFlat = loaded.FirstChild();
    ASSERT_EQ(loadedFlat->Name(), "Flat");
    ASSERT_EQ(loadedFlat->ChildCount(), kChildren);
    int n = 0;
    for (const RDCNode* node = loadedFlat->FirstChild(); node; node = loadedFlat->NextChild(node), ++n)
        ASSERT_EQ(node->ObjectAt(0)->ValueAt(0)->AsInteger(), n);
    EXPECT_EQ(n, kChildren);
    n = 0;
    for (const RDCNode* node = loaded.NextChild(loadedFlat); node; node = loaded.NextChild(node), ++n)
        ASSERT_EQ(node->Name(), "R" + std::to_string(n));
    EXPECT_EQ(n, kChildren);
}

TEST(DataContainerFile, CompressedSaveStartsWithItsSignature)
{
    TempDir dir;
    EXPECT_EQ(ReadWholeFile(SampleFile(dir, 6)).substr(0, 18), "RDataContainerFile");
}

TEST(DataContainerFile, MissingFileLoadsAsFailureAndKeepsTheContainer)
{
    TempDir dir;
    RDataContainer container;
    container.AddChild("kept");
    EXPECT_FALSE(container.LoadFromFile(dir.File("none.dat")));
    EXPECT_NE(container.Child("kept"), nullptr);
}

TEST(DataContainerFile, UnknownSignatureLoadsAsFailureAndEmptiesTheContainer)
{
    TempDir dir;
    WriteWholeFile(dir.File("x.dat"), std::string("RDCNoncompressFilX\0\0\0\0", 22));
    RDataContainer container;
    container.AddChild("old");
    EXPECT_FALSE(container.LoadFromFile(dir.File("x.dat")));
    EXPECT_EQ(container.ChildCount(), 0);
}

TEST(DataContainerFile, EveryTruncationRaisesTheReadErrorAndLeavesNothing)
{
    TempDir dir;
    for (const int level : {0, 1}) {
        const std::string whole = ReadWholeFile(SampleFile(dir, level));
        for (std::size_t length = 18; length < whole.size(); ++length) {
            SCOPED_TRACE(testing::Message() << "level " << level << " length " << length);
            WriteWholeFile(dir.File("cut.dat"), whole.substr(0, length));
            RDataContainer container;
            container.AddChild("old");
            try {
                container.LoadFromFile(dir.File("cut.dat"));
                ADD_FAILURE() << "a truncated file loaded";
            } catch (const RError& error) {
                const std::string message = error.what();
                EXPECT_TRUE(message.rfind("Ошибка чтения из файла: ", 0) == 0
                            || message == "Ошибка разархивации данных")
                    << message;
            }
            EXPECT_EQ(container.ChildCount(), 0);
        }
    }
}

TEST(DataContainerFile, FlippedBytesNeverCrashAndNeverLeaveHalfATree)
{
    TempDir dir;
    for (const int level : {0, 1}) {
        const std::string whole = ReadWholeFile(SampleFile(dir, level));
        for (std::size_t at = 18; at < whole.size(); ++at) {
            for (const unsigned char flip : {0x01, 0x80, 0xFF}) {
                std::string bytes = whole;
                bytes[at] = static_cast<char>(bytes[at] ^ flip);
                WriteWholeFile(dir.File("flip.dat"), bytes);
                RDataContainer container;
                try {
                    EXPECT_TRUE(container.LoadFromFile(dir.File("flip.dat")));
                } catch (const RError&) {
                    EXPECT_EQ(container.ChildCount(), 0) << "byte " << at;
                }
            }
        }
    }
}

TEST(DataContainerFile, HugeCountsAndDeepNestingAreRejectedBeforeAllocating)
{
    TempDir dir;
    RDataContainer container;
    WriteWholeFile(dir.File("count.dat"), std::string("RDCNoncompressFile\xff\xff\xff\x7f", 22));
    EXPECT_THROW(container.LoadFromFile(dir.File("count.dat")), RError);

    std::string deep = "RDCNoncompressFile";
    for (int level = 0; level < 1000; ++level)
        deep += std::string("\1\0\0\0" "\1\0\0\0" "a" "\0\0\0\0", 13);
    deep += std::string(4 * 1001, '\0');
    WriteWholeFile(dir.File("deep.dat"), deep);
    EXPECT_THROW(container.LoadFromFile(dir.File("deep.dat")), RError);
    EXPECT_EQ(container.ChildCount(), 0);
}

TEST(DataContainerFile, FailedSaveKeepsTheOldFileAndLeavesNoTemporary)
{
    TempDir dir;
    EXPECT_THROW(RDataContainer().SaveToFile(dir.File("no/such/dir/x.dat")), RError);

    // A directory at the target path cannot be replaced by the rename.
    const std::filesystem::path target = dir.Path() / "busy";
    std::filesystem::create_directory(target);
    WriteWholeFile((target / "inside").string(), "old");
    RDataContainer container;
    FillSample(container);
    EXPECT_THROW(container.SaveToFile(target.string()), RError);
    EXPECT_EQ(ReadWholeFile((target / "inside").string()), "old");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++entries;
    EXPECT_EQ(entries, 1);  // only the directory itself
}

TEST(DataContainerFile, SaveFailingMidwayOrInAReadOnlyFolderKeepsTheOldFileByteForByte)
{
    TempDir dir;
    const std::string folder = dir.File("settings");
    std::filesystem::create_directory(folder);
    const std::string path = folder + "/settings.dat";
    const std::string old = ReadWholeFile(SampleFile(dir, 0));
    WriteWholeFile(path, old);

    for (const int level : {0, 6}) {
        SCOPED_TRACE(level);
        // A file-size limit stands in for a full disk: the write fails with
        // EFBIG where a full disk gives ENOSPC.
        const ChildResult full = RunInChild(
            [&] {
                RDataContainer container;
                FillLarge(container);
                container.SaveToFile(path, level);
            },
            {.fileSizeLimit = 64 * 1024});
        EXPECT_EQ(full.exitCode, 1);
        EXPECT_EQ(full.message, "Ошибка записи в файл: " + std::string(std::strerror(EFBIG)) + " (" + path + ")");
        EXPECT_EQ(ReadWholeFile(path), old);
        EXPECT_EQ(FileNames(folder), std::vector<std::string>{"settings.dat"});
    }

    ::chmod(dir.Path().c_str(), 0755);  // so that nobody can reach the folder
    ::chmod(folder.c_str(), 0555);
    const ChildResult readOnly = RunInChild(
        [&] {
            RDataContainer container;
            FillLarge(container);
            container.SaveToFile(path);
        },
        {.dropRoot = true});
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(readOnly.exitCode, 1);
    EXPECT_EQ(readOnly.message, "Ошибка открытия файла " + path + ": " + std::strerror(EACCES));
    EXPECT_EQ(ReadWholeFile(path), old);
    EXPECT_EQ(FileNames(folder), std::vector<std::string>{"settings.dat"});
}

TEST(DataContainerFile, NewFileModeFollowsTheUmaskAndAnOldFileKeepsItsMode)
{
    TempDir dir;
    const mode_t oldMask = ::umask(002);
    RDataContainer().SaveToFile(dir.File("new.dat"));
    ::umask(oldMask);
    struct stat info {};
    ::stat(dir.File("new.dat").c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0664u);

    ::chmod(dir.File("new.dat").c_str(), 0600);
    RDataContainer().SaveToFile(dir.File("new.dat"));
    ::stat(dir.File("new.dat").c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
}

TEST(DataContainerFile, EveryNonZeroLevelWritesALoadableCompressedFile)
{
    TempDir dir;
    for (const int level : {-1, -7, 1, 9, 10, INT_MAX, INT_MIN}) {
        SCOPED_TRACE(level);
        const std::string path = SampleFile(dir, level);
        EXPECT_EQ(ReadWholeFile(path).substr(0, 18), "RDataContainerFile");
        RDataContainer original;
        FillSample(original);
        RDataContainer loaded;
        ASSERT_TRUE(loaded.LoadFromFile(path));
        ExpectSameTree(original, loaded);
    }
}

// The reader takes 256 nested nodes and refuses 257; so does the writer,
// before it touches the old file.
TEST(DataContainerFile, TreeTooDeepToLoadIsRefusedBeforeTheOldFileIsTouched)
{
    TempDir dir;
    const std::string path = dir.File("deep.dat");
    RDataContainer container;
    RDCNodeList* list = &container;
    for (int depth = 0; depth < RDataContainer::kMaxFileDepth; ++depth)
        list = list->AddChild("n");
    container.SaveToFile(path);
    RDataContainer loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path));

    const std::string old = ReadWholeFile(path);
    list->AddChild("one too many");
    try {
        container.SaveToFile(path);
        FAIL() << "no error";
    } catch (const RError& error) {
        EXPECT_STREQ(error.what(), ("Ошибка записи в файл: слишком глубокая вложенность узлов (" + path + ")").c_str());
    }
    EXPECT_EQ(ReadWholeFile(path), old);
    EXPECT_EQ(FileNames(dir.Path().string()), std::vector<std::string>{"deep.dat"});
}

TEST(DataContainerFile, SaveReplacesAnExistingFile)
{
    TempDir dir;
    const std::string path = dir.File("settings.dat");
    WriteWholeFile(path, "something older and longer than an empty container");
    RDataContainer().SaveToFile(path);
    EXPECT_EQ(ReadWholeFile(path).size(), 22u);
}
