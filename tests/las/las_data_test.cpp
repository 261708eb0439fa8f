#include "las/las_data.h"
#include "las/las_line_reader.h"
#include "las/las_problem.h"
#include "las/logging.h"

#include "container/data_container.h"
#include "container/error.h"
#include "support/child_process.h"
#include "support/fifo_guard.h"
#include "support/file_curves.h"
#include "support/files.h"
#include "support/irregular_curves.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <utility>
#include <stdexcept>
#include <sys/stat.h>

namespace {

const std::string kFixtures = std::string(LOGGARD_TEST_DATA_DIR) + "/las/";

// A LAS 2.0 file with the given well range, curve lines and data lines.
std::string MakeLas(const std::string& range, const std::string& curves, const std::string& data,
                    bool wrap = false, const std::string& version = "2.0")
{
    return "~Version\r\n VERS. " + version + " : X\r\n WRAP. " + (wrap ? "YES" : "NO") + " : Y\r\n"
           "~Well\r\n" + range + " NULL. -999.25 : NULL\r\n WELL. W-1 : WELL\r\n"
           "~Curve\r\n" + curves + "~A\r\n" + data;
}

const std::string kRange = " STRT.M 1000 : A\r\n STOP.M 1001 : B\r\n STEP.M 0.25 : C\r\n";
const std::string kCurves = " DEPT.M : D\r\n GR.GAPI : G\r\n RHOB.G/C3 : R\r\n";

struct Loaded {
    RLasData data;
    std::vector<std::string> messages;
    bool result = false;
};

std::unique_ptr<Loaded> LoadText(const std::string& text, const TempDir& dir)
{
    const std::string path = dir.File("in.las");
    WriteWholeFile(path, text);
    auto loaded = std::make_unique<Loaded>();
    RLogCollector log;
    loaded->result = loaded->data.LoadFromLas(path);
    loaded->messages = log.Messages;
    EXPECT_EQ(loaded->data.CheckInvariant(), "");
    return loaded;
}

std::vector<double> CurveValues(const RLasData& data, std::size_t index) { return data.Curves().at(index)->Values(); }

}  // namespace

TEST(SampleCount, RoundedHalvesToEvenInBothDirections)
{
    EXPECT_EQ(RLasData::SampleCountFor(1000, 1001, 0.25), 5);
    EXPECT_EQ(RLasData::SampleCountFor(1001, 1000, -0.25), 5);
    EXPECT_EQ(RLasData::SampleCountFor(1000, 1001, -0.25), 5);
    EXPECT_EQ(RLasData::SampleCountFor(0, 2.5, 1), 3);
    EXPECT_EQ(RLasData::SampleCountFor(0, 3.5, 1), 5);
    EXPECT_EQ(RLasData::SampleCountFor(0, 1, 0), -1);
    EXPECT_EQ(RLasData::SampleCountFor(0, 1e300, 1e-300), -1);
}

TEST(LoadFromLas, UnwrappedCurvesNullsAndHeaderRecord)
{
    TempDir dir;
    auto loaded = LoadText(MakeLas(kRange, kCurves,
                                   "1000.00 10 2.1\r\n1000.25 -999.25 2.2\r\n1000.5 30 2.3\r\n"
                                   "1000.75 40 -999.250\r\n1001.0 50 2.5\r\n"),
                           dir);
    ASSERT_TRUE(loaded->result);
    EXPECT_TRUE(loaded->messages.empty());
    const RLasData& data = loaded->data;
    ASSERT_EQ(data.Curves().size(), 2u);
    const RLasCurve& gr = *data.Curves()[0];
    EXPECT_EQ(gr.Mnemonic, "GR");
    EXPECT_EQ(gr.Unit, "GAPI");
    EXPECT_EQ(gr.FirstDepth, 1000.0);
    EXPECT_EQ(gr.LastDepth, 1001.0);
    EXPECT_EQ(gr.Data.Step, 0.25);
    EXPECT_TRUE(gr.FromFile);
    EXPECT_EQ(CurveValues(data, 0), (std::vector<double>{10, -999.25, 30, 40, 50}));
    EXPECT_TRUE(RLasCurveDataWrapper::IsNull(gr.Data, 1));
    EXPECT_EQ(gr.MinValue, 10.0);
    EXPECT_EQ(gr.MaxValue, 50.0);
    EXPECT_TRUE(RLasCurveDataWrapper::IsNull(data.Curves()[1]->Data, 3));

    EXPECT_EQ(data.Header.WellName, "W-1");
    EXPECT_EQ(data.Header.SampleCount, 5);
    EXPECT_EQ(data.Header.CurveCount, 2);
    EXPECT_EQ(data.Header.StrtUnit, "M");
    EXPECT_EQ(data.Columns().size(), 2u);
    EXPECT_EQ(data.CacheText, data.Header.FullText);
    EXPECT_EQ(data.Header.FullText.substr(0, 30), "~Version\r\nVERS. 2.0 : X\r\nWRAP.");
}

TEST(LoadFromLas, ASecondDepthNamedEntryIsACurveWithItsData)
{
    TempDir dir;
    auto loaded = LoadText(MakeLas(" STRT.M 1 : A\r\n STOP.M 1 : B\r\n STEP.M 1 : C\r\n",
                                   " DEPT.M : D\r\n GR.GAPI : G\r\n DEPTH.M : D2\r\n RHOB.G : R\r\n", "1 10 1.5 2.5\r\n"),
                           dir);
    ASSERT_TRUE(loaded->result);
    EXPECT_TRUE(loaded->messages.empty());
    ASSERT_EQ(loaded->data.Curves().size(), 3u);
    EXPECT_EQ(loaded->data.Curves()[1]->Mnemonic, "DEPTH");
    EXPECT_EQ(CurveValues(loaded->data, 1), (std::vector<double>{1.5}));
    EXPECT_EQ(CurveValues(loaded->data, 2), (std::vector<double>{2.5}));
    EXPECT_EQ(loaded->data.ColumnOfCurve(2), 2);
}

