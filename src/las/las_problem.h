#pragma once
// LAS problems as data: what went wrong (a kind) and the facts that go with
// it (fields), worded only when someone shows it, in the language asked for.
// The LAS code raises every problem through Report, which hands it to the
// thread's sink (see logging.h); a sink that only takes texts receives the
// Russian wording.
//
//     RLasProblem problem{.Kind = RLasProblemKind::MissingWellItem, .Name = "STRT"};
//     Report(std::move(problem));
//     ProblemText(problem, RLasLanguage::English);  // "Item STRT not found in the Well section"
//
// Each kind's comment names the fields its wording uses; the others stay
// empty or zero. Every field has a default, so designated initialisers may
// name only the ones a kind uses.

#include "container/file_error.h"
#include "container/language.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

enum class RLasProblemKind {
    // Opening and reading the file.
    FileNotFound,      // Path
    FileUnreadable,    // Path
    NoSections,        // Path: no tilde line at all
    NoHeader,          // Path: the first section is ~A
    NoDataSection,     // Path: no ~A after the header sections
    HeaderUnreadable,  // the header sections were there but did not parse
    LineCut,           // Path: a line beyond the reader's longest was cut
    ReadCancelled,     // Path: the load was asked to stop
    FileChanged,       // Path: the file changed while it was read
    NotARegularFile,   // Path; FileType: what it is instead (else Detail: "сокет")
    IsAFolder,         // Path
    Utf16Read,         // Path; Detail: the encoding ("UTF-16LE"). A notice, not a failure.
    SavedAsUtf8,       // Path: a file read from UTF-16 was written back in UTF-8

    // Refusals before the data are read. Sizes are in whole megabytes,
    // rounded up, written as decimal text.
    TooManyCurves,  // Path; Count: curves in ~C; Expected: the most a load takes
    // Path; Count: samples STRT, STOP and STEP declare; Expected: curves;
    // Found: megabytes those samples take; Detail: megabytes allowed. When
    // the header declares more samples than the reader can count, Count is
    // that largest count and Found stays empty.
    TooManySamples,           // the ceiling is the load's own
    TooManySamplesForMemory,  // the ceiling is half the computer's memory

    // Header sections.
    BadNumber,           // Name: the Well item whose value is not a number
    MissingWellItem,     // Name: the Well item that is not there
    NoCurves,            // the Curve section has no line
    OnlyIndexColumn,     // Path: the data hold the depth and no curve
    NoDepthCurve,        // no depth mnemonic in ~C; the first curve is the depth
    NoDot,               // Line: a header line without the dot after the mnemonic
    NoColon,             // Line
    NoSpaceBeforeColon,  // Line

    // The data section. Rows are 1-based, counted over the data lines.
    TooFewValues,        // Line; Count: lines like it (a suffix when above 1)
    TooManyValues,       // Line; Count: as above
    DataLineUnreadable,  // Line: a wrapped line that did not scan
    TooManyRows,         // more rows than the header declares
    DepthNotANumber,     // Line; Count: as above
    TextNulls,           // Count: values that are not numbers; Line: the first; Row: its row

    // Header values against the depths the data hold.
    StrtDisagrees,            // Header: STRT as written; Found: the first depth
    StopDisagrees,            // Header: STOP as written; Found: the last depth
    StepDisagrees,            // Header: STEP as written; Found: the data's step
    StepZeroOverRegularData,  // Found: the data's step
    IrregularDepths,          // Header: STEP as written
    RowCountDisagrees,        // Expected: rows the header declares; Count: rows in the data
    DepthsGoBack,             // Row: the first row whose depth goes back

    // Writing.
    NoHeaderToWrite,
    NoDataToWrite,
    ZeroStepToWrite,
    DataDisagreesWithHeader,  // the columns do not match the ~C lines or the sample count
    CannotOpenForWriting,     // Path; Cause: why the file could not be created, its system reason appended
    WriteFailed,              // Cause: the storage error, shown alone (Detail: its Russian text)

    // settings.dat, the curve views and formulas kept beside the files.
    SettingsUnreadable,  // Path; Cause: the read error that stopped the load (Detail: its Russian text)
    NotASettingsFile,    // Path: a file without the container signature
};

// Kinds run from 0 to kLasProblemKindCount - 1.
inline constexpr std::size_t kLasProblemKindCount = static_cast<std::size_t>(RLasProblemKind::NotASettingsFile) + 1;

// What stands at a path that is opened as a file. A LAS file or settings
// file must be Regular; reading anything else could wait for ever (a FIFO
// without a writer) or never end (a device).
enum class RLasFileType : std::uint8_t { Regular, Folder, Fifo, Socket, CharacterDevice, BlockDevice, Other };

struct RLasProblem {
    RLasProblemKind Kind;
    std::string Path{};    // the file
    std::string Line{};    // a quoted line or token: QuoteForMessage of the file's bytes
    std::string Name{};    // a mnemonic / section / item name where the kind has one
    std::string Header{};  // a header value as written ("8150")
    std::string Found{};   // what the data say ("8440")
    std::int64_t Count = 0, Expected = 0, Row = 0;  // counts and 1-based data row numbers
    std::string Detail{};  // free text the kind carries (an OS error text, a size)
    // The file error behind the problem, worded in the problem's language
    // where the kind shows it; without one Detail is shown in its place.
    std::optional<RFileFault> Cause{};
    // NotARegularFile: what the path is, worded in the problem's language;
    // Regular leaves Detail shown in its place.
    RLasFileType FileType = RLasFileType::Regular;
};

// The program's language (container/language.h), as its settings store it.
using RLasLanguage = RLanguage;

// The problem worded in `language` (UTF-8; the quoted file bytes are put in
// as they are, in whatever encoding the file has). Field texts are inserted
// verbatim: braces in a quoted line stay braces. Empty for a kind outside
// the enumeration; an unknown language words in English.
std::string ProblemText(const RLasProblem& problem, RLasLanguage language);

// Raises a problem: hands it to the current thread's sink (its RLogScope,
// else the process-wide sink); dropped when there is none.
void Report(RLasProblem problem);

// File bytes as messages quote them: control bytes written as \xNN (ESC as
// \x1b), whole up to 200 bytes so written, otherwise the first 200 and the
// length, so that a megabyte of binary junk does not end up in a message.
// Every quoted line or token passes through here.
std::string QuoteForMessage(std::string_view bytes);

// The quoted file text of a problem (Line, Name) as UTF-8 through `decode`
// (a data set's DecodeText), the ending of a quote cut short kept as it is.
void DecodeQuotes(RLasProblem& problem, const std::function<std::string(std::string_view)>& decode);
