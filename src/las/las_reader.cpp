// Reading a LAS file into the data set: the header sections up to ~A, the
// sample count from ~W, then the data lines straight into the samples of
// the curves (and the columns of depth entries). A big data section is cut
// into pieces at line ends and scanned by one thread a piece.

#include "las/las_data.h"

#include "las/las_line_reader.h"
#include "las/las_scanner.h"
#include "las/logging.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <sys/stat.h>
#include <thread>

namespace {

bool FileExists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

// Reads the next line trimmed of blanks; false at the end of the file.
bool ReadTrimmed(RLasLineReader& reader, std::string& line)
{
    std::string_view raw;
    if (!reader.ReadLine(raw)) {
        line.clear();
        return false;
    }
    line.assign(TrimBlanks(raw));
    return true;
}

bool IsBlank(std::string_view line) { return TrimBlanks(line).empty(); }

char SecondChar(const std::string& line) { return line.size() > 1 ? line[1] : '\0'; }

// Reports, however the load ends, that a reader cut an overlong line.
class CutReport {
public:
    CutReport(const RLasLineReader& reader, const bool& piecesCut, const std::string& path)
        : reader_(reader), piecesCut_(piecesCut), path_(path)
    {
    }
    CutReport(const CutReport&) = delete;
    CutReport& operator=(const CutReport&) = delete;
    ~CutReport()
    {
        if (!reader_.LinesCut() && !piecesCut_)
            return;
        try {
            LogMessage("Слишком длинная строка в файле " + path_ + " обрезана");
        } catch (...) {
            // A sink that fails must not end the program from a destructor.
        }
    }

private:
    const RLasLineReader& reader_;
    const bool& piecesCut_;
    const std::string& path_;
};

bool OpenFile(RLasLineReader& reader, const std::string& path)
{
    if (!FileExists(path)) {
        LogMessage("Файл " + path + " не найден");
        return false;
    }
    if (!reader.Open(path)) {
        LogMessage("Не удается прочитать файл " + path);
        return false;
    }
    return true;
}

// Skips to the first tilde line, left in `line`; it must not be ~A.
bool SeekFirstSection(RLasLineReader& reader, const std::string& path, std::string& line)
{
    bool found = false;
    while (ReadTrimmed(reader, line)) {
        if (!line.empty() && line[0] == '~') {
            found = true;
            break;
        }
    }
    if (!found) {
        LogMessage("Файл " + path + " не содержит ни одной секции");
        return false;
    }
    if (SecondChar(line) == 'A') {
        LogMessage("Файл " + path + " не содержит заголовка");
        return false;
    }
    return true;
}

// Collects the header sections from `line` (a tilde line) up to ~A and
// parses them.
bool ReadHeaderSections(RLasLineReader& reader, const std::string& path, std::string& line, TLasHeaderNew& header)
{
    while (!reader.AtEnd() && SecondChar(line) != 'A') {
        header.BeginSection(line);
        ReadTrimmed(reader, line);
        while (!reader.AtEnd() && (line.empty() || line[0] != '~')) {
            header.AddLine(line);
            ReadTrimmed(reader, line);
        }
    }
    if (reader.AtEnd()) {
        LogMessage("Файл " + path + " не содержит секции данных");
        return false;
    }
    if (!header.ReadHeader()) {
        LogMessage("Не удалось прочитать заголовок файла");
        return false;
    }
    return true;
}

std::string Megabytes(std::uint64_t bytes) { return std::to_string((bytes + (1 << 20) - 1) >> 20); }

// The sample count from STRT, STOP and STEP (0 when STEP is 0), refused
// when the ~C list or the data it declares is too big to hold.
bool CountSamples(const TLasHeaderNew& header, const std::string& path, const RLasLoadOptions& options,
                  std::size_t& sampleCount)
{
    sampleCount = 0;
    const std::size_t columnCount = header.Curves().Lines.size();
    if (columnCount > RLasData::kMaxColumns) {
        LogMessage("Слишком много кривых в файле " + path + ": " + std::to_string(columnCount) + ", допустимо не более "
                   + std::to_string(RLasData::kMaxColumns));
        return false;
    }
    const TLasWellSection& well = header.Well();
    if (well.Step == 0.0)
        return true;
    const std::int64_t count = RLasData::SampleCountFor(well.Strt, well.Stop, well.Step);
    const std::uint64_t bytes = RLasData::DataBytesFor(count, std::max<std::size_t>(columnCount, 1));
    const std::uint64_t maxBytes = options.MaxDataBytes ? options.MaxDataBytes : RLasData::MaxDataBytes();
    if (count < 0 || bytes > maxBytes) {
        const std::string size = count < 0 ? "больше " + std::to_string(RLasData::kMaxSamples) + " отсчётов"
                                           : std::to_string(count) + " отсчётов по " + std::to_string(columnCount)
                                                 + " кривым займут " + Megabytes(bytes) + " МБ";
        LogMessage("Слишком много отсчётов в файле " + path + ": " + size + " при допустимых " + Megabytes(maxBytes)
                   + (options.MaxDataBytes ? " МБ" : " МБ (половина памяти компьютера)")
                   + "; проверьте STRT, STOP и STEP в секции Well");
        return false;
    }
    sampleCount = static_cast<std::size_t>(count);
    return true;
}

// Lowest and highest value of a curve over samples that are neither null
// nor infinite; empty (Low > High) until one is added.
struct ValueRange {
    double Low = std::numeric_limits<double>::infinity();
    double High = -std::numeric_limits<double>::infinity();