TEST(LoadFromLas, TheFirstColumnIsTheIndexWhateverItsName)
{
    TempDir dir;
    auto loaded = LoadText(MakeLas(" STRT.M 50 : A\r\n STOP.M 60 : B\r\n STEP.M 10 : C\r\n",
                                   " GR.GAPI : G\r\n DEPT.M : D\r\n RHOB.G : R\r\n", "50 1 2.5\r\n60 2 2.6\r\n"),
                           dir);
    ASSERT_TRUE(loaded->result);
    EXPECT_EQ(loaded->messages, std::vector<std::string>{"Не найдено поле глубины в секции Curve (DEPT, DEPTH, "
                                                         "BOREHOLE-DEPTH или TIME). Выбрано первое поле"});
    ASSERT_EQ(loaded->data.Curves().size(), 2u);
    EXPECT_EQ(loaded->data.Curves()[0]->Mnemonic, "DEPT");
    EXPECT_EQ(CurveValues(loaded->data, 0), (std::vector<double>{1, 2}));
    EXPECT_EQ(CurveValues(loaded->data, 1), (std::vector<double>{2.5, 2.6}));
    EXPECT_EQ(loaded->data.Curves()[1]->Depth(1), 60.0);
}

TEST(LoadFromLas, RowsAreTheDataRowsNothingPaddedWhateverTheHeaderSays)
{
    TempDir dir;
    auto loaded = LoadText(MakeLas(kRange, kCurves, "1000 1 2\r\n1000.25 3 4\r\n"), dir);
    ASSERT_TRUE(loaded->result);
    EXPECT_EQ(CurveValues(loaded->data, 1), (std::vector<double>{2, 4}));
    EXPECT_EQ(loaded->data.Header.SampleCount, 2);
    EXPECT_EQ(loaded->messages,
              (std::vector<std::string>{"STOP 1001 не совпадает с последней глубиной в данных 1000.25; используются "
                                        "глубины из данных",
                                        "По STRT, STOP и STEP в секции Data должно быть 5 строк, а в данных 2; "
                                        "прочитаны все строки"}));
}

TEST(LoadFromLas, BlankDataLinesAreSkippedAndRowsBeyondTheHeaderAreKept)
{
    TempDir dir;
    // A blank line inside the data does not repeat the previous sample.
    auto loaded = LoadText(MakeLas(" STRT.M 1 : A\r\n STOP.M 2 : B\r\n STEP.M 1 : C\r\n", kCurves,
                                   "1 10 20\r\n   \r\n2 11 21\r\n\r\n \t\r\n"),
                           dir);
    EXPECT_TRUE(loaded->messages.empty());
    EXPECT_EQ(CurveValues(loaded->data, 0), (std::vector<double>{10, 11}));

    auto excess = LoadText(MakeLas(" STRT.M 1 : A\r\n STOP.M 2 : B\r\n STEP.M 1 : C\r\n", kCurves,
                                   "1 10 20\r\n2 11 21\r\n\r\n3 12 22\r\n"),
                           dir);
    ASSERT_TRUE(excess->result);
    EXPECT_EQ(CurveValues(excess->data, 0), (std::vector<double>{10, 11, 12}));
    EXPECT_EQ(excess->messages.size(), 2u);  // STOP and the row count
}

TEST(LoadFromLas, StepZeroReadsEveryRowAndSavesTheStepTheDataHave)
{
    TempDir dir;
    auto loaded = LoadText(MakeLas(" STRT.M 1 : A\r\n STOP.M 2 : B\r\n STEP.M 0 : C\r\n", kCurves, "1 10 20\r\n2 11 21\r\n"),
                           dir);
    EXPECT_EQ(loaded->messages, std::vector<std::string>{"STEP 0 не совпадает с шагом глубин в данных 1; используются "
                                                         "глубины из данных"});
    ASSERT_EQ(loaded->data.Curves().size(), 2u);
    EXPECT_EQ(loaded->data.Curves()[0]->SampleCount(), 2u);
    EXPECT_TRUE(loaded->data.Index.Regular());
    EXPECT_EQ(loaded->data.Index.Step, 1.0);

    const std::string out = dir.File("out.las");
    ASSERT_TRUE(loaded->data.SaveToLas(out));
    RLogCollector log;
    RLasData again;
    ASSERT_TRUE(again.LoadFromLas(out));
    EXPECT_TRUE(log.Messages.empty());
    EXPECT_EQ(again.LasHeader()->Well().Step, 1.0);
}

TEST(LoadFromLas, WrappedSamplesSkipBlankLinesAndDropAnUnfinishedOne)
{
    RLasData data;
    RLogCollector log;
    ASSERT_TRUE(data.LoadFromLas(kFixtures + "wrapped_blank_lines_inside_sample.las"));
    ASSERT_EQ(data.Curves().size(), 7u);
    EXPECT_TRUE(data.LasHeader()->Version().Wrap);
    EXPECT_EQ(data.Header.SampleCount, 2);
    EXPECT_EQ(CurveValues(data, 1), (std::vector<double>{2692.7075, 2712.6460}));
    EXPECT_EQ(CurveValues(data, 6), (std::vector<double>{12.2817, 12.4563}));
    EXPECT_EQ(data.Curves()[0]->NullValue, -999.25);
    EXPECT_EQ(log.Messages.size(), 2u);  // STOP and the row count: the third sample is unfinished
}

TEST(LoadFromLas, WrappedValuesOnTheDepthLineStayInTheirCurves)
{
    TempDir dir;
    auto loaded = LoadText(MakeLas(" STRT.M 1 : A\r\n STOP.M 2 : B\r\n STEP.M 1 : C\r\n", kCurves,
                                   "1 10\r\n20\r\n2\r\n11 21\r\n", true),
                           dir);
    ASSERT_TRUE(loaded->result);
    EXPECT_EQ(CurveValues(loaded->data, 0), (std::vector<double>{10, 11}));
    EXPECT_EQ(CurveValues(loaded->data, 1), (std::vector<double>{20, 21}));
}

