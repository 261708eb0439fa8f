#include "las/las_problem.h"
#include "las/las_line_syntax.h"
#include "las/logging.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace {

RLasProblem ProblemOf(RLasProblemKind kind)
{
    RLasProblem problem{.Kind = kind};
    return problem;
}

// Every field set, to a value that shows where it went.
RLasProblem FilledProblem(RLasProblemKind kind)
{
    RLasProblem problem{.Kind = kind};
    problem.Path = "/logs/a.las";
    problem.Line = "1000 x 2";
    problem.Name = "STRT";
    problem.Header = "8150";
    problem.Found = "8440";
    problem.Count = 7;
    problem.Expected = 11;
    problem.Row = 13;
    problem.Detail = "detail";
    return problem;
}

std::string Russian(const RLasProblem& problem) { return ProblemText(problem, RLasLanguage::Russian); }
std::string English(const RLasProblem& problem) { return ProblemText(problem, RLasLanguage::English); }

// A sink that keeps what it gets without installing itself anywhere.
class KeepingSink : public RLogSink {
public:
    void Message(const std::string& text) override { Messages.push_back(text); }
    void Problem(const RLasProblem& problem) override { Kinds.push_back(problem.Kind); }

    std::vector<std::string> Messages;
    std::vector<RLasProblemKind> Kinds;
};

// A sink that only takes texts, as the existing sinks do.
class TextSink : public RLogSink {
public:
    void Message(const std::string& text) override { Messages.push_back(text); }
    std::vector<std::string> Messages;
};

}  // namespace

TEST(ProblemText, EveryKindIsWordedInBothLanguagesWithNoPlaceholderLeft)
{
    for (std::size_t i = 0; i < kLasProblemKindCount; ++i) {
        const auto kind = static_cast<RLasProblemKind>(i);
        const RLasProblem problem = FilledProblem(kind);
        for (const std::string& text : {English(problem), Russian(problem)}) {
            EXPECT_FALSE(text.empty()) << i;
            EXPECT_EQ(text.find('{'), std::string::npos) << i << ": " << text;
            EXPECT_EQ(text.find('}'), std::string::npos) << i << ": " << text;
        }
        // English texts are plain ASCII (quoted bytes aside); the two
        // languages differ except where the text is the carried one.
        for (unsigned char c : English(problem))
            EXPECT_LT(c, 0x80) << i << ": " << English(problem);
        if (kind != RLasProblemKind::WriteFailed) {  // the carried text alone
            EXPECT_NE(English(problem), Russian(problem)) << i;
        }
    }
    EXPECT_EQ(English(ProblemOf(static_cast<RLasProblemKind>(kLasProblemKindCount))), "");
}