    void Add(double value)
    {
        if (!std::isfinite(value))
            return;
        // Only a strictly lower (higher) value replaces: the first of equal
        // ones stays, as a scan over the whole curve keeps it.
        Low = value < Low ? value : Low;
        High = value > High ? value : High;
    }
    // Adds the range of samples that come after this one's.
    void AddLater(const ValueRange& later)
    {
        Low = later.Low < Low ? later.Low : Low;
        High = later.High > High ? later.High : High;
    }
};

// Where the values of data lines go: for each ~C entry the samples of its
// curve, flagged null as they are stored, or, for a depth entry, its
// column. Everything starts as NULL, so rows the file leaves out are null.
// Pieces scanned in parallel store disjoint rows (or disjoint entries of a
// row that two pieces share).
class DataTargets {
public:
    DataTargets(const TLasHeaderNew& header, std::size_t sampleCount)
        : null_(header.Well().NullValue), sampleCount_(sampleCount)
    {
        const TLasWellSection& well = header.Well();
        const std::vector<RLasSectionLine>& lines = header.Curves().Lines;
        entries_.resize(lines.size());
        for (std::size_t k = 0; k < lines.size(); ++k) {
            if (RLasData::IsDepthName(lines[k].Mnem))
                continue;
            auto curve = std::make_unique<RLasCurve>();
            curve->Mnemonic = lines[k].Mnem.substr(0, RLasCurve::kMaxMnemonicLength);
            curve->Unit = lines[k].Unit;
            curve->FirstDepth = well.Strt;
            curve->LastDepth = well.Stop;
            curve->Data.Step = well.Step;
            curve->NullValue = well.NullValue;
            curve->FromFile = true;
            entries_[k].curve = std::move(curve);
        }
        ranges_.resize(entries_.size());
    }

    // Allocates part `part` of `parts` of the entries' storage, filled with
    // NULL. The parts can be done in parallel; writing fresh memory (the
    // page faults) costs about as much as scanning a third of the file.
    void Allocate(std::size_t part, std::size_t parts)
    {
        const RLasSample nullSample{null_, null_ == null_ ? kSampleNull : std::uint8_t(0)};
        for (std::size_t k = entries_.size() * part / parts; k < entries_.size() * (part + 1) / parts; ++k) {
            Entry& entry = entries_[k];
            if (entry.curve) {
                entry.curve->Data.Samples.assign(sampleCount_, nullSample);
                entry.samples = entry.curve->Data.Samples.data();
            } else {
                entry.column.assign(sampleCount_, null_);
            }
        }
    }

    std::size_t Count() const { return entries_.size(); }
    std::size_t SampleCount() const { return sampleCount_; }