TEST(LoadFromLas, BadRowsAreKeptAsFarAsTheyGoAndReportedOnce)
{
    TempDir dir;
    // Wrapped: a value too many on a sample's last line is left out.
    auto wrapped = LoadText(MakeLas(" STRT.M 1 : A\r\n STOP.M 2 : B\r\n STEP.M 1 : C\r\n", kCurves,
                                    "1\r\n10 20 30\r\n2\r\n11 21\r\n", true),
                            dir);
    ASSERT_TRUE(wrapped->result);
    EXPECT_EQ(CurveValues(wrapped->data, 1), (std::vector<double>{20, 21}));
    EXPECT_EQ(wrapped->messages, std::vector<std::string>{"Слишком много данных в строке 10 20 30 секции Data"});

    // Unwrapped: short rows keep their values, the rest is null; the
    // message names the first and counts them.
    auto rows = LoadText(MakeLas(kRange, kCurves, "1000 1 2\r\n1000.25 3\r\n1000.5 5 6\r\n1000.75\r\n1001 7 8\r\n"),
                         dir);
    ASSERT_TRUE(rows->result);
    EXPECT_EQ(CurveValues(rows->data, 0), (std::vector<double>{1, 3, 5, -999.25, 7}));
    EXPECT_EQ(CurveValues(rows->data, 1), (std::vector<double>{2, -999.25, 6, -999.25, 8}));
    EXPECT_TRUE(RLasCurveDataWrapper::IsNull(rows->data.Curves()[1]->Data, 1));
    EXPECT_EQ(rows->messages,
              std::vector<std::string>{"Недостаточно данных в строке 1000.25 3 в секции Data; таких строк: 2"});
}

TEST(LoadFromLas, BrokenFilesAreReportedByKind)
{
    TempDir dir;
    RLogCollector log;
    RLasData missing;
    EXPECT_FALSE(missing.LoadFromLas(dir.File("none.las")));
    EXPECT_EQ(log.Messages.back(), "Файл " + dir.File("none.las") + " не найден");

    const std::string path = dir.File("in.las");
    const std::pair<std::string, std::string> cases[] = {
        {"just text\r\n", "Файл " + path + " не содержит ни одной секции"},
        {"\r\n~A\r\n1 2\r\n", "Файл " + path + " не содержит заголовка"},
        {"~V\r\nVERS. 2.0 : X\r\n~W\r\nSTRT.M 1 : A\r\n", "Файл " + path + " не содержит секции данных"},
        {"~V\r\nVERS. 2.0 : X\r\n~A\r\n1\r\n", "Не удалось прочитать заголовок файла"},
    };
    for (const auto& [text, message] : cases) {
        WriteWholeFile(path, text);
        RLasData data;
        log.Messages.clear();
        EXPECT_FALSE(data.LoadFromLas(path));
        EXPECT_EQ(log.Messages.back(), message);
        EXPECT_TRUE(data.Curves().empty());
    }
}

namespace {

// Keeps the problems of a load and, on the first one of kind `trigger`,
// runs `onTrigger`: a problem raised while the header is parsed comes
// after the file's size is taken and before its data are read, the moment
// another program's change would hurt most.
class ProblemLog final : public RLogSink {
public:
    void Message(const std::string&) override {}
    void Problem(const RLasProblem& problem) override
    {
        Problems.push_back(problem);
        if (problem.Kind == trigger && onTrigger)
            std::exchange(onTrigger, nullptr)();
    }

    std::vector<RLasProblem> Problems;
    RLasProblemKind trigger = RLasProblemKind::NoDepthCurve;
    std::function<void()> onTrigger;

    std::vector<RLasProblemKind> Kinds() const
    {
        std::vector<RLasProblemKind> kinds;
        for (const RLasProblem& problem : Problems)
            kinds.push_back(problem.Kind);
        return kinds;
    }
};

// An index named X (so that NoDepthCurve is raised while the header is
// parsed) and one curve, `rows` rows of well over a reader's buffer.
// Wrapped, the section is read in one piece by the load's own reader.
std::string LongLasWithoutADepthName(int rows, bool wrap, const std::string& after = "")
{
    std::string data;
    for (int row = 0; row < rows; ++row)
        data += std::to_string(row) + "    " + std::to_string(row * 3) + ".125000000000000000000000000000\r\n";
    return MakeLas(" STRT.M 0 : A\r\n STOP.M " + std::to_string(rows - 1) + " : B\r\n STEP.M 1 : C\r\n",
                   " X.M : D\r\n GR.GAPI : G\r\n", data, wrap)
           + after;
}

}  // namespace

TEST(LoadFromLas, WhatIsNoRegularFileIsRefusedByWhatItIsWithoutWaiting)
{
    TempDir dir;
    MakeFifo(dir.File("pipe.las"));
    std::filesystem::create_directory(dir.File("folder.las"));
    const std::pair<std::string, std::string> cases[] = {
        {dir.File("pipe.las"), dir.File("pipe.las") + " не является обычным файлом (именованный канал (FIFO))"},
        {"/dev/null", "/dev/null не является обычным файлом (символьное устройство)"},
        {dir.File("folder.las"), dir.File("folder.las") + " является папкой, а не файлом"},
    };
    for (const auto& [path, message] : cases) {
        const FifoGuard guard(dir.File("pipe.las"));
        RLasData data;
        RLogCollector log;
        EXPECT_FALSE(data.LoadFromLas(path));
        EXPECT_FALSE(guard.Unblocked()) << path;
        EXPECT_EQ(log.Messages, std::vector<std::string>{message});
        EXPECT_EQ(data.LasHeader(), nullptr);
    }
    ProblemLog problems;
    RLasData data;
    EXPECT_FALSE(data.LoadFromLas("/dev/null", {.Sink = &problems}));
    ASSERT_EQ(problems.Problems.size(), 1u);
    EXPECT_EQ(ProblemText(problems.Problems[0], RLasLanguage::English),
              "/dev/null is not a regular file (character device)");
}

