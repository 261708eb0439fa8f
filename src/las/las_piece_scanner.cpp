#include "las/las_piece_scanner.h"

#include "las/las_data.h"
#include "las/las_problem.h"

#include <algorithm>

DataLineKind KindOfDataLine(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && static_cast<unsigned char>(line[i]) <= 0x20)
        ++i;
    if (i == line.size() || line[i] == '#')
        return DataLineKind::Skipped;
    // A section starts at the line's first byte, as header sections do.
    return i == 0 && line[0] == '~' ? DataLineKind::Section : DataLineKind::Row;
}

void RowIssue::Add(std::uint64_t row, std::string_view text)
{
    if (Count++ == 0) {
        FirstRow = row;
        First = QuoteForMessage(text);
    }
}

void RowIssue::AddLater(const RowIssue& later)
{
    if (Count == 0 && later.Count > 0) {
        FirstRow = later.FirstRow;
        First = later.First;
    }
    Count += later.Count;
}

void DataIssues::AddLater(const DataIssues& later)
{
    ShortRows.AddLater(later.ShortRows);
    LongRows.AddLater(later.LongRows);
    BadDepths.AddLater(later.BadDepths);
    TextNulls.AddLater(later.TextNulls);
}

PieceScanner::PieceScanner(RLasLineReader& reader, DataTargets& targets, const DataLayout& layout,
                           RLasLoadProgress* progress, std::size_t rowLimit, std::size_t rowCeiling)
    : reader_(reader), targets_(targets), layout_(layout), progress_(progress), rowLimit_(rowLimit),
      rowCeiling_(rowCeiling), reported_(reader.Offset()), values_(targets.ValueCount()),
      scratch_(targets.ValueCount())
{
}

PieceScan PieceScanner::Scan(PieceStart start)
{
    PieceScan scan;
    scan.ranges.resize(targets_.ValueCount());
    scan.forms.resize(targets_.ValueCount() + 1);
    scan.next = start;
    scan.end = layout_.wrap ? ScanWrapped(scan) : ScanUnwrapped(scan);
    ReportProgress();
    scan.linesCut = reader_.LinesCut();
    scan.readFailed = reader_.Failed();
    scan.fileChanged = reader_.Changed();
    return scan;
}

bool PieceScanner::MakeRoom(std::size_t row, PieceScan::End& end)
{
    if (row >= rowLimit_) {
        end = PieceScan::End::Overrun;
        return false;
    }
    if (row < targets_.Rows())
        return true;
    if (rowLimit_ != SIZE_MAX) {
        end = PieceScan::End::Overrun;
        return false;
    }
    if (row >= rowCeiling_) {
        end = PieceScan::End::TooBig;
        return false;
    }
    targets_.Grow(std::min(rowCeiling_, std::max<std::size_t>(1024, row + row / 2 + 1)));
    return true;
}

void PieceScanner::ReadValues(RLasTokenScanner& tokens, std::size_t& filled, PieceScan& scan, std::size_t row)
{
    // Locals, not members: the stores below then need no reloads of them.
    const double null = targets_.NullValue();
    double* const values = values_.data();
    ColumnForm* const forms = scan.forms.data() + 1;  // [0] is the index's
    const std::size_t count = values_.size();
    RLasToken token;
    for (; filled < count && tokens.Next(token); ++filled) {
        if (token.IsNumber) {
            values[filled] = token.Value;
            forms[filled].Add(token);
        } else {
            values[filled] = null;
            scan.issues.TextNulls.Add(row + 1, token.Text);
        }
    }
}