    // Entries [from, to) of row `row` (< SampleCount()) from values[from, to).
    void Store(std::size_t row, const double* values, std::size_t from, std::size_t to,
               std::vector<ValueRange>& ranges)
    {
        for (std::size_t k = from; k < to; ++k) {
            const double value = values[k];
            if (RLasSample* const samples = entries_[k].samples) {
                const bool null = value == null_;
                samples[row] = RLasSample{value, null ? kSampleNull : std::uint8_t(0)};
                if (!null)
                    ranges[k].Add(value);
            } else {
                entries_[k].column[row] = value;
            }
        }
    }

    // Widens the curves' ranges by those of samples stored after the ones
    // added so far.
    void AddRanges(const std::vector<ValueRange>& later)
    {
        for (std::size_t k = 0; k < ranges_.size(); ++k)
            ranges_[k].AddLater(later[k]);
    }

    // Row `row` back to NULL: a sample the file leaves unfinished.
    void DropRow(std::size_t row)
    {
        if (row >= sampleCount_)
            return;
        std::vector<double> nulls(entries_.size(), null_);
        std::vector<ValueRange> unused(entries_.size());
        Store(row, nulls.data(), 0, nulls.size(), unused);
        rangesStale_ = true;  // they hold the dropped values
    }

    // Hands the curves (with their ranges) and the columns over.
    void MoveInto(std::vector<std::unique_ptr<RLasCurve>>& curves, std::vector<RLasColumn>& columns)
    {
        curves.clear();
        columns.clear();
        columns.reserve(entries_.size());
        for (std::size_t k = 0; k < entries_.size(); ++k) {
            Entry& entry = entries_[k];
            if (!entry.curve) {
                columns.emplace_back(std::move(entry.column));
                continue;
            }
            const bool any = ranges_[k].Low <= ranges_[k].High;
            if (rangesStale_)
                entry.curve->UpdateRange();
            else
                entry.curve->SetRange(any ? ranges_[k].Low : 0.0, any ? ranges_[k].High : 0.0);
            columns.push_back(RLasColumn::ReadingCurve(*entry.curve));
            curves.push_back(std::move(entry.curve));
        }
        entries_.clear();
    }

private:
    struct Entry {
        std::unique_ptr<RLasCurve> curve;  // none for a depth entry
        RLasSample* samples = nullptr;     // the curve's
        TDoubleArray column;               // a depth entry's
    };

    double null_;
    std::size_t sampleCount_;
    std::vector<Entry> entries_;
    std::vector<ValueRange> ranges_;
    bool rangesStale_ = false;
};

// How the data lines are laid out.
struct DataLayout {
    bool wrap = false;
    std::size_t depthPosition = 0;  // unwrapped: the depth's place on the line
};

// Where a piece's lines go: the row of its first sample and, wrapped, how
// many of that row's values earlier pieces hold (-1: the piece starts with
// the row's depth line).
struct PieceStart {
    std::size_t row = 0;
    long count = -1;

    bool operator==(const PieceStart&) const = default;
};

// The scan of one piece of the data section: where it stopped and why, and
// what it met on the way. The first piece in file order that did not end
// Complete decides the load; later pieces are ignored. Overrun: the piece
// reached a row past those it may store (its start was guessed wrong).
// Cancelled: the load was asked to stop.
struct PieceScan {
    enum class End { Complete, Failed, Excess, Overrun, Cancelled };
    End end = End::Complete;
    std::string message;  // why it Failed
    PieceStart next;      // where the following lines would go
    std::vector<ValueRange> ranges;
    bool linesCut = false;
    bool readFailed = false;
};

// Scans the lines `reader` hands out into `targets`. Rows at or past the
// sample count are never stored: a sample line there is Excess.
class PieceScanner {
public:
    // A wrapped piece stores no sample from row `rowLimit` on.
    PieceScanner(RLasLineReader& reader, DataTargets& targets, const DataLayout& layout, RLasLoadProgress* progress,
                 std::size_t rowLimit = SIZE_MAX)
        : reader_(reader), targets_(targets), layout_(layout), progress_(progress), rowLimit_(rowLimit),
          reported_(reader.Offset()), values_(targets.Count())
    {
    }

