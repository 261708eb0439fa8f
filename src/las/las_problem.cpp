#include "las/las_problem.h"

#include "container/error.h"
#include "las/logging.h"

#include <array>
#include <functional>

namespace {

using Kind = RLasProblemKind;

struct Wording {
    Kind kind;
    std::string_view text;
};

// One language's texts: a template per kind, in the order of the
// enumeration, and the phrases some kinds add. A template names fields in
// braces ({Path}, {Count}); {Size} is the sample size phrase of the
// TooManySamples kinds.
struct LanguageTable {
    std::array<Wording, kLasProblemKindCount> kinds;
    std::string_view suchRows;       // appended when Count > 1 on a kind that counts like lines
    std::string_view samplesTake;    // {Size} when the sample count is known
    std::string_view samplesBeyond;  // {Size} when it is beyond counting
    std::array<std::string_view, 7> fileTypes;  // {Detail} of NotARegularFile, by RLasFileType
};

constexpr LanguageTable kEnglish{
    {{
        {Kind::FileNotFound, "File {Path} not found"},
        {Kind::FileUnreadable, "Cannot read file {Path}"},
        {Kind::NoSections, "File {Path} contains no sections"},
        {Kind::NoHeader, "File {Path} has no header"},
        {Kind::NoDataSection, "File {Path} has no data section"},
        {Kind::HeaderUnreadable, "Could not read the file header"},
        {Kind::LineCut, "An overlong line in file {Path} was cut"},
        {Kind::ReadCancelled, "Reading file {Path} was cancelled"},
        {Kind::FileChanged, "File {Path} changed while it was being read"},
        {Kind::NotARegularFile, "{Path} is not a regular file ({Detail})"},
        {Kind::IsAFolder, "{Path} is a folder, not a file"},
        {Kind::Utf16Read, "File {Path} was read from {Detail}"},
        {Kind::SavedAsUtf8, "File {Path} was in UTF-16 and has been saved in UTF-8"},
        {Kind::TooManyCurves, "Too many curves in file {Path}: {Count}, at most {Expected} allowed"},
        {Kind::TooManySamples,
         "Too many samples in file {Path}: {Size} with {Detail} MB allowed; check STRT, STOP and STEP in the Well "
         "section"},
        {Kind::TooManySamplesForMemory,
         "Too many samples in file {Path}: {Size} with {Detail} MB (half the computer's memory) allowed; check "
         "STRT, STOP and STEP in the Well section"},
        {Kind::BadNumber, "Invalid format for {Name}"},
        {Kind::MissingWellItem, "Item {Name} not found in the Well section"},
        {Kind::NoCurves, "No curve found in the Curve section"},
        {Kind::OnlyIndexColumn, "File {Path} has no curves: its data hold only the depth column"},
        {Kind::NoDepthCurve,
         "No depth item found in the Curve section (DEPT, DEPTH, BOREHOLE-DEPTH or TIME). The first item is used"},
        {Kind::NoDot, "No dot found in line {Line}"},
        {Kind::NoColon, "No colon found in line {Line}"},
        {Kind::NoSpaceBeforeColon, "No space between the dot and the colon in line {Line}"},
        {Kind::TooFewValues, "Too few values in line {Line} of the Data section"},
        {Kind::TooManyValues, "Too many values in line {Line} of the Data section"},
        {Kind::DataLineUnreadable, "Cannot parse line {Line} of the Data section"},
        {Kind::TooManyRows, "Too much data in the Data section"},
        {Kind::DepthNotANumber, "The depth is not a number in line {Line} of the Data section; the line is skipped"},
        {Kind::TextNulls,
         "{Count} values in the Data section are not numbers (the first, {Line}, in row {Row}); they are taken as "
         "empty"},
        {Kind::StrtDisagrees,
         "STRT {Header} differs from the first depth in the data {Found}; the data's depths are used"},
        {Kind::StopDisagrees,
         "STOP {Header} differs from the last depth in the data {Found}; the data's depths are used"},
        {Kind::StepDisagrees,
         "STEP {Header} differs from the depth step in the data {Found}; the data's depths are used"},
        {Kind::StepZeroOverRegularData,
         "STEP 0 differs from the depth step in the data {Found}; the data's depths are used"},
        {Kind::IrregularDepths,
         "STEP {Header} does not match the data: the depths are unevenly spaced; the data's depths are used"},
        {Kind::RowCountDisagrees,
         "STRT, STOP and STEP call for {Expected} rows in the Data section, but the data hold {Count}; all rows were "
         "read"},
        {Kind::DepthsGoBack, "Depths in the Data section are out of order (row {Row}); rows are kept in file order"},
        {Kind::NoHeaderToWrite, "Could not write the file: there is no header"},
        {Kind::NoDataToWrite, "Could not write the file: there is no data section"},
        {Kind::ZeroStepToWrite, "Cannot write the file: the step is zero"},
        {Kind::DataDisagreesWithHeader, "The size of the data in the Data section does not match the header"},
        {Kind::CannotOpenForWriting, "Cannot open file {Path} for writing"},
        {Kind::WriteFailed, "{Cause}"},
        {Kind::SettingsUnreadable,
         "Settings file {Path} is damaged; the curve views and formulas in it were not loaded: {Cause}"},
        {Kind::NotASettingsFile,
         "Settings file {Path} is damaged; the curve views and formulas in it were not loaded: it is not a "
         "settings file"},
    }},
    "; {Count} such rows",
    "{Count} samples of {Expected} curves would take {Found} MB",
    "more than {Count} samples",
    {"regular file", "folder", "FIFO (named pipe)", "socket", "character device", "block device",
     "special file"},
};

constexpr LanguageTable kRussian{
    {{
        {Kind::FileNotFound, "Файл {Path} не найден"},
        {Kind::FileUnreadable, "Не удается прочитать файл {Path}"},
        {Kind::NoSections, "Файл {Path} не содержит ни одной секции"},
        {Kind::NoHeader, "Файл {Path} не содержит заголовка"},
        {Kind::NoDataSection, "Файл {Path} не содержит секции данных"},
        {Kind::HeaderUnreadable, "Не удалось прочитать заголовок файла"},
        {Kind::LineCut, "Слишком длинная строка в файле {Path} обрезана"},
        {Kind::ReadCancelled, "Чтение файла {Path} прервано"},
        {Kind::FileChanged, "Файл {Path} изменился во время чтения"},
        {Kind::NotARegularFile, "{Path} не является обычным файлом ({Detail})"},
        {Kind::IsAFolder, "{Path} является папкой, а не файлом"},
        {Kind::Utf16Read, "Файл {Path} прочитан из кодировки {Detail}"},
        {Kind::SavedAsUtf8, "Файл {Path} был в кодировке UTF-16 и сохранён в UTF-8"},
        {Kind::TooManyCurves, "Слишком много кривых в файле {Path}: {Count}, допустимо не более {Expected}"},
        {Kind::TooManySamples,
         "Слишком много отсчётов в файле {Path}: {Size} при допустимых {Detail} МБ; проверьте STRT, STOP и STEP в "
         "секции Well"},
        {Kind::TooManySamplesForMemory,
         "Слишком много отсчётов в файле {Path}: {Size} при допустимых {Detail} МБ (половина памяти компьютера); "
         "проверьте STRT, STOP и STEP в секции Well"},
        {Kind::BadNumber, "Неверный формат для {Name}"},
        {Kind::MissingWellItem, "Не найдено поле {Name} в секции Well"},
        {Kind::NoCurves, "Не найдено ни одной кривой в секции Curve"},
        {Kind::OnlyIndexColumn, "В файле {Path} нет кривых: в его данных только столбец глубины"},
        {Kind::NoDepthCurve,
         "Не найдено поле глубины в секции Curve (DEPT, DEPTH, BOREHOLE-DEPTH или TIME). Выбрано первое поле"},
        {Kind::NoDot, "Не найдена точка в строке {Line}"},
        {Kind::NoColon, "Не найдено двоеточие в строке {Line}"},
        {Kind::NoSpaceBeforeColon, "Не найден пробел между точкой и двоеточием в строке {Line}"},
        {Kind::TooFewValues, "Недостаточно данных в строке {Line} в секции Data"},
        {Kind::TooManyValues, "Слишком много данных в строке {Line} секции Data"},
        {Kind::DataLineUnreadable, "Ошибка разбора строки {Line} в секции Data"},
        {Kind::TooManyRows, "Слишком много данных в секции Data"},
        {Kind::DepthNotANumber, "Глубина не является числом в строке {Line} секции Data; строка пропущена"},
        {Kind::TextNulls,
         "{Count} значений в секции Data не являются числами (первое, {Line}, в строке {Row}); они считаются "
         "пустыми"},
        {Kind::StrtDisagrees,
         "STRT {Header} не совпадает с первой глубиной в данных {Found}; используются глубины из данных"},
        {Kind::StopDisagrees,
         "STOP {Header} не совпадает с последней глубиной в данных {Found}; используются глубины из данных"},
        {Kind::StepDisagrees,
         "STEP {Header} не совпадает с шагом глубин в данных {Found}; используются глубины из данных"},
        {Kind::StepZeroOverRegularData,
         "STEP 0 не совпадает с шагом глубин в данных {Found}; используются глубины из данных"},
        {Kind::IrregularDepths,
         "STEP {Header} не совпадает с данными: глубины идут неравномерно; используются глубины из данных"},
        {Kind::RowCountDisagrees,
         "По STRT, STOP и STEP в секции Data должно быть {Expected} строк, а в данных {Count}; прочитаны все строки"},
        {Kind::DepthsGoBack,
         "Глубины в секции Data идут не по порядку (строка {Row}); строки оставлены в порядке файла"},
        {Kind::NoHeaderToWrite, "Не удалось записать в файл: отсутствует заголовок"},
        {Kind::NoDataToWrite, "Не удалось записать в файл: отсутствует секция данных"},
        {Kind::ZeroStepToWrite, "Не удается записать в файл: шаг равен нулю"},
        {Kind::DataDisagreesWithHeader, "Размерность данных из секции Data не соответсвует заголовку"},
        {Kind::CannotOpenForWriting, "не удается открыть файл {Path} для записи"},
        {Kind::WriteFailed, "{Cause}"},
        {Kind::SettingsUnreadable,
         "Файл настроек {Path} повреждён, виды кривых и формулы из него не загружены: {Cause}"},
        {Kind::NotASettingsFile,
         "Файл настроек {Path} повреждён, виды кривых и формулы из него не загружены: это не файл настроек"},
    }},
    "; таких строк: {Count}",
    "{Count} отсчётов по {Expected} кривым займут {Found} МБ",
    "больше {Count} отсчётов",
    {"обычный файл", "папка", "именованный канал (FIFO)", "сокет", "символьное устройство", "блочное устройство",
     "особый файл"},
};

// Every template sits at its kind's index, so a kind finds its text directly.
constexpr bool InEnumerationOrder(const LanguageTable& table)
{
    for (std::size_t i = 0; i < table.kinds.size(); ++i)
        if (static_cast<std::size_t>(table.kinds[i].kind) != i)
            return false;
    return true;
}
static_assert(InEnumerationOrder(kEnglish), "English texts out of the order of RLasProblemKind");
static_assert(InEnumerationOrder(kRussian), "Russian texts out of the order of RLasProblemKind");

bool CountsLikeLines(Kind kind)
{
    return kind == Kind::TooFewValues || kind == Kind::TooManyValues || kind == Kind::DepthNotANumber;
}

// Appends `text` with its {Field} names replaced by the problem's fields;
// {Size}, {Cause} and {Detail} are the phrases worded for it. Field texts go in as
// they are and are not scanned again (FillTemplate), so the work is linear in
// the output. A name that is no field stays as written.
void Fill(std::string& out, std::string_view text, const RLasProblem& problem, std::string_view size,
          std::string_view cause, std::string_view detail)
{
    const std::string count = std::to_string(problem.Count), expected = std::to_string(problem.Expected),
                      row = std::to_string(problem.Row);
    out += FillTemplate(text, {{"Path", problem.Path},
                               {"Line", problem.Line},
                               {"Name", problem.Name},
                               {"Header", problem.Header},
                               {"Found", problem.Found},
                               {"Detail", detail},
                               {"Count", count},
                               {"Expected", expected},
                               {"Row", row},
                               {"Size", size},
                               {"Cause", cause}});
}

}  // namespace