TEST(LoadFromLas, AFileCutShortWhileReadFailsAsChangedAndKeepsNothing)
{
    // Cut in the data section, and in a section after it, read in one piece
    // and in several: never a shorter log passed off as the file.
    TempDir dir;
    const std::string path = dir.File("in.las");
    std::string other = "~Other\r\n";
    while (other.size() < RLasLineReader::kBufferSize * 3)
        other += "Remarks that run on for a while, line after line\r\n";
    const std::uint64_t cut = RLasLineReader::kBufferSize * 2;
    for (const std::string& text : {LongLasWithoutADepthName(20000, false), LongLasWithoutADepthName(20000, true),
                                    LongLasWithoutADepthName(10, false, other)}) {
        for (const unsigned threads : {1u, 4u}) {
            SCOPED_TRACE(threads);
            WriteWholeFile(path, text);
            ASSERT_GT(text.size(), cut + RLasLineReader::kBufferSize);
            ProblemLog problems;
            problems.onTrigger = [&] { std::filesystem::resize_file(path, cut); };
            RLasData data;
            EXPECT_FALSE(data.LoadFromLas(path, {.Threads = threads, .ParallelFrom = 0, .Sink = &problems}));
            EXPECT_EQ(problems.Kinds(),
                      (std::vector<RLasProblemKind>{RLasProblemKind::NoDepthCurve, RLasProblemKind::FileChanged}));
            EXPECT_EQ(ProblemText(problems.Problems.back(), RLasLanguage::Russian),
                      "Файл " + path + " изменился во время чтения");
            EXPECT_EQ(ProblemText(problems.Problems.back(), RLasLanguage::English),
                      "File " + path + " changed while it was being read");
            EXPECT_TRUE(data.Curves().empty());
            EXPECT_TRUE(data.Columns().empty());
            EXPECT_EQ(data.LasHeader(), nullptr);
            EXPECT_EQ(data.CheckInvariant(), "");
        }
    }
}

TEST(LoadFromLas, RowsAppendedWhileReadAreLeftForTheNextLoad)
{
    TempDir dir;
    const std::string path = dir.File("in.las");
    const int rows = 20000;
    for (const auto& [threads, wrap] : {std::pair{1u, false}, std::pair{4u, false}, std::pair{1u, true}}) {
        SCOPED_TRACE(threads + wrap * 100);
        WriteWholeFile(path, LongLasWithoutADepthName(rows, wrap));
        ProblemLog problems;
        problems.onTrigger = [&] {
            std::ofstream append(path, std::ios::binary | std::ios::app);
            for (int row = rows; row < rows + 5000; ++row)
                append << row << " 1\r\n";
        };
        RLasData data;
        ASSERT_TRUE(data.LoadFromLas(path, {.Threads = threads, .ParallelFrom = 0, .Sink = &problems}));
        EXPECT_EQ(problems.Kinds(), std::vector<RLasProblemKind>{RLasProblemKind::NoDepthCurve});
        EXPECT_EQ(data.Header.SampleCount, rows);
        EXPECT_EQ(data.Index.Last(), rows - 1);
    }
}

TEST(LoadFromLas, AFileOfOnlyTheDepthColumnSaysItHasNoCurves)
{
    TempDir dir;
    auto loaded = LoadText(MakeLas(" STRT.M 1 : A\r\n STOP.M 2 : B\r\n STEP.M 1 : C\r\n", " DEPT.M : D\r\n",
                                   "1\r\n2\r\n"),
                           dir);
    EXPECT_FALSE(loaded->result);
    EXPECT_EQ(loaded->messages,
              std::vector<std::string>{"В файле " + dir.File("in.las") + " нет кривых: в его данных только столбец глубины"});
    EXPECT_TRUE(loaded->data.Curves().empty());
    RLasProblem problem{.Kind = RLasProblemKind::OnlyIndexColumn, .Path = "/logs/a.las"};
    EXPECT_EQ(ProblemText(problem, RLasLanguage::English),
              "File /logs/a.las has no curves: its data hold only the depth column");
}

TEST(LoadFromLas, OverlongLineIsCutWithAMessageAndTheFileStillLoads)
{
    TempDir dir;
    std::string text = MakeLas(" STRT.M 1000 : A\r\n STOP.M 1000 : B\r\n STEP.M 0.25 : C\r\n", kCurves, "1000 1 2\r\n");
    text.insert(text.find("~A"), "~Other\r\n" + std::string(RLasLineReader::kMaxLineLength + 1, 'o') + "\r\n");
    auto loaded = LoadText(text, dir);
    EXPECT_TRUE(loaded->result);
    EXPECT_EQ(loaded->data.Header.OtherText.size(), std::string("~Other\r\n").size() + RLasLineReader::kMaxLineLength);
    EXPECT_EQ(CurveValues(loaded->data, 0).front(), 1.0);
    ASSERT_EQ(loaded->messages.size(), 1u);
    EXPECT_EQ(loaded->messages[0], "Слишком длинная строка в файле " + dir.File("in.las") + " обрезана");
}

TEST(LoadFromLas, AHeaderDeclaringBillionsOfRowsAllocatesOnlyTheRowsThere)
{
    TempDir dir;
    auto loaded = LoadText(MakeLas(" STRT.M 0 : A\r\n STOP.M 1E12 : B\r\n STEP.M 0.001 : C\r\n", kCurves, "0 1 2\r\n"),
                           dir);
    EXPECT_TRUE(loaded->result);
    EXPECT_EQ(loaded->data.Header.SampleCount, 1);
    EXPECT_EQ(loaded->data.Curves()[0]->Data.Samples.capacity(), 1u);
}