TEST(ProblemText, RussianTextsStayAsTheUsersKnowThem)
{
    RLasProblem problem = ProblemOf(RLasProblemKind::FileNotFound);
    problem.Path = "/logs/a.las";
    EXPECT_EQ(Russian(problem), "Файл /logs/a.las не найден");
    problem.Kind = RLasProblemKind::CannotOpenForWriting;
    EXPECT_EQ(Russian(problem), "не удается открыть файл /logs/a.las для записи");

    problem = ProblemOf(RLasProblemKind::MissingWellItem);
    problem.Name = "STRT";
    EXPECT_EQ(Russian(problem), "Не найдено поле STRT в секции Well");
    problem.Kind = RLasProblemKind::BadNumber;
    EXPECT_EQ(Russian(problem), "Неверный формат для STRT");

    EXPECT_EQ(Russian(ProblemOf(RLasProblemKind::NoDepthCurve)),
              "Не найдено поле глубины в секции Curve (DEPT, DEPTH, BOREHOLE-DEPTH или TIME). Выбрано первое поле");
    EXPECT_EQ(Russian(ProblemOf(RLasProblemKind::DataDisagreesWithHeader)),
              "Размерность данных из секции Data не соответсвует заголовку");

    problem = ProblemOf(RLasProblemKind::StrtDisagrees);
    problem.Header = "8150";
    problem.Found = "8440";
    EXPECT_EQ(Russian(problem),
              "STRT 8150 не совпадает с первой глубиной в данных 8440; используются глубины из данных");
    problem = ProblemOf(RLasProblemKind::RowCountDisagrees);
    problem.Expected = 101;
    problem.Count = 99;
    EXPECT_EQ(Russian(problem),
              "По STRT, STOP и STEP в секции Data должно быть 101 строк, а в данных 99; прочитаны все строки");
    problem = ProblemOf(RLasProblemKind::TextNulls);
    problem.Count = 3;
    problem.Line = "n/a";
    problem.Row = 12;
    EXPECT_EQ(Russian(problem),
              "3 значений в секции Data не являются числами (первое, n/a, в строке 12); они считаются пустыми");
    problem = ProblemOf(RLasProblemKind::NotARegularFile);
    problem.Path = "/dev/tty";
    problem.Detail = "устройство";
    EXPECT_EQ(Russian(problem), "/dev/tty не является обычным файлом (устройство)");

    problem = ProblemOf(RLasProblemKind::WriteFailed);
    problem.Detail = "Нет места на диске";
    EXPECT_EQ(Russian(problem), "Нет места на диске");
    EXPECT_EQ(English(problem), "Нет места на диске");
}

TEST(ProblemText, AFileErrorCauseIsWordedInTheProblemsLanguage)
{
    const RFileFault cut{.Kind = RFileErrorKind::UnexpectedEnd, .Path = "/cfg/settings.dat", .Offset = 40};
    RLasProblem problem = ProblemOf(RLasProblemKind::SettingsUnreadable);
    problem.Path = "/cfg/settings.dat";
    problem.Cause = cut;
    EXPECT_EQ(Russian(problem), "Файл настроек /cfg/settings.dat повреждён, виды кривых и формулы из него не "
                                "загружены: Ошибка чтения из файла: неожиданный конец файла (/cfg/settings.dat, "
                                "смещение 40)");
    EXPECT_EQ(English(problem), "Settings file /cfg/settings.dat is damaged; the curve views and formulas in it were "
                                "not loaded: Error reading file: unexpected end of file (/cfg/settings.dat, offset "
                                "40)");
    problem.Kind = RLasProblemKind::NotASettingsFile;
    EXPECT_EQ(Russian(problem), "Файл настроек /cfg/settings.dat повреждён, виды кривых и формулы из него не "
                                "загружены: это не файл настроек");
    EXPECT_EQ(English(problem), "Settings file /cfg/settings.dat is damaged; the curve views and formulas in it were "
                                "not loaded: it is not a settings file");

    problem = ProblemOf(RLasProblemKind::WriteFailed);
    problem.Cause = RFileFault{.Kind = RFileErrorKind::WriteFailed, .Path = "/out/a.las", .SystemError = ENOSPC};
    problem.Detail = "Ошибка записи в файл: ...";
    EXPECT_EQ(Russian(problem), "Ошибка записи в файл: " + std::string(std::strerror(ENOSPC)) + " (/out/a.las)");
    EXPECT_EQ(English(problem), "Error writing file: No space left on device (/out/a.las)");

    // A file that cannot be created says why after the text it always had.
    problem = ProblemOf(RLasProblemKind::CannotOpenForWriting);
    problem.Path = "/out/no/a.las";
    problem.Cause = RFileFault{.Kind = RFileErrorKind::OpenFailed, .Path = "/out/no/a.las", .SystemError = ENOENT};
    EXPECT_EQ(Russian(problem), "не удается открыть файл /out/no/a.las для записи: " + std::string(std::strerror(ENOENT)));
    EXPECT_EQ(English(problem), "Cannot open file /out/no/a.las for writing: No such file or directory");
}