    PieceScan Scan(PieceStart start)
    {
        PieceScan scan;
        scan.ranges.resize(targets_.Count());
        scan.next = start;
        scan.end = layout_.wrap ? ScanWrapped(scan) : ScanUnwrapped(scan);
        ReportProgress();
        scan.linesCut = reader_.LinesCut();
        scan.readFailed = reader_.Failed();
        return scan;
    }

private:
    // One line a sample: the depth and every value.
    PieceScan::End ScanUnwrapped(PieceScan& scan)
    {
        std::size_t& row = scan.next.row;
        std::string_view line;
        while (reader_.ReadLine(line)) {
            if (TimeToReport() && ReportProgress())
                return PieceScan::End::Cancelled;
            // A blank line is no sample; storing it would repeat the last one.
            if (IsBlank(line))
                continue;
            if (row >= targets_.SampleCount())
                return PieceScan::End::Excess;
            const RDataLineResult result = ScanDataLineQuietly(line, values_, layout_.depthPosition);
            if (result != RDataLineResult::Ok)
                return Fail(scan, DataLineMessage(result, line));
            targets_.Store(row++, values_.data(), 0, values_.size(), scan.ranges);
        }
        return PieceScan::End::Complete;
    }

    // A depth line (values may follow the depth on it), then further lines
    // until the sample has all its values; blank lines are skipped.
    PieceScan::End ScanWrapped(PieceScan& scan)
    {
        std::size_t& row = scan.next.row;
        long& count = scan.next.count;
        const std::size_t curveCount = values_.size();
        std::string_view line;
        while (reader_.ReadLine(line)) {
            if (TimeToReport() && ReportProgress())
                return PieceScan::End::Cancelled;
            if (IsBlank(line))
                continue;
            std::string_view rest = line;
            if (count < 0) {
                if (row >= rowLimit_)
                    return PieceScan::End::Overrun;
                if (row >= targets_.SampleCount())
                    return PieceScan::End::Excess;
                // The depth itself is not used.
                std::size_t pos = 0;
                double depth = 0.0;
                ScanNextNumber(line, pos, depth);
                rest.remove_prefix(pos);
                count = 0;
            }
            const auto from = static_cast<std::size_t>(count);
            std::size_t filled = from;
            if (!ScanContinuationLine(rest, values_, filled))
                return Fail(scan, "Ошибка разбора строки " + QuoteDataLine(line) + " в секции Data");
            // Pieces start at depth lines, so the check above has let the
            // row through; the guard keeps a start inside a row safe too.
            if (row < targets_.SampleCount())
                targets_.Store(row, values_.data(), from, filled, scan.ranges);
            count = static_cast<long>(filled);
            if (filled == curveCount) {
                ++row;
                count = -1;
            }
        }
        return PieceScan::End::Complete;
    }

    // Progress is reported every few thousand lines.
    bool TimeToReport() { return progress_ && ++linesSinceReport_ == 4096; }

    // Adds the bytes read since the last report to the progress; true when
    // the load is asked to stop.
    bool ReportProgress()
    {
        linesSinceReport_ = 0;
        if (!progress_)
            return false;
        const std::uint64_t offset = reader_.Offset();
        progress_->BytesRead.fetch_add(offset - reported_, std::memory_order_relaxed);
        reported_ = offset;
        return progress_->Cancel.load(std::memory_order_relaxed);
    }

    static PieceScan::End Fail(PieceScan& scan, std::string message)
    {
        scan.message = std::move(message);
        return PieceScan::End::Failed;
    }

