// A data section scanned in pieces by several threads gives exactly what
// one scan from its start gives: every sample in its place, the same flags
// and ranges, the same messages in the same order. Each case is loaded with
// one thread and with 2 to 8 pieces, so that piece bounds fall on blank
// lines, inside wrapped samples, before and after bad lines.

#include "las/las_data.h"
#include "las/logging.h"

#include "support/files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Outcome {
    bool result = false;
    std::vector<std::string> messages;
    int sampleCount = 0;
    std::vector<std::string> curves;  // mnemonic, range and sample bytes
    std::vector<std::string> columns;  // value bytes
    std::string depths;                // the index's depths, as bytes
};

template <typename Values>
std::string Bytes(const Values& values, std::size_t count)
{
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) {
        const double value = values[i];
        bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    return bytes;
}

Outcome Load(const std::string& path, unsigned threads)
{
    Outcome outcome;
    RLasData data;
    {
        RLogCollector log;
        outcome.result = data.LoadFromLas(path, RLasLoadOptions{.Threads = threads, .ParallelFrom = 0});
        outcome.messages = log.Messages;
    }
    EXPECT_EQ(data.CheckInvariant(), "");
    outcome.sampleCount = data.Header.SampleCount;
    for (std::size_t row = 0; row < data.Index.Count; ++row)
        outcome.depths += Bytes(std::vector<double>{data.Index.Depth(row)}, 1);
    for (const auto& curve : data.Curves()) {
        std::string text = curve->Mnemonic + Bytes(std::vector<double>{curve->MinValue, curve->MaxValue}, 2);
        for (const RLasSample sample : curve->Data.Samples) {
            text += Bytes(std::vector<double>{sample.Value}, 1);
            text += static_cast<char>(sample.Flags);
        }
        outcome.curves.push_back(std::move(text));
    }
    for (const RLasColumn& column : data.Columns())
        outcome.columns.push_back(Bytes(column, column.size()));
    return outcome;
}

void ExpectSameInPieces(const std::string& name, const std::string& text)
{
    SCOPED_TRACE(name);
    TempDir dir;
    WriteWholeFile(dir.File("in.las"), text);
    const Outcome once = Load(dir.File("in.las"), 1);
    for (unsigned threads = 2; threads <= 8; ++threads) {
        SCOPED_TRACE(threads);
        const Outcome pieces = Load(dir.File("in.las"), threads);
        EXPECT_EQ(pieces.result, once.result);
        EXPECT_EQ(pieces.messages, once.messages);
        EXPECT_EQ(pieces.sampleCount, once.sampleCount);
        EXPECT_TRUE(pieces.curves == once.curves);
        EXPECT_TRUE(pieces.columns == once.columns);
        EXPECT_TRUE(pieces.depths == once.depths);
    }
}

// `curves` curves named C0.. after DEPT; STOP makes `samples` steps of 1.
std::string Header(int curves, int samples, bool wrap, const std::string& extraLines = "")
{
    std::string text = std::string("~Version\r\n VERS. 2.0 : X\r\n WRAP. ") + (wrap ? "YES" : "NO")
                       + " : Y\r\n~Well\r\n STRT.M 1 : A\r\n STOP.M " + std::to_string(samples)
                       + " : B\r\n STEP.M 1 : C\r\n NULL. -999.25 : N\r\n~Curve\r\n DEPT.M : D\r\n";
    for (int c = 0; c < curves; ++c)
        text += " C" + std::to_string(c) + ".U : V\r\n";
    return text + extraLines + "~A\r\n";
}

// A value that varies by row and curve, a null now and then, a few forms.
std::string Value(int row, int curve)
{
    if ((row * 7 + curve) % 23 == 0)
        return "-999.25";
    const int n = row * 31 + curve * 17;
    switch (n % 4) {
    case 0: return std::to_string(n % 1000) + "." + std::to_string(n % 97);
    case 1: return "-" + std::to_string(n % 500);
    case 2: return std::to_string(n % 300) + ",5";
    default: return "." + std::to_string(n % 9000 + 1);
    }
}

const char* LineEnd(int row)
{
    static const char* const ends[] = {"\r\n", "\n", "\r", "\r\n", "\n\n", "\r\n \t \r\n"};
    return ends[row % 6];
}

// Unwrapped rows [0, rows) of `curves` values after the depth.
std::string Rows(int rows, int curves, int firstRow = 0)
{
    std::string text;
    for (int row = firstRow; row < firstRow + rows; ++row) {
        text += std::to_string(row + 1);
        for (int c = 0; c < curves; ++c)
            text += (c % 2 ? "\t" : " ") + Value(row, c);
        text += LineEnd(row);
    }
    return text;
}