TEST(ProblemText, WhatStandsInAFilesPlaceIsWordedInTheProblemsLanguage)
{
    RLasProblem problem = ProblemOf(RLasProblemKind::NotARegularFile);
    problem.Path = "/logs/a.las";
    problem.Detail = "ignored when the type is known";
    const std::tuple<RLasFileType, std::string, std::string> types[] = {
        {RLasFileType::Fifo, "именованный канал (FIFO)", "FIFO (named pipe)"},
        {RLasFileType::Socket, "сокет", "socket"},
        {RLasFileType::CharacterDevice, "символьное устройство", "character device"},
        {RLasFileType::BlockDevice, "блочное устройство", "block device"},
        {RLasFileType::Other, "особый файл", "special file"},
    };
    for (const auto& [type, russian, english] : types) {
        problem.FileType = type;
        EXPECT_EQ(Russian(problem), "/logs/a.las не является обычным файлом (" + russian + ")");
        EXPECT_EQ(English(problem), "/logs/a.las is not a regular file (" + english + ")");
    }
    problem.Kind = RLasProblemKind::IsAFolder;
    EXPECT_EQ(Russian(problem), "/logs/a.las является папкой, а не файлом");
}

TEST(ProblemText, SizeRefusalsCarryTheirNumbers)
{
    RLasProblem curves = ProblemOf(RLasProblemKind::TooManyCurves);
    curves.Path = "a.las";
    curves.Count = 70000;
    curves.Expected = 65536;
    EXPECT_EQ(Russian(curves), "Слишком много кривых в файле a.las: 70000, допустимо не более 65536");
    EXPECT_EQ(English(curves), "Too many curves in file a.las: 70000, at most 65536 allowed");

    RLasProblem samples = ProblemOf(RLasProblemKind::TooManySamples);
    samples.Path = "a.las";
    samples.Count = 1000000;
    samples.Expected = 3;
    samples.Found = "23";
    samples.Detail = "8";
    EXPECT_EQ(Russian(samples), "Слишком много отсчётов в файле a.las: 1000000 отсчётов по 3 кривым займут 23 МБ при "
                                "допустимых 8 МБ; проверьте STRT, STOP и STEP в секции Well");
    EXPECT_EQ(English(samples), "Too many samples in file a.las: 1000000 samples of 3 curves would take 23 MB with 8 "
                                "MB allowed; check STRT, STOP and STEP in the Well section");
    samples.Kind = RLasProblemKind::TooManySamplesForMemory;
    samples.Found.clear();
    samples.Count = 4000000000;
    samples.Detail = "16384";
    EXPECT_EQ(Russian(samples), "Слишком много отсчётов в файле a.las: больше 4000000000 отсчётов при допустимых 16384 "
                                "МБ (половина памяти компьютера); проверьте STRT, STOP и STEP в секции Well");
    EXPECT_EQ(English(samples), "Too many samples in file a.las: more than 4000000000 samples with 16384 MB (half the "
                                "computer's memory) allowed; check STRT, STOP and STEP in the Well section");
}

TEST(ProblemText, LineCountingKindsNameHowManyLinesWereLikeIt)
{
    RLasProblem problem = ProblemOf(RLasProblemKind::TooFewValues);
    problem.Line = "1000.25 3";
    EXPECT_EQ(Russian(problem), "Недостаточно данных в строке 1000.25 3 в секции Data");
    problem.Count = 1;
    EXPECT_EQ(Russian(problem), "Недостаточно данных в строке 1000.25 3 в секции Data");
    problem.Count = 5;
    EXPECT_EQ(Russian(problem), "Недостаточно данных в строке 1000.25 3 в секции Data; таких строк: 5");
    EXPECT_EQ(English(problem), "Too few values in line 1000.25 3 of the Data section; 5 such rows");
    problem.Kind = RLasProblemKind::TooManyValues;
    EXPECT_EQ(Russian(problem), "Слишком много данных в строке 1000.25 3 секции Data; таких строк: 5");
    problem.Kind = RLasProblemKind::DepthNotANumber;
    problem.Line = "-- 3";
    EXPECT_EQ(Russian(problem),
              "Глубина не является числом в строке -- 3 секции Data; строка пропущена; таких строк: 5");
    // Other kinds that carry a count do not take the suffix.
    problem.Kind = RLasProblemKind::TextNulls;
    EXPECT_EQ(Russian(problem).find("таких строк"), std::string::npos);
}