std::string ProblemText(const RLasProblem& problem, RLasLanguage language)
{
    const auto index = static_cast<std::size_t>(problem.Kind);
    if (index >= kLasProblemKindCount)
        return {};
    const LanguageTable& table = language == RLasLanguage::Russian ? kRussian : kEnglish;
    std::string size;
    if (problem.Kind == Kind::TooManySamples || problem.Kind == Kind::TooManySamplesForMemory)
        Fill(size, problem.Found.empty() ? table.samplesBeyond : table.samplesTake, problem, {}, {}, problem.Detail);
    const std::string cause = problem.Cause ? FaultText(*problem.Cause, language) : problem.Detail;
    const auto fileType = static_cast<std::size_t>(problem.FileType);
    const std::string_view detail = problem.FileType != RLasFileType::Regular && fileType < table.fileTypes.size()
                                        ? table.fileTypes[fileType]
                                        : std::string_view(problem.Detail);
    std::string text;
    Fill(text, table.kinds[index].text, problem, size, cause, detail);
    if (CountsLikeLines(problem.Kind) && problem.Count > 1)
        Fill(text, table.suchRows, problem, {}, {}, problem.Detail);
    // The system's reason after the text the writer has always given.
    if (problem.Kind == Kind::CannotOpenForWriting && problem.Cause && problem.Cause->SystemError != 0)
        text += ": " + SystemErrorText(problem.Cause->SystemError, language);
    return text;
}