// Wrapped samples: the depth (with `onDepthLine` values), then `perLine`
// values a line. Line ends vary unless `end` is given.
std::string WrappedRows(int rows, int curves, int perLine, int onDepthLine = 0, int firstRow = 0,
                        const char* end = nullptr)
{
    std::string text;
    for (int row = firstRow; row < firstRow + rows; ++row) {
        text += std::to_string(row + 1) + ".0";
        int c = 0;
        for (; c < onDepthLine && c < curves; ++c)
            text += " " + Value(row, c);
        for (int inLine = 0; c < curves; ++c, ++inLine) {
            text += inLine % perLine == 0 ? (end ? end : LineEnd(row + c)) : " ";
            text += Value(row, c);
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace

TEST(LoadInPieces, UnwrappedSamplesLandWhereOneScanPutsThem)
{
    ExpectSameInPieces("all rows", Header(5, 120, false) + Rows(120, 5));
    ExpectSameInPieces("rows missing at the end", Header(5, 200, false) + Rows(120, 5));
    ExpectSameInPieces("no curves", Header(0, 60, false) + Rows(60, 0));
    ExpectSameInPieces("depth second, depth-named entry",
                       "~Version\r\n VERS. 2.0 : X\r\n WRAP. NO : Y\r\n~Well\r\n STRT.M 1 : A\r\n STOP.M 80 : B\r\n"
                       " STEP.M 1 : C\r\n NULL. -999.25 : N\r\n~Curve\r\n GR.U : G\r\n DEPT.M : D\r\n DEPTH.M : D2\r\n"
                       " RHOB.U : R\r\n~A\r\n"
                           + Rows(80, 3));
}

TEST(LoadInPieces, UnwrappedProblemsAreCountedAsInOneScan)
{
    ExpectSameInPieces("rows whose depth is no number, here and there",
                       Header(4, 150, false) + Rows(30, 4) + "x 1 2 3 4\r\n" + Rows(50, 4, 31) + "- 1 2 3 4\r\n"
                           + Rows(60, 4, 82));
    ExpectSameInPieces("text values and comments",
                       Header(4, 150, false) + Rows(40, 4) + "41 ERR 2 *** 4\r\n# note\r\n" + Rows(40, 4, 41)
                           + "82 1.#INF\r\n" + Rows(40, 4, 82));
    ExpectSameInPieces("a section after the data",
                       Header(4, 100, false) + Rows(100, 4) + "~Core_Data | Core_Definition\r\n1,2\r\n3 4 5 6 7\r\n");
    ExpectSameInPieces("excess, then a bad line nobody reads", Header(4, 90, false) + Rows(100, 4) + "1 2\r\n");
    ExpectSameInPieces("too few values at row 70, more bad lines after",
                       Header(4, 150, false) + Rows(70, 4) + "71 1 2\r\n" + Rows(20, 4, 71) + "1 2 3 4 5 6 7\r\n");
    ExpectSameInPieces("too many values late", Header(4, 150, false) + Rows(130, 4) + "1 2 3 4 5 6\r\n");
    ExpectSameInPieces("junk line", Header(4, 150, false) + Rows(40, 4) + "#comment\r\n" + Rows(40, 4, 40));
}

TEST(LoadInPieces, WrappedSamplesSplitAcrossPiecesLandWhereOneScanPutsThem)
{
    ExpectSameInPieces("depth alone, 3 a line", Header(7, 100, true) + WrappedRows(100, 7, 3));
    ExpectSameInPieces("values on the depth line", Header(9, 100, true) + WrappedRows(100, 9, 4, 2));
    ExpectSameInPieces("one value a line", Header(5, 80, true) + WrappedRows(80, 5, 1));
    ExpectSameInPieces("file ends inside a sample",
                       Header(7, 100, true) + WrappedRows(60, 7, 3) + "61.0\r\n1 2 3\r\n4\r\n");
    ExpectSameInPieces("samples missing at the end", Header(6, 300, true) + WrappedRows(90, 6, 6));
}

// Big wrapped sections are lined up on the guess that every sample takes as
// many lines as the first; wherever the guess fails the result must not show.
TEST(LoadInPieces, WrappedPiecesLinedUpByLineCountsLandWhereOneScanPutsThem)
{
    const auto rows = [](int count, int perLine, int firstRow = 0, const char* end = "\r\n") {
        return WrappedRows(count, 7, perLine, 0, firstRow, end);
    };
    ExpectSameInPieces("every sample alike", Header(7, 100, true) + rows(100, 3));
    ExpectSameInPieces("blank lines before the first sample", Header(7, 100, true) + "\r\n \r\n" + rows(100, 3));
    ExpectSameInPieces("line feeds only", Header(7, 100, true) + rows(100, 3, 0, "\n"));
    ExpectSameInPieces("lone carriage returns", Header(7, 100, true) + rows(100, 3, 0, "\r"));
    ExpectSameInPieces("one sample a line longer", Header(7, 100, true) + rows(30, 3) + rows(1, 2, 30) + rows(69, 3, 31));
    ExpectSameInPieces("one sample a line shorter", Header(7, 100, true) + rows(30, 3) + rows(1, 7, 30) + rows(69, 3, 31));
    ExpectSameInPieces("a blank line among the samples", Header(7, 100, true) + rows(45, 3) + "\r\n" + rows(55, 3, 45));
    ExpectSameInPieces("excess", Header(7, 50, true) + rows(90, 3));
    ExpectSameInPieces("samples missing at the end", Header(7, 200, true) + rows(90, 3));
    ExpectSameInPieces("file ends inside a sample", Header(7, 100, true) + rows(80, 3) + "81.0\r\n1 2 3\r\n");
    ExpectSameInPieces("bad line late", Header(7, 100, true) + rows(85, 3) + "86.0\r\n1 x 2\r\n" + rows(14, 3, 86));
    ExpectSameInPieces("first sample never ends", Header(7, 100, true) + "1.0\r\n" + std::string(5000, '\n'));
}

TEST(LoadInPieces, WrappedFirstProblemDecidesAsInOneScan)
{
    ExpectSameInPieces("excess", Header(6, 50, true) + WrappedRows(70, 6, 4) + "bad 1 2 3 4 5 6 7 8 9\r\n");
    ExpectSameInPieces("line across two samples", Header(6, 100, true) + WrappedRows(40, 6, 4) + "41.0\r\n1 2 3 4\r\n"
                                                       "5 6 42.0\r\n" + WrappedRows(40, 6, 4, 0, 42));
    // A line without a number is a depth line that takes no number: the
    // samples after it no longer follow from counting numbers.
    ExpectSameInPieces("line without numbers", Header(6, 100, true) + WrappedRows(30, 6, 4) + "----\r\n"
                                                   + WrappedRows(50, 6, 3, 0, 30));
}

TEST(LoadInPieces, EveryCorpusFileAndFixtureLoadsAsInOneScan)
{
    std::vector<std::filesystem::path> paths;
    for (const std::string& root : {std::string(LOGGARD_CORPUS_DIR), std::string(LOGGARD_TEST_DATA_DIR) + "/las"})
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
            if (entry.is_regular_file())
                paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    ASSERT_GE(paths.size(), 100u);
    for (const auto& path : paths) {
        SCOPED_TRACE(path.string());
        const Outcome once = Load(path.string(), 1);
        for (const unsigned threads : {2u, 5u}) {
            const Outcome pieces = Load(path.string(), threads);
            EXPECT_EQ(pieces.result, once.result);
            EXPECT_EQ(pieces.messages, once.messages);
            EXPECT_TRUE(pieces.curves == once.curves);
            EXPECT_TRUE(pieces.columns == once.columns);
            EXPECT_TRUE(pieces.depths == once.depths);
        }
    }
}

TEST(LoadProgress, CountsEveryByteOnceWhateverThePieces)
{
    TempDir dir;
    const std::vector<std::pair<std::string, std::string>> files = {
        {"plain", Header(5, 3000, false) + Rows(3000, 5)},
        {"wrapped", Header(7, 3000, true) + WrappedRows(3000, 7, 3, 0, 0, "\r\n")},
        // Pieces that do not line up are scanned again: no byte twice.
        {"wrapped, a sample a line longer", Header(7, 3000, true) + WrappedRows(1000, 7, 3, 0, 0, "\r\n")
                                                + WrappedRows(1, 7, 2, 0, 1000, "\r\n")
                                                + WrappedRows(1999, 7, 3, 0, 1001, "\r\n")},
    };
    for (const auto& [name, text] : files) {
        WriteWholeFile(dir.File("in.las"), text);
        for (const unsigned threads : {1u, 2u, 5u}) {
            SCOPED_TRACE(name + ", " + std::to_string(threads) + " threads");
            RLasLoadProgress progress;
            RLasData data;
            RLogCollector log;
            EXPECT_TRUE(data.LoadFromLas(dir.File("in.las"), RLasLoadOptions{.Threads = threads, .ParallelFrom = 0, .Progress = &progress}));
            EXPECT_EQ(progress.FileSize, text.size());
            EXPECT_EQ(progress.BytesRead, text.size());
            EXPECT_FALSE(progress.Cancel);
        }
    }
}

TEST(LoadProgress, ACancelledLoadKeepsNothing)
{
    TempDir dir;
    const std::string text = Header(5, 300, false) + Rows(300, 5);
    WriteWholeFile(dir.File("in.las"), text);
    for (const unsigned threads : {1u, 4u}) {
        RLasLoadProgress progress;
        progress.Cancel = true;
        RLasData data;
        RLogCollector log;
        EXPECT_FALSE(data.LoadFromLas(dir.File("in.las"), RLasLoadOptions{.Threads = threads, .ParallelFrom = 0, .Progress = &progress}));
        EXPECT_EQ(log.Messages, std::vector<std::string>{"Чтение файла " + dir.File("in.las") + " прервано"});
        EXPECT_TRUE(data.Curves().empty());
        EXPECT_TRUE(data.Columns().empty());
        EXPECT_LT(progress.BytesRead, text.size());
        EXPECT_EQ(data.CheckInvariant(), "");
    }
}
