#pragma once
// The scan of one piece of a data section (or of the whole section) into
// DataTargets: the depth of each row into the index, its values into the
// curves. Nothing in a line stops a load: a row whose depth is not a
// number is skipped, a value that is not a number is a null, a short row
// is filled with nulls, a long one cut; each of these is counted with the
// first one met, so the load reports it once per file.
//
//     PieceScanner scanner(reader, targets, layout, progress, rowLimit, rowCeiling);
//     PieceScan scan = scanner.Scan(start);
//
// Lines whose first non-blank byte is '#' are comments and blank lines are
// skipped, wherever they stand (unwrapped, they leave a hole in the rows). A line beginning with '~' ends the data
// section: the rest of the file is further sections.

#include "las/las_data_targets.h"
#include "las/las_line_reader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct RLasLoadProgress;

// How the data lines are laid out.
struct DataLayout {
    bool wrap = false;
    char delimiter = ' ';  // ' ': runs of blanks and tabs; otherwise ',' or '\t'
};

// What kind of line a data-section line is.
enum class DataLineKind { Skipped, Section, Row };
DataLineKind KindOfDataLine(std::string_view line);

// A kind of problem rows can have, counted, with the first one met.
struct RowIssue {
    std::uint64_t Count = 0;
    std::uint64_t FirstRow = 0;  // 1-based
    std::string First;           // that row's line or token, quoted

    void Add(std::uint64_t row, std::string_view text);
    void AddLater(const RowIssue& later);
};

struct DataIssues {
    RowIssue ShortRows, LongRows, BadDepths, TextNulls;

    void AddLater(const DataIssues& later);
};

// Where a piece's lines go: the row of its first sample and, wrapped, how
// many of that row's values earlier pieces hold (-1: the piece starts with
// the row's depth line).
struct PieceStart {
    std::size_t row = 0;
    long count = -1;

    bool operator==(const PieceStart&) const = default;
};

// How a piece's scan ended and what it met on the way. Overrun: the piece
// reached a row it may not store (its start was guessed wrong, or the
// storage is full). Section: a tilde line ended the data section. TooBig:
// growing the storage would pass the memory ceiling.
struct PieceScan {
    enum class End { Complete, Section, Overrun, Cancelled, TooBig };
    End end = End::Complete;
    PieceStart next;               // where the following lines would go
    std::uint64_t sectionAt = 0;   // End::Section: the tilde line's offset
    std::vector<ValueRange> ranges;
    std::vector<ColumnForm> forms;  // the index's, then each curve's
    DataIssues issues;
    bool linesCut = false;
    bool readFailed = false;
    bool fileChanged = false;  // the file ended before its size at Open
};

class PieceScanner {
public:
    // The piece stores no row from `rowLimit` on. Storage that is full
    // grows, up to `rowCeiling` rows, when the piece is the only one
    // (rowLimit SIZE_MAX); otherwise the scan ends Overrun.
    PieceScanner(RLasLineReader& reader, DataTargets& targets, const DataLayout& layout, RLasLoadProgress* progress,
                 std::size_t rowLimit, std::size_t rowCeiling);

    PieceScan Scan(PieceStart start);

private:
    PieceScan::End ScanUnwrapped(PieceScan& scan);
    PieceScan::End ScanWrapped(PieceScan& scan);
    // Room for row `row`; false (with the end in `end`) when there is none.
    bool MakeRoom(std::size_t row, PieceScan::End& end);
    // The values of `tokens` into the row buffer from `filled` on, until
    // the row is full or the line ends; text tokens are nulls.
    void ReadValues(RLasTokenScanner& tokens, std::size_t& filled, PieceScan& scan, std::size_t row);
    bool TimeToReport() { return progress_ && ++linesSinceReport_ == 4096; }
    // Adds the bytes read since the last report to the progress; true when
    // the load is asked to stop.
    bool ReportProgress();

    RLasLineReader& reader_;
    DataTargets& targets_;
    const DataLayout& layout_;
    RLasLoadProgress* const progress_;
    const std::size_t rowLimit_;
    const std::size_t rowCeiling_;
    std::uint64_t reported_;  // the offset the progress has counted up to
    unsigned linesSinceReport_ = 0;
    std::vector<double> values_;
    std::vector<ValueRange> scratch_;  // ranges of rows that are skipped
};
