#include "las/las_data_section.h"

#include "las/las_data.h"
#include "las/las_piece_plan.h"
#include "las/las_problem.h"
#include "las/run_each.h"

#include <algorithm>

namespace {

std::string Megabytes(std::uint64_t bytes) { return std::to_string((bytes + (1 << 20) - 1) >> 20); }

// The most rows the memory ceiling lets a file of `values` curves have.
std::size_t RowCeiling(std::size_t values, const RLasLoadOptions& options)
{
    const std::uint64_t maxBytes = options.MaxDataBytes ? options.MaxDataBytes : RLasData::MaxDataBytes();
    const std::uint64_t perRow = values * sizeof(RLasSample) + sizeof(double);
    return static_cast<std::size_t>(std::min<std::uint64_t>(maxBytes / perRow, RLasData::kMaxSamples));
}

void ReportTooBig(const std::string& path, std::uint64_t rows, std::size_t values, const RLasLoadOptions& options)
{
    const std::uint64_t maxBytes = options.MaxDataBytes ? options.MaxDataBytes : RLasData::MaxDataBytes();
    RLasProblem problem{.Kind = options.MaxDataBytes ? RLasProblemKind::TooManySamples
                                                     : RLasProblemKind::TooManySamplesForMemory,
                        .Path = path};
    problem.Count = static_cast<std::int64_t>(std::min<std::uint64_t>(rows, RLasData::kMaxSamples));
    problem.Expected = static_cast<std::int64_t>(values);
    problem.Found = Megabytes(RLasData::DataBytesFor(problem.Count, values));
    problem.Detail = Megabytes(maxBytes);
    Report(std::move(problem));
}

// Scans the pieces of a plan in parallel, each into its own rows. Empty
// when a guessed start proves wrong (the storage is then the caller's to
// fill again).
std::vector<PieceScan> ScanPieces(const RLasLineReader& whole, const PiecePlan& plan, DataTargets& targets,
                                  const DataLayout& layout, RLasLoadProgress* progress)
{
    const std::size_t pieces = plan.starts.size();
    std::vector<PieceScan> scans(pieces);
    RunEach(pieces, [&](std::size_t i) {
        RLasLineReader reader;
        reader.OpenPiece(whole, plan.bounds[i], plan.bounds[i + 1]);
        scans[i] = PieceScanner(reader, targets, layout, progress, plan.rowLimits[i], plan.rows).Scan(plan.starts[i]);
    });
    // Each piece must have ended where the next one started, up to the
    // first piece that ends the section or the load.
    for (std::size_t i = 0; i < pieces; ++i) {
        const PieceScan& scan = scans[i];
        if (scan.end == PieceScan::End::Overrun)
            return {};
        if (scan.end != PieceScan::End::Complete)
            break;
        if (i + 1 < pieces && scan.next != plan.starts[i + 1])
            return {};
    }
    return scans;
}

}  // namespace

bool ReadDataSection(RLasLineReader& reader, const std::string& path, const DataLayout& layout,
                     const RLasLoadOptions& options, DataTargets& targets, std::size_t rowsHint,
                     DataSectionRead& read)
{
    RLasLoadProgress* const progress = options.Progress;
    const auto cancelled = [&] {
        Report({.Kind = RLasProblemKind::ReadCancelled, .Path = path});
        return false;
    };
    if (progress && progress->Cancel)
        return cancelled();
    const std::uint64_t dataStart = reader.Offset();
    if (progress)
        progress->BytesRead = dataStart;
    const std::size_t ceiling = RowCeiling(targets.ValueCount(), options);

    std::vector<PieceScan> scans;
    const std::vector<std::uint64_t> bounds = PieceBounds(reader, options);
    if (!layout.wrap) {
        const PiecePlan plan = PlanUnwrapped(reader, bounds, targets, ceiling);
        if (plan.tooBig) {
            ReportTooBig(path, plan.rows, targets.ValueCount(), options);
            return false;
        }
        scans = ScanPieces(reader, plan, targets, layout, progress);
    } else if (bounds.size() > 2) {
        const PiecePlan plan = PlanWrapped(reader, bounds, targets, layout.delimiter, ceiling);
        if (plan.usable())
            scans = ScanPieces(reader, plan, targets, layout, progress);
    }
    if (scans.empty()) {
        // In one piece, the storage growing as rows come (wrapped, or lines
        // the plan did not foresee). The first guess is what the header
        // declares, held to what the bytes can hold (a value takes at least
        // two of them).
        if (progress)
            progress->BytesRead = dataStart;  // pieces that did not line up count no more
        const std::uint64_t bytes = reader.FileSize() > dataStart ? reader.FileSize() - dataStart : 0;
        const std::uint64_t byteRows = bytes / (2 * (targets.ValueCount() + 1)) + 1;
        targets.Allocate(0, 1, std::min<std::size_t>({rowsHint, byteRows, ceiling}));
        scans.push_back(PieceScanner(reader, targets, layout, progress, SIZE_MAX, ceiling).Scan({}));
    }

    // A piece that met the file's end before the size it had at Open tells
    // of the whole file, wherever the section ended.
    for (const PieceScan& scan : scans)
        read.fileChanged = read.fileChanged || scan.fileChanged;
    if (read.fileChanged) {
        Report({.Kind = RLasProblemKind::FileChanged, .Path = path});
        return false;
    }
    read.forms.assign(targets.ValueCount() + 1, ColumnForm{});
    bool readFailed = false;
    for (const PieceScan& scan : scans) {
        read.linesCut = read.linesCut || scan.linesCut;
        readFailed = readFailed || scan.readFailed;
        targets.AddRanges(scan.ranges);
        for (std::size_t k = 0; k < read.forms.size(); ++k)
            read.forms[k].AddLater(scan.forms[k]);
        read.issues.AddLater(scan.issues);
        read.rows = scan.next.row;
        if (scan.end == PieceScan::End::Cancelled)
            return cancelled();
        if (scan.end == PieceScan::End::TooBig) {
            ReportTooBig(path, static_cast<std::uint64_t>(ceiling) + 1, targets.ValueCount(), options);
            return false;
        }
        // The section ends inside a sample: it is dropped.
        const bool last = &scan == &scans.back() || scan.end == PieceScan::End::Section;
        if (last && scan.next.count >= 0)
            targets.DropRow(scan.next.row);
        if (scan.end == PieceScan::End::Section) {
            read.sectionFollows = true;
            read.sectionAt = scan.sectionAt;
            break;
        }
    }
    if (readFailed) {
        // Lines after the failed read are missing: what was read is no
        // file's content to keep or save.
        Report({.Kind = RLasProblemKind::FileUnreadable, .Path = path});
        return false;
    }
    return true;
}