void Report(RLasProblem problem)
{
    if (RLogSink* sink = Logging::CurrentSink())
        sink->Problem(problem);
}

namespace {

// How a quote cut short ends: program text after the file's bytes.
constexpr std::string_view kCutMark = "... (";
constexpr std::string_view kCutEnd = " байт)";
constexpr std::size_t kQuoted = 200;

// A quote in UTF-8: the file's bytes through `decode`, the ending of a cut
// quote kept as it is. A whole quote is at most kQuoted bytes long, so a
// longer one is cut, its mark the last one in it.
std::string DecodeQuote(const std::string& quoted, const std::function<std::string(std::string_view)>& decode)
{
    if (quoted.size() > kQuoted && quoted.ends_with(kCutEnd)) {
        const std::size_t mark = quoted.rfind(kCutMark);
        if (mark != std::string::npos)
            return decode(std::string_view(quoted).substr(0, mark)) + quoted.substr(mark);
    }
    return decode(quoted);
}

// Control characters that a terminal would act on: C0 (line breaks and
// tabs too, which would break a message's layout) and DEL.
bool IsControlByte(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

}  // namespace

std::string QuoteForMessage(std::string_view bytes)
{
    // Bytes are put in raw, in the file's own encoding; DecodeQuotes reads
    // them for showing once the encoding is known. Control bytes become
    // \xNN (two lowercase hex digits, "\x1b" for ESC), so that a file can
    // neither retitle nor clear a terminal through a message; being ASCII,
    // the escapes read the same in every encoding a file may have. The
    // quote, escapes counted, takes at most kQuoted bytes before the mark.
    std::string quote;
    std::size_t taken = 0;
    for (; taken < bytes.size(); ++taken) {
        const auto byte = static_cast<unsigned char>(bytes[taken]);
        const bool control = IsControlByte(byte);
        if (quote.size() + (control ? 4 : 1) > kQuoted)
            break;
        if (control) {
            constexpr char kHex[] = "0123456789abcdef";
            quote += "\\x";
            quote += kHex[byte >> 4];
            quote += kHex[byte & 0xF];
        } else {
            quote += static_cast<char>(byte);
        }
    }
    if (taken == bytes.size())
        return quote;
    return quote + std::string(kCutMark) + std::to_string(bytes.size()) + std::string(kCutEnd);
}

void DecodeQuotes(RLasProblem& problem, const std::function<std::string(std::string_view)>& decode)
{
    problem.Line = DecodeQuote(problem.Line, decode);
    problem.Name = DecodeQuote(problem.Name, decode);
}