TEST(SaveToLas, UnwrappedDataLinesKeepEachColumnsDecimals)
{
    TempDir dir;
    auto loaded = LoadText(MakeLas(" STRT.M 1000 : A\r\n STOP.M 1000.2 : B\r\n STEP.M 0.1 : C\r\n", kCurves,
                                   "1000 -999.25 12345.67891\r\n1000.1 -0.00001 2\r\n1000.2 3 4\r\n"),
                           dir);
    ASSERT_TRUE(loaded->result);
    ASSERT_TRUE(loaded->data.SaveToLas(dir.File("out.las")));
    const std::string text = ReadWholeFile(dir.File("out.las"));
    const std::string data = text.substr(text.find("~A\r\n"));
    // Depths at least four decimals; each column as many as the file gave
    // it, so nothing is lost.
    EXPECT_EQ(data, "~A\r\n1000.0000\t-999.25000\t12345.67891\r\n1000.1000\t-0.00001\t2.00000\r\n"
                    "1000.2000\t3.00000\t4.00000\r\n");
}

TEST(SaveToLas, WrappedSixValuesPerLine)
{
    RLasData data;
    ASSERT_TRUE(data.LoadFromLas(kFixtures + "wrapped_blank_lines_inside_sample.las"));
    TempDir dir;
    ASSERT_TRUE(data.SaveToLas(dir.File("out.las")));
    const std::string text = ReadWholeFile(dir.File("out.las"));
    const std::string first = "~A\r\n     910.0000\r\n"
                              "    -999.2500    2692.7075       0.3140      19.4086      19.4086      13.1709\r\n"
                              "      12.2817\r\n     910.1250\r\n";
    EXPECT_EQ(text.substr(text.find("~A\r\n"), first.size()), first);
}

TEST(SaveToLas, WrappedFieldsNeverTouch)
{
    TempDir dir;
    auto loaded = LoadText(MakeLas(" STRT.M 1 : A\r\n STOP.M 1 : B\r\n STEP.M 1 : C\r\n", kCurves,
                                   "1\r\n-12345678.9 -1234567.8\r\n", true),
                           dir);
    ASSERT_TRUE(loaded->data.SaveToLas(dir.File("out.las")));
    const std::string text = ReadWholeFile(dir.File("out.las"));
    EXPECT_NE(text.find("\r\n -12345678.9000 -1234567.8000\r\n"), std::string::npos);
}

TEST(SaveToLas, FailedSavesLeaveTheOldFile)
{
    TempDir dir;
    RLogCollector log;
    RLasData empty;
    EXPECT_FALSE(empty.SaveToLas(dir.File("out.las")));
    EXPECT_EQ(log.Messages.back(), "Не удалось записать в файл: отсутствует заголовок");

    auto loaded = LoadText(MakeLas(kRange, kCurves, "1000 1 2\r\n"), dir);
    const std::string noDir = dir.File("no/such/dir/out.las");
    EXPECT_FALSE(loaded->data.SaveToLas(noDir));
    EXPECT_EQ(log.Messages.back(), "не удается открыть файл " + noDir + " для записи: " + std::strerror(ENOENT));
    const std::string underFile = dir.File("out.las/inner.las");
    WriteWholeFile(dir.File("out.las"), "old contents");
    EXPECT_FALSE(loaded->data.SaveToLas(underFile));
    EXPECT_EQ(log.Messages.back(), "не удается открыть файл " + underFile + " для записи: " + std::strerror(ENOTDIR));

    const std::string out = dir.File("out.las");
    WriteWholeFile(out, "old contents");
    // An index edited after the load no longer matches the columns read.
    loaded->data.Index.Count += 1;
    EXPECT_FALSE(loaded->data.SaveToLas(out));
    EXPECT_EQ(log.Messages.back(), "Размерность данных из секции Data не соответсвует заголовку");
    EXPECT_EQ(ReadWholeFile(out), "old contents");
}

TEST(SaveToLas, ALinkStaysALinkAndItsFileGetsTheLog)
{
    TempDir dir;
    auto loaded = LoadText(MakeLas(kRange, kCurves, "1000 1 2\r\n"), dir);
    std::filesystem::create_directory(dir.File("wells"));
    WriteWholeFile(dir.File("wells/a.las"), "old contents");
    std::filesystem::create_symlink("wells/a.las", dir.File("a.las"));
    std::filesystem::create_symlink("wells/new.las", dir.File("dangling.las"));
    ASSERT_TRUE(loaded->data.SaveToLas(dir.File("a.las")));
    ASSERT_TRUE(loaded->data.SaveToLas(dir.File("dangling.las")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("a.las")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("dangling.las")));
    EXPECT_EQ(ReadWholeFile(dir.File("wells/a.las")).rfind("~V", 0), 0u);
    EXPECT_EQ(ReadWholeFile(dir.File("wells/new.las")), ReadWholeFile(dir.File("wells/a.las")));
    EXPECT_EQ(FileNames(dir.File("wells")), (std::vector<std::string>{"a.las", "new.las"}));
}

TEST(SaveToLas, RoundTripKeepsVersionWrapCurvesAndValues)
{
    for (const bool wrap : {false, true}) {
        for (const std::string version : {"1.2", "2.0"}) {
            TempDir dir;
            auto first = LoadText(MakeLas(kRange, kCurves,
                                          "1000 1.23456 -999.25\r\n1000.25 2 3\r\n1000.5 4 5\r\n1000.75 6 7\r\n"
                                          "1001 8.00004 9.99996\r\n",
                                          false, version),
                                  dir);
            ASSERT_TRUE(first->result);
            first->data.EditHeader()->Version().Wrap = wrap;
            ASSERT_TRUE(first->data.SaveToLas(dir.File("out.las")));
            RLasData second;
            ASSERT_TRUE(second.LoadFromLas(dir.File("out.las")));
            EXPECT_EQ(second.LasHeader()->Version().Version, first->data.LasHeader()->Version().Version);
            EXPECT_EQ(second.LasHeader()->Version().Wrap, wrap);
            EXPECT_EQ(second.Header.WellName, first->data.Header.WellName);
            ASSERT_EQ(second.Curves().size(), 2u);
            EXPECT_EQ(CurveValues(second, 0), (std::vector<double>{1.23456, 2, 4, 6, 8.00004}));
            EXPECT_EQ(CurveValues(second, 1), (std::vector<double>{-999.25, 3, 5, 7, 9.99996}));
            EXPECT_TRUE(RLasCurveDataWrapper::IsNull(second.Curves()[1]->Data, 0));
        }
    }
}