PieceScan::End PieceScanner::ScanUnwrapped(PieceScan& scan)
{
    std::size_t& row = scan.next.row;
    const double null = targets_.NullValue();
    const std::size_t valueCount = values_.size();
    std::string_view line;
    for (std::uint64_t lineStart = reader_.Offset(); reader_.ReadLine(line); lineStart = reader_.Offset()) {
        if (TimeToReport() && ReportProgress())
            return PieceScan::End::Cancelled;
        const DataLineKind kind = KindOfDataLine(line);
        if (kind == DataLineKind::Section) {
            scan.sectionAt = lineStart;
            return PieceScan::End::Section;
        }
        // Every line has its row (pieces start at the rows their line
        // feeds give); a blank or comment line leaves it a hole.
        PieceScan::End end{};
        if (!MakeRoom(row, end))
            return end;
        if (kind == DataLineKind::Skipped) {
            targets_.MarkHole(row++);
            continue;
        }
        RLasTokenScanner tokens(line, layout_.delimiter);
        RLasToken depth;
        tokens.Next(depth);
        if (!depth.IsNumber || !std::isfinite(depth.Value)) {
            scan.issues.BadDepths.Add(row + 1, line);
            targets_.MarkHole(row++);
            continue;
        }
        scan.forms[0].Add(depth);
        std::size_t filled = 0;
        ReadValues(tokens, filled, scan, row);
        if (filled < valueCount) {
            std::fill(values_.begin() + static_cast<std::ptrdiff_t>(filled), values_.end(), null);
            scan.issues.ShortRows.Add(row + 1, line);
        } else if (RLasToken extra; tokens.Next(extra)) {
            scan.issues.LongRows.Add(row + 1, line);
        }
        targets_.StoreDepth(row, depth.Value);
        targets_.Store(row++, values_.data(), 0, valueCount, scan.ranges);
    }
    return PieceScan::End::Complete;
}

PieceScan::End PieceScanner::ScanWrapped(PieceScan& scan)
{
    std::size_t& row = scan.next.row;
    long& count = scan.next.count;
    const std::size_t valueCount = values_.size();
    bool hole = false;  // the current row's depth is no number
    std::string_view line;
    for (std::uint64_t lineStart = reader_.Offset(); reader_.ReadLine(line); lineStart = reader_.Offset()) {
        if (TimeToReport() && ReportProgress())
            return PieceScan::End::Cancelled;
        const DataLineKind kind = KindOfDataLine(line);
        if (kind == DataLineKind::Skipped)
            continue;
        if (kind == DataLineKind::Section) {
            scan.sectionAt = lineStart;
            return PieceScan::End::Section;
        }
        RLasTokenScanner tokens(line, layout_.delimiter);
        if (count < 0) {
            PieceScan::End end{};
            if (!MakeRoom(row, end))
                return end;
            RLasToken depth;
            tokens.Next(depth);
            hole = !depth.IsNumber || !std::isfinite(depth.Value);
            if (hole) {
                scan.issues.BadDepths.Add(row + 1, line);
                targets_.MarkHole(row);
            } else {
                scan.forms[0].Add(depth);
                targets_.StoreDepth(row, depth.Value);
            }
            count = 0;
        }
        const auto from = static_cast<std::size_t>(count);
        std::size_t filled = from;
        ReadValues(tokens, filled, scan, row);
        // Pieces start at depth lines, so MakeRoom has let the row through;
        // the guard keeps a start inside a row safe too.
        if (row < targets_.Rows() && row < rowLimit_)
            targets_.Store(row, values_.data(), from, filled, hole ? scratch_ : scan.ranges);
        count = static_cast<long>(filled);
        if (filled == valueCount) {
            if (RLasToken extra; tokens.Next(extra))
                scan.issues.LongRows.Add(row + 1, line);
            ++row;
            count = -1;
        }
    }
    return PieceScan::End::Complete;
}

bool PieceScanner::ReportProgress()
{
    linesSinceReport_ = 0;
    if (!progress_)
        return false;
    const std::uint64_t offset = reader_.Offset();
    progress_->BytesRead.fetch_add(offset - reported_, std::memory_order_relaxed);
    reported_ = offset;
    return progress_->Cancel.load(std::memory_order_relaxed);
}