TEST(ProblemText, QuotedBytesAreInsertedVerbatim)
{
    // Braces from the file are not placeholders.
    RLasProblem problem = ProblemOf(RLasProblemKind::NoDot);
    problem.Line = "{Path} {Count";
    problem.Path = "a.las";
    EXPECT_EQ(Russian(problem), "Не найдена точка в строке {Path} {Count");
    EXPECT_EQ(English(problem), "No dot found in line {Path} {Count");
    // Windows-1251 bytes stay as they are.
    problem.Line = "\xD1\xEA\xE2";
    EXPECT_EQ(Russian(problem), "Не найдена точка в строке \xD1\xEA\xE2");
}

TEST(QuoteForMessage, WholeUpTo200BytesThenCutWithTheLength)
{
    const std::string exact(200, '7');
    EXPECT_EQ(QuoteForMessage(exact), exact);
    EXPECT_EQ(QuoteForMessage(""), "");
    const std::string longer = std::string(200, '7') + "8";
    EXPECT_EQ(QuoteForMessage(longer), exact + "... (201 байт)");
    // Embedded NUL bytes are quoted, not a place to stop.
    EXPECT_EQ(QuoteForMessage(std::string_view("a\0b", 3)), "a\\x00b");
}

TEST(QuoteForMessage, ControlBytesAreEscapedAndTextKept)
{
    // An xterm title sequence, a bell, a screen clear and the line breaks
    // and tab that would break a message's line.
    EXPECT_EQ(QuoteForMessage("GR\x1b]0;owned\x07 \x1b[2J\r\n\t\x7f\x1f"),
              "GR\\x1b]0;owned\\x07 \\x1b[2J\\x0d\\x0a\\x09\\x7f\\x1f");
    // UTF-8 and 8-bit Cyrillic (Windows-1251, KOI8-R) are text, not controls;
    // backslashes stay single.
    EXPECT_EQ(QuoteForMessage("ГК \xD1\xEA\xE2 \xE7\xCB \\x41"), "ГК \xD1\xEA\xE2 \xE7\xCB \\x41");
}

TEST(QuoteForMessage, BinaryJunkGivesAShortEscapedExcerpt)
{
    // Escapes count towards the 200 bytes, so a line of control bytes shows
    // 50 of them, and a cut never splits an escape.
    const std::string junk(1000, '\x01');
    std::string shown;
    for (int i = 0; i < 50; ++i)
        shown += "\\x01";
    EXPECT_EQ(QuoteForMessage(junk), shown + "... (1000 байт)");
    const std::string tail = std::string(198, 'a') + "\x1b";
    EXPECT_EQ(QuoteForMessage(tail), std::string(198, 'a') + "... (199 байт)");
    // Decoded for showing, the excerpt keeps its mark whatever its length.
    RLasProblem problem = ProblemOf(RLasProblemKind::NoDot);
    problem.Line = QuoteForMessage(junk);
    DecodeQuotes(problem, [](std::string_view bytes) { return "[" + std::string(bytes) + "]"; });
    EXPECT_EQ(problem.Line, "[" + shown + "]... (1000 байт)");
    problem.Line = QuoteForMessage(std::string(150, 'b') + "... (" + std::string(100, '\r'));
    DecodeQuotes(problem, [](std::string_view bytes) { return "<" + std::string(bytes) + ">"; });
    EXPECT_TRUE(problem.Line.starts_with("<" + std::string(150, 'b') + "... ("));
    EXPECT_TRUE(problem.Line.ends_with(">... (255 байт)")) << problem.Line;
}