TEST(SaveToLas, NullSamplesStayNullWhateverDigitsTheNullValueHas)
{
    // -999.123456 has more decimals than data lines carry (and more than
    // eight significant digits): its samples must still read back as nulls.
    for (const bool wrap : {false, true}) {
        TempDir dir;
        std::string text = MakeLas(" STRT.M 1 : A\r\n STOP.M 2 : B\r\n STEP.M 1 : C\r\n", kCurves,
                                   wrap ? "1\r\n-999.123456 7\r\n2\r\n3 -999.123456\r\n"
                                        : "1 -999.123456 7\r\n2 3 -999.123456\r\n",
                                   wrap);
        text.replace(text.find("NULL. -999.25"), 13, "NULL. -999.123456");
        auto first = LoadText(text, dir);
        ASSERT_TRUE(first->result);
        ASSERT_TRUE(first->data.SaveToLas(dir.File("out.las")));
        RLasData second;
        ASSERT_TRUE(second.LoadFromLas(dir.File("out.las")));
        ASSERT_EQ(second.Curves().size(), 2u);
        EXPECT_TRUE(RLasCurveDataWrapper::IsNull(second.Curves()[0]->Data, 0)) << wrap;
        EXPECT_TRUE(RLasCurveDataWrapper::IsNull(second.Curves()[1]->Data, 1)) << wrap;
        EXPECT_EQ(second.Curves()[0]->MinValue, 2.75);
        EXPECT_EQ(second.Curves()[1]->MaxValue, 7.25);
    }
}

TEST(SaveToLas, ValueBeyondTheNumberFormIsWrittenAsNullSoTheFileStaysReadable)
{
    // A token of 400 digits reads as infinity, which no data line can hold.
    for (const bool wrap : {false, true}) {
        TempDir dir;
        const std::string huge(400, '9');
        auto first = LoadText(MakeLas(" STRT.M 1 : A\r\n STOP.M 2 : B\r\n STEP.M 1 : C\r\n", kCurves,
                                      wrap ? "1\r\n" + huge + " 7\r\n2\r\n3 4\r\n" : "1 " + huge + " 7\r\n2 3 4\r\n",
                                      wrap),
                              dir);
        ASSERT_TRUE(first->result);
        ASSERT_TRUE(first->data.SaveToLas(dir.File("out.las")));
        RLogCollector log;
        RLasData second;
        ASSERT_TRUE(second.LoadFromLas(dir.File("out.las"))) << wrap;
        EXPECT_TRUE(log.Messages.empty());
        EXPECT_EQ(CurveValues(second, 0), (std::vector<double>{-999.25, 3})) << wrap;
        EXPECT_TRUE(RLasCurveDataWrapper::IsNull(second.Curves()[0]->Data, 0));
        EXPECT_EQ(CurveValues(second, 1), (std::vector<double>{7, 4}));
    }
}

TEST(SaveToLas, Windows1251TextKeepsItsBytes)
{
    RLasData data;
    ASSERT_TRUE(data.LoadFromLas(kFixtures + "windows1251_well_names.las"));
    EXPECT_EQ(data.Curves()[0]->Mnemonic, "\xC3\xCA");  // ГК
    TempDir dir;
    ASSERT_TRUE(data.SaveToLas(dir.File("out.las")));
    const std::string text = ReadWholeFile(dir.File("out.las"));
    for (const char* bytes : {
             "\xCE\xCE\xCE \xCD\xE5\xF4\xF2\xE5\xE3\xE0\xE7",                      // ООО Нефтегаз
             "\xD1\xEA\xE2\xE0\xE6\xE8\xED\xE0 17-\xE1\xE8\xF1",                    // Скважина 17-бис
             "\xCF\xCB\xC0\xD1\xD2.   \xDE" "1 : \xCF\xEB\xE0\xF1\xF2\r\n",        // ~P line, trimmed
             "~Other information\r\n\xCF\xF0\xE8\xEC\xE5\xF7\xE0\xED\xE8\xE5:",    // ~O verbatim
             "\xC3\xCA   .\xEC\xEA\xD0/\xF7",                                       // ~C line of ГК
         })
        EXPECT_NE(text.find(bytes), std::string::npos) << bytes;
    RLasData again;
    ASSERT_TRUE(again.LoadFromLas(dir.File("out.las")));
    EXPECT_EQ(again.Header.WellName, data.Header.WellName);
    EXPECT_EQ(again.Header.ParameterText, data.Header.ParameterText);
    EXPECT_EQ(again.Header.OtherText, data.Header.OtherText);
}