    RLasLineReader& reader_;
    DataTargets& targets_;
    const DataLayout& layout_;
    RLasLoadProgress* const progress_;
    const std::size_t rowLimit_;
    std::uint64_t reported_;  // the offset the progress has counted up to
    unsigned linesSinceReport_ = 0;
    std::vector<double> values_;
};

// Sample lines in an unwrapped piece, counted ahead of the scan.
std::uint64_t CountSampleLines(RLasLineReader& reader)
{
    std::uint64_t count = 0;
    std::string_view line;
    while (reader.ReadLine(line))
        count += IsBlank(line) ? 0 : 1;
    return count;
}

// How a wrapped data section lies, read off its first sample: the lines
// before it and the lines it takes (its depth line, then value lines until
// it has every value). None when the first sample does not end soon.
struct WrappedShape {
    std::uint64_t leading = 0;
    std::uint64_t linesPerSample = 0;
};

WrappedShape FirstSampleShape(RLasLineReader& reader, std::size_t curveCount)
{
    constexpr std::uint64_t kMaxLines = 4096;
    WrappedShape shape;
    std::uint64_t lines = 0;  // from the depth line on
    std::size_t values = 0;
    std::string_view line;
    while (shape.leading + lines < kMaxLines && reader.ReadLine(line)) {
        if (lines == 0 && IsBlank(line)) {
            ++shape.leading;
            continue;
        }
        const std::size_t numbers = CountNumbers(line);
        // The depth line's first number is the depth.
        values += lines == 0 && numbers > 0 ? numbers - 1 : numbers;
        ++lines;
        if (values >= curveCount) {
            shape.linesPerSample = lines;
            break;
        }
    }
    return shape;
}

// Runs work(i) for i in [0, n), each in a thread of its own (the calling
// thread takes 0), and rethrows the first exception once all have ended.
template <typename Work>
void RunEach(std::size_t n, const Work& work)
{
    std::vector<std::exception_ptr> errors(n);
    auto guarded = [&](std::size_t i) {
        try {
            work(i);
        } catch (...) {
            errors[i] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(n);
    try {
        for (std::size_t i = 1; i < n; ++i)
            threads.emplace_back(guarded, i);
    } catch (...) {
        // No thread to be had: the rest run here.
        for (std::size_t i = threads.size() + 1; i < n; ++i)
            guarded(i);
    }
    guarded(0);
    for (std::thread& thread : threads)
        thread.join();
    for (const std::exception_ptr& error : errors)
        if (error)
            std::rethrow_exception(error);
}

// Piece boundaries: offsets from the start of the data section to the file
// size, each just after a line feed; a single piece when the section is
// small or one thread is wanted.
std::vector<std::uint64_t> PieceBounds(const RLasLineReader& reader, const RLasLoadOptions& options)
{
    const std::uint64_t begin = reader.Offset();
    const std::uint64_t end = std::max(begin, reader.FileSize());
    const unsigned threads = options.Threads ? options.Threads : std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::uint64_t> bounds{begin};
    if (threads > 1 && end - begin >= std::max<std::uint64_t>(options.ParallelFrom, 1)) {
        const std::uint64_t pieces = std::min<std::uint64_t>(threads, 64);
        for (std::uint64_t i = 1; i < pieces; ++i) {
            const std::uint64_t at = reader.NextLineStart(begin + (end - begin) * i / pieces);
            if (at > bounds.back() && at < end)
                bounds.push_back(at);
        }
    }
    bounds.push_back(end);
    return bounds;
}

// How the pieces are scanned: the row (and value) each starts with, and,
// wrapped, the row from which each may store no more (the next one's
// start). Starts that are guesses are checked against where the piece
// before ended.
struct PiecePlan {
    std::vector<std::uint64_t> bounds;
    std::vector<PieceStart> starts;
    std::vector<std::size_t> rowLimits;
};

// Unwrapped: each piece's sample lines are counted (in parallel, while the
// storage is allocated), which tells exactly where the next piece starts.
PiecePlan PlanUnwrapped(const RLasLineReader& whole, const std::vector<std::uint64_t>& bounds, DataTargets& targets)
{
    const std::size_t pieces = bounds.size() - 1;
    std::vector<std::uint64_t> counts(pieces);
    RunEach(pieces, [&](std::size_t i) {
        targets.Allocate(i, pieces);
        // No piece starts after the last one: its count is not needed.
        if (i + 1 == pieces)
            return;
        RLasLineReader reader;
        reader.OpenPiece(whole, bounds[i], bounds[i + 1]);
        counts[i] = CountSampleLines(reader);
    });
    PiecePlan plan{bounds, std::vector<PieceStart>(pieces), std::vector<std::size_t>(pieces, SIZE_MAX)};
    for (std::size_t i = 1; i < pieces; ++i)
        plan.starts[i].row = plan.starts[i - 1].row + static_cast<std::size_t>(counts[i - 1]);
    return plan;
}

// Wrapped: counting values would cost half a scan, so the pieces are lined
// up on the guess that every sample takes as many lines as the first one.
// Line feeds are cheap to count; each piece is moved to the start of a
// sample and given the rows the guess puts in it. Empty when the guess
// cannot even be made.
PiecePlan PlanWrapped(const RLasLineReader& whole, const std::vector<std::uint64_t>& bounds, DataTargets& targets)
{
    const std::size_t pieces = bounds.size() - 1;
    std::vector<std::uint64_t> lineFeeds(pieces);
    WrappedShape shape;
    RunEach(pieces, [&](std::size_t i) {
        targets.Allocate(i, pieces);
        if (i == 0) {
            RLasLineReader reader;
            reader.OpenPiece(whole, bounds[0], RLasLineReader::kToTheEnd);
            shape = FirstSampleShape(reader, targets.Count());
        }
        if (i + 1 < pieces)
            lineFeeds[i] = whole.CountLineFeeds(bounds[i], bounds[i + 1]);
    });
    if (shape.linesPerSample == 0)
        return {};
    const std::uint64_t perSample = shape.linesPerSample;
    PiecePlan plan{{bounds.front()}, {PieceStart{}}, {}};
    std::uint64_t lines = 0;  // line feeds before bounds[i]
    for (std::size_t i = 1; i < pieces; ++i) {
        lines += lineFeeds[i - 1];
        if (lines < shape.leading)
            return {};
        // On to the next sample's depth line.
        const std::uint64_t intoSample = (lines - shape.leading) % perSample;
        const std::uint64_t skip = intoSample == 0 ? 0 : perSample - intoSample;
        std::uint64_t bound = bounds[i];
        for (std::uint64_t k = 0; k < skip; ++k)
            bound = whole.NextLineStart(bound);
        if (bound <= plan.bounds.back() || bound >= bounds.back())
            return {};
        const std::uint64_t row = (lines - shape.leading + skip) / perSample;
        plan.bounds.push_back(bound);
        plan.starts.push_back(PieceStart{static_cast<std::size_t>(row), -1});
        plan.rowLimits.push_back(static_cast<std::size_t>(row));
    }
    plan.bounds.push_back(bounds.back());
    plan.rowLimits.push_back(SIZE_MAX);
    return plan;
}

// Scans the pieces in parallel, each into its own rows. Empty when the
// pieces cannot be lined up, or when a guessed start proves wrong (the
// storage is then back to NULL).
std::vector<PieceScan> ScanPieces(const RLasLineReader& whole, const std::vector<std::uint64_t>& bounds,
                                  DataTargets& targets, const DataLayout& layout, RLasLoadProgress* progress)
{
    const PiecePlan plan =
        layout.wrap ? PlanWrapped(whole, bounds, targets) : PlanUnwrapped(whole, bounds, targets);
    const std::size_t pieces = plan.starts.size();
    if (pieces == 0)
        return {};
    std::vector<PieceScan> scans(pieces);
    RunEach(pieces, [&](std::size_t i) {
        // The last piece reads on to the end like a single reader would.
        RLasLineReader reader;
        reader.OpenPiece(whole, plan.bounds[i], i + 1 == pieces ? RLasLineReader::kToTheEnd : plan.bounds[i + 1]);
        scans[i] = PieceScanner(reader, targets, layout, progress, plan.rowLimits[i]).Scan(plan.starts[i]);
    });
    // Each piece must have ended where the next one started, up to the
    // first piece that decides the load.
    for (std::size_t i = 0; i < pieces; ++i) {
        const PieceScan& scan = scans[i];
        if (scan.end != PieceScan::End::Complete && scan.end != PieceScan::End::Overrun)
            break;
        if (scan.end == PieceScan::End::Overrun || (i + 1 < pieces && scan.next != plan.starts[i + 1])) {
            targets.Allocate(0, 1);
            return {};
        }
    }
    return scans;
}

// The data section into `targets`: scanned in pieces when it is big,
// otherwise (or when the pieces cannot be lined up) by `reader` itself.
// Messages come out in file order, as one scan from the start would give
// them. False (nothing to keep) when a line could not be scanned, the
// file could not be read or the load was asked to stop.
bool ReadDataSection(RLasLineReader& reader, const std::string& path, const DataLayout& layout,
                     const RLasLoadOptions& options, DataTargets& targets, bool& linesCut)
{
    RLasLoadProgress* const progress = options.Progress;
    const auto cancelled = [&] {
        LogMessage("Чтение файла " + path + " прервано");
        return false;
    };
    if (progress && progress->Cancel)
        return cancelled();
    if (targets.SampleCount() == 0)
        return true;
    const std::uint64_t dataStart = reader.Offset();
    if (progress)
        progress->BytesRead = dataStart;
    std::vector<PieceScan> scans;
    const std::vector<std::uint64_t> bounds = PieceBounds(reader, options);
    if (bounds.size() > 2)
        scans = ScanPieces(reader, bounds, targets, layout, progress);
    else
        targets.Allocate(0, 1);
    if (scans.empty()) {
        if (progress)
            progress->BytesRead = dataStart;  // pieces that did not line up count no more
        scans.push_back(PieceScanner(reader, targets, layout, progress).Scan({}));
    }

    bool readFailed = false;
    for (const PieceScan& scan : scans) {
        linesCut = linesCut || scan.linesCut;
        readFailed = readFailed || scan.readFailed;
        targets.AddRanges(scan.ranges);
        if (scan.end == PieceScan::End::Failed) {
            LogMessage(scan.message);
            return false;
        }
        if (scan.end == PieceScan::End::Cancelled)
            return cancelled();
        if (scan.end == PieceScan::End::Excess) {
            LogMessage("Слишком много данных в секции Data");
            break;
        }
        // The file ends inside a sample: it is dropped.
        if (&scan == &scans.back() && scan.next.count >= 0)
            targets.DropRow(scan.next.row);
    }
    if (readFailed) {
        // Lines after the failed read are missing: what was read is no
        // file's content to keep or save.
        LogMessage("Не удается прочитать файл " + path);
        return false;
    }
    return true;
}

TLasHeader FlatHeader(const TLasHeaderNew& header, std::size_t sampleCount)
{
    const TLasWellSection& well = header.Well();
    TLasHeader flat;
    flat.WellName = well.Well;
    flat.Strt = well.Strt;
    flat.Step = well.Step;
    flat.Stop = well.Stop;
    flat.NullValue = well.NullValue;
    flat.StrtUnit = well.StrtUnit;
    flat.StepUnit = well.StepUnit;
    flat.StopUnit = well.StopUnit;
    flat.Date = well.Date;
    flat.CurveCount = static_cast<std::uint16_t>(std::min<std::size_t>(header.Curves().Lines.size(), 0xFFFF));
    flat.SampleCount = static_cast<int>(sampleCount);
    flat.Uwi = well.Uwi;
    flat.Fld = well.Fld;
    flat.Comp = well.Comp;
    flat.ParameterText = header.Parameters().Text();
    flat.DownholeText = header.Downhole().Text();
    flat.OtherText = header.Other().Text();
    flat.FullText = header.FullText();
    return flat;
}

}  // namespace

bool RLasData::LoadFromLas(const std::string& path, const RLasLoadOptions& options)
{
    RLasLineReader reader;
    if (!OpenFile(reader, path))
        return false;
    if (options.Progress)
        options.Progress->FileSize = reader.FileSize();
    bool piecesCut = false;
    const CutReport cutReport(reader, piecesCut, path);
    std::string line;
    if (!SeekFirstSection(reader, path, line))
        return false;
    // The header stays even when the data cannot be read, for display; the
    // curves and columns of any earlier load go with the old header.
    columns_.clear();
    curves_.clear();
    lasHeader_ = std::make_unique<TLasHeaderNew>();
    if (!ReadHeaderSections(reader, path, line, *lasHeader_))
        return false;
    std::size_t sampleCount = 0;
    if (!CountSamples(*lasHeader_, path, options, sampleCount))
        return false;
    DataTargets targets(*lasHeader_, sampleCount);
    const DataLayout layout{lasHeader_->Version().Wrap, static_cast<std::size_t>(lasHeader_->Curves().DepthPosition)};
    if (!ReadDataSection(reader, path, layout, options, targets, piecesCut))
        return false;
    reader.Close();

    Header = FlatHeader(*lasHeader_, sampleCount);
    CacheText = Header.FullText;
    targets.MoveInto(curves_, columns_);
    return !curves_.empty();
}