TEST(Report, TextOnlySinksReceiveTheRussianWording)
{
    RLogCollector log;
    RLasProblem problem = ProblemOf(RLasProblemKind::MissingWellItem);
    problem.Name = "STEP";
    Report(problem);
    TextSink texts;
    {
        RLogScope scope(&texts);
        Report(problem);
    }
    EXPECT_EQ(log.Messages, std::vector<std::string>{"Не найдено поле STEP в секции Well"});
    EXPECT_EQ(texts.Messages, log.Messages);
}

TEST(Report, DroppedWithoutASink)
{
    RLogSink* const previous = Logging::SetSink(nullptr);
    Report(ProblemOf(RLasProblemKind::NoCurves));
    LogMessage("nobody listens");
    EXPECT_EQ(Logging::CurrentSink(), nullptr);
    Logging::SetSink(previous);
}

TEST(Report, ConvertedCallersReportProblemsNotTexts)
{
    KeepingSink sink;
    RLogScope scope(&sink);
    ParseLine("STRT M 1000 : X");
    EXPECT_EQ(sink.Kinds, (std::vector<RLasProblemKind>{RLasProblemKind::NoDot}));
    EXPECT_TRUE(sink.Messages.empty());
}

TEST(Report, HeaderLinesAreQuotedLikeDataLines)
{
    RLogCollector log;
    const std::string line = "STRT M " + std::string(300, '1');
    ParseLine(line);
    ASSERT_EQ(log.Messages.size(), 1u);
    EXPECT_EQ(log.Messages[0], "Не найдена точка в строке " + line.substr(0, 200) + "... (307 байт)");
}

TEST(RLogScope, SendsOnlyItsThreadsMessagesToItsSink)
{
    RLogCollector process;
    KeepingSink scoped;
    std::thread scopedThread([&] {
        RLogScope scope(&scoped);
        LogMessage("scoped text");
        Report(ProblemOf(RLasProblemKind::NoCurves));
    });
    scopedThread.join();
    std::thread otherThread([] { LogMessage("other text"); });
    otherThread.join();
    EXPECT_EQ(scoped.Messages, std::vector<std::string>{"scoped text"});
    EXPECT_EQ(scoped.Kinds, std::vector<RLasProblemKind>{RLasProblemKind::NoCurves});
    EXPECT_EQ(process.Messages, std::vector<std::string>{"other text"});
}

TEST(RLogScope, NestsAndANullSinkChangesNothing)
{
    RLogCollector process;
    KeepingSink outer, inner;
    {
        RLogScope outerScope(&outer);
        {
            RLogScope innerScope(&inner);
            LogMessage("inner");
            EXPECT_EQ(Logging::CurrentSink(), &inner);
        }
        {
            RLogScope passThrough(nullptr);
            LogMessage("outer");
        }
        LogMessage("outer again");
    }
    LogMessage("process");
    EXPECT_EQ(inner.Messages, std::vector<std::string>{"inner"});
    EXPECT_EQ(outer.Messages, (std::vector<std::string>{"outer", "outer again"}));
    EXPECT_EQ(process.Messages, std::vector<std::string>{"process"});
    EXPECT_EQ(Logging::CurrentSink(), &process);
}

TEST(DecodeQuotes, FileBytesAreDecodedAndTheCutEndingKept)
{
    const auto marked = [](std::string_view bytes) { return "[" + std::string(bytes) + "]"; };
    RLasProblem problem = ProblemOf(RLasProblemKind::TooFewValues);
    problem.Line = QuoteForMessage(std::string(250, 'a'));
    problem.Name = "gr";
    DecodeQuotes(problem, marked);
    EXPECT_EQ(problem.Line, "[" + std::string(200, 'a') + "]... (250 байт)");
    EXPECT_EQ(problem.Name, "[gr]");
    // A short quote that merely ends like a cut one is the file's own text.
    problem.Line = "x... (3 байт)";
    DecodeQuotes(problem, marked);
    EXPECT_EQ(problem.Line, "[x... (3 байт)]");
}