TEST(CalculatedCurves, AddAndDeleteKeepListColumnsAndCurvesInStep)
{
    TempDir dir;
    auto loaded = LoadText(MakeLas(kRange, kCurves, "1000 1 2\r\n1000.25 3 4\r\n"), dir);
    RLasData& data = loaded->data;
    auto curve = std::make_unique<RLasCurve>("GR*2", "double");
    curve->Mnemonic = "GR2";
    curve->Unit = "API";
    curve->NullValue = -999.25;
    curve->SetValues({2, 6, -999.25, -999.25, -999.25});
    data.AppendCurve(std::move(curve), "GR*2");
    EXPECT_EQ(data.CheckInvariant(), "");
    ASSERT_EQ(data.Curves().size(), 3u);
    ASSERT_EQ(data.Columns().size(), 3u);
    EXPECT_EQ(data.LasHeader()->Curves().Lines.back().Mnem, "GR2");
    ASSERT_TRUE(data.SaveToLas(dir.File("out.las")));
    const std::string text = ReadWholeFile(dir.File("out.las"));
    // Laid out like the last ~C entry, described by its formula, not by the
    // description of the curve before it.
    EXPECT_NE(text.find("\r\nGR2  .API " + std::string(9, ' ') + ": GR*2\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("1000.0000\t1.0000\t2.0000\t2.0000\r\n"), std::string::npos);

    data.DeleteCurve(0);
    EXPECT_EQ(data.CheckInvariant(), "");
    EXPECT_EQ(data.Curves().size(), 2u);
    EXPECT_EQ(data.Columns().size(), 2u);
    EXPECT_EQ(data.LasHeader()->Curves().Lines[0].Mnem, "RHOB");
    EXPECT_EQ(data.FindCurve("GR2"), data.Curves()[1].get());
}

TEST(ContainerForm, CurvesAndCacheTextRoundTrip)
{
    TempDir dir;
    auto loaded = LoadText(MakeLas(kRange, kCurves, "1000 1 -999.25\r\n1000.25 3 4\r\n"), dir);
    RLasCurveDataWrapper::SetRedundant(loaded->data.Curves()[0]->Data, 1, true);
    loaded->data.SaveToFile(dir.File("cache.dat"));

    RLasData restored;
    ASSERT_TRUE(restored.LoadFromFile(dir.File("cache.dat")));
    ASSERT_EQ(restored.Curves().size(), 2u);
    const RLasCurve& rhob = *restored.Curves()[1];
    EXPECT_EQ(rhob.Mnemonic, "RHOB");
    EXPECT_EQ(rhob.Unit, "G/C3");
    EXPECT_EQ(rhob.Values(), loaded->data.Curves()[1]->Values());
    EXPECT_TRUE(RLasCurveDataWrapper::IsNull(rhob.Data, 0));
    EXPECT_TRUE(RLasCurveDataWrapper::IsRedundant(restored.Curves()[0]->Data, 1));
    EXPECT_EQ(rhob.MaxValue, 4.25);  // one value, widened
    EXPECT_EQ(rhob.Data.Step, 0.25);
    EXPECT_EQ(restored.CacheText, loaded->data.CacheText);
    EXPECT_FALSE(restored.LoadFromFile(dir.File("missing.dat")));
}

TEST(ContainerForm, IrregularDepthsRoundTripAsObjectFive)
{
    RLasData data;
    const auto depths = DepthIndex(JitteredDepthsWithGap());
    AddIrregularFileCurve(data, "GR", depths, {1, 2, 3, 4, 5, 6, 7}, -999.25);
    AddIrregularFileCurve(data, "RHOB", depths, {2, 2, 2, 2, 2, 2, 2}, -999.25);
    AddIrregularFileCurve(data, "UP", DepthIndex(DescendingJitteredDepthsWithGap()), {7, 6, 5, 4, 3, 2, 1}, -999.25);
    AddFileCurve(data, "SP", 1000.0, 0.5, {1, 2, 3}, -999.25);
    RDataContainer container;
    data.SaveToNode(container);
    const RDCObject* saved = container.NodeByPath("LasData\\Curves\\0")->ObjectAt(5);
    ASSERT_NE(saved, nullptr);
    ASSERT_EQ(saved->ValueCount(), 7);
    EXPECT_EQ(saved->ValueAt(2)->AsDouble(), 1001.1);
    EXPECT_EQ(container.NodeByPath("LasData\\Curves\\3")->ObjectCount(), 5);  // a regular grid has none

    RLasData restored;
    restored.LoadFromNode(container);
    ASSERT_EQ(restored.Curves().size(), 4u);
    const RLasCurve& gr = *restored.Curves()[0];
    ASSERT_FALSE(gr.IsRegular());
    EXPECT_EQ(*gr.Depths, JitteredDepthsWithGap());
    EXPECT_EQ(gr.Data.Step, 0.0);
    EXPECT_EQ(gr.FirstDepth, 1000.0);
    EXPECT_EQ(gr.LastDepth, 1006.0);
    EXPECT_EQ(restored.Curves()[1]->Depths, gr.Depths);  // one index again for the rows it shares
    const RLasCurve& up = *restored.Curves()[2];
    ASSERT_FALSE(up.IsRegular());
    EXPECT_TRUE(up.IsDescending());
    EXPECT_EQ(*up.Depths, DescendingJitteredDepthsWithGap());
    const RLasCurve& sp = *restored.Curves()[3];
    EXPECT_TRUE(sp.IsRegular());
    EXPECT_EQ(sp.Data.Step, 0.5);
    EXPECT_EQ(sp.Depth(2), 1001.0);

    // Saved again over the same tree as a regular data set, no depths stay behind.
    RLasData regular;
    AddFileCurve(regular, "GR", 1000.0, 0.5, {1, 2, 3}, -999.25);
    regular.SaveToNode(container);
    EXPECT_EQ(container.NodeByPath("LasData\\Curves\\0")->ObjectCount(), 5);
}

TEST(ContainerForm, MissingOrDamagedDepthsLoadAsARegularGrid)
{
    RLasData data;
    const auto depths = DepthIndex(JitteredDepthsWithGap());
    for (const char* name : {"OLD", "SHORT", "TEXT", "NAN", "GOOD"})
        AddIrregularFileCurve(data, name, depths, {1, 2, 3, 4, 5, 6, 7}, -999.25);
    RDataContainer container;
    data.SaveToNode(container);
    const auto node = [&](int i) { return container.NodeByPath("LasData\\Curves\\" + std::to_string(i)); };
    node(0)->SetObjectCount(5);                             // written before depths were kept
    node(1)->Object(5)->SetValueCount(6);                   // one depth short
    node(2)->Object(5)->Value(3)->SetString("1001.5");      // not a number
    node(3)->Object(5)->Value(6)->SetDouble(std::nan(""));  // not a depth

    RLasData restored;
    restored.LoadFromNode(container);
    ASSERT_EQ(restored.Curves().size(), 5u);
    for (int i = 0; i < 4; ++i) {
        const RLasCurve& curve = *restored.Curves()[static_cast<std::size_t>(i)];
        EXPECT_TRUE(curve.IsRegular()) << curve.Mnemonic;
        EXPECT_EQ(curve.SampleCount(), 7u) << curve.Mnemonic;
    }
    EXPECT_FALSE(restored.Curves()[4]->IsRegular());
}

TEST(ContainerForm, DuplicateOrOutOfRangeIndexIsACacheError)
{
    RDataContainer container;
    container.NodeByPath("LasData\\Curves\\0", true)->Object(0)->Value(0)->SetInteger(0);
    container.NodeByPath("LasData\\Curves\\1", true)->Object(0)->Value(0)->SetInteger(0);
    RLasData data;
    try {
        data.LoadFromNode(container);
        FAIL() << "no error raised";
    } catch (const RError& error) {
        EXPECT_STREQ(error.what(), "Ошибка загрузки данных из кеша: двойная кривая.");
    }
    container.NodeByPath("LasData\\Curves\\1")->Object(0)->Value(0)->SetInteger(7);
    EXPECT_THROW(data.LoadFromNode(container), RError);
    EXPECT_TRUE(data.Curves().empty());
}

TEST(CurveOperations, TakeInsertAndReplaceKeepTheDataSetInStep)
{
    RLasData data;
    ASSERT_TRUE(data.LoadFromLas(std::string(LOGGARD_TEST_DATA_DIR) + "/view/depth_columns.las"));
    const auto columnsBefore = data.Columns();
    // RHOB's column stands after the depth-named DEPTH curve: putting it
    // back must not land it before DEPTH.
    RLasCurveSlot rhob = data.TakeCurve(2);
    EXPECT_EQ(data.CheckInvariant(), "");
    EXPECT_EQ(rhob.ColumnIndex, 2);
    EXPECT_EQ(data.Columns().size(), 2u);
    data.InsertCurve(std::move(rhob));
    EXPECT_EQ(data.CheckInvariant(), "");
    EXPECT_EQ(data.Columns(), columnsBefore);
    EXPECT_EQ(data.LasHeader()->Curves().Lines[2].Mnem, "RHOB");

    auto computed = std::make_unique<RLasCurve>();
    computed->Mnemonic = "GRX";
    computed->NullValue = -9999;
    computed->SetValues({1, 2, 3, 4, 5});
    RLasCurveSlot old = data.ReplaceCurve(0, std::move(computed), "GR*2");
    EXPECT_EQ(data.CheckInvariant(), "");
    EXPECT_EQ(old.Curve->Mnemonic, "GR");
    const RLasSectionLine& line = data.LasHeader()->Curves().Lines[0];
    EXPECT_EQ(line.Mnem, "GRX");
    EXPECT_EQ(line.Unit, "GAPI");  // the entry keeps its layout and unit
    EXPECT_EQ(line.Description, "GR*2");
    EXPECT_EQ(data.Columns()[0], (TDoubleArray{1, 2, 3, 4, 5}));
    EXPECT_FALSE(data.TakeCurve(7).Curve);
}

TEST(CurveOperations, CurvesFromTheContainerFormDropTheColumnsTheyNoLongerMatch)
{
    RLasData data;
    ASSERT_TRUE(data.LoadFromLas(std::string(LOGGARD_TEST_DATA_DIR) + "/view/depth_columns.las"));
    RDataContainer container;
    data.SaveToNode(container);
    data.TakeCurve(0);
    data.LoadFromNode(container);
    EXPECT_EQ(data.Curves().size(), 3u);
    EXPECT_TRUE(data.Columns().empty());
    EXPECT_EQ(data.LasHeader(), nullptr);
    EXPECT_EQ(data.CheckInvariant(), "");
}

TEST(SaveToLas, AFullDiskOrAReadOnlyFolderKeepsTheOldFileAndSaysWhy)
{
    TempDir dir;
    const std::string folder = dir.File("out");
    std::filesystem::create_directory(folder);
    const std::string path = folder + "/old.las";
    WriteWholeFile(path, "old contents");
    std::string big;
    for (int k = 0; k < 20000; ++k)
        big += std::to_string(1000 + k * 0.25) + " " + std::to_string(k % 97) + " " + std::to_string(k % 13) + "\r\n";
    const std::string range = " STRT.M 1000 : A\r\n STOP.M " + std::to_string(1000 + 19999 * 0.25) + " : B\r\n STEP.M 0.25 : C\r\n";
    auto loaded = LoadText(MakeLas(range, kCurves, big), dir);
    ASSERT_TRUE(loaded->result);

    // A file-size limit stands in for a full disk (EFBIG where it gives ENOSPC).
    const ChildResult full = RunInChild(
        [&] {
            RLogCollector log;
            if (loaded->data.SaveToLas(path) || log.Messages.empty())
                throw std::runtime_error("saved");
            throw std::runtime_error(log.Messages.back());
        },
        {.fileSizeLimit = 64 * 1024});
    EXPECT_EQ(full.message, "Ошибка записи в файл: " + std::string(std::strerror(EFBIG)) + " (" + path + ")");
    EXPECT_EQ(ReadWholeFile(path), "old contents");
    EXPECT_EQ(FileNames(folder), std::vector<std::string>{"old.las"});

    ::chmod(dir.Path().c_str(), 0755);  // so that nobody can reach the folder
    ::chmod(folder.c_str(), 0555);
    const ChildResult readOnly = RunInChild(
        [&] {
            RLogCollector log;
            if (loaded->data.SaveToLas(path) || log.Messages.empty())
                throw std::runtime_error("saved");
            throw std::runtime_error(log.Messages.back());
        },
        {.dropRoot = true});
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(readOnly.message, "не удается открыть файл " + path + " для записи: " + std::strerror(EACCES));
    EXPECT_EQ(ReadWholeFile(path), "old contents");
    EXPECT_EQ(FileNames(folder), std::vector<std::string>{"old.las"});
}
