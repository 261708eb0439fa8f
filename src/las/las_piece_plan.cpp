#include "las/las_piece_plan.h"

#include "las/las_data.h"
#include "las/run_each.h"

#include <algorithm>
#include <thread>

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

namespace {

void AllocateInParallel(DataTargets& targets, std::size_t parts, std::size_t rows)
{
    RunEach(parts, [&](std::size_t i) { targets.Allocate(i, parts, rows); });
}

// How a wrapped data section lies, read off its first sample: the lines
// before it and the lines it takes (its depth line, then value lines until
// it has every value). None when the first sample does not end soon.
struct WrappedShape {
    std::uint64_t leading = 0;
    std::uint64_t linesPerSample = 0;
};

WrappedShape FirstSampleShape(RLasLineReader& reader, std::size_t valueCount, char delimiter)
{
    constexpr std::uint64_t kMaxLines = 4096;
    WrappedShape shape;
    std::uint64_t lines = 0;  // from the depth line on
    std::size_t tokens = 0;
    std::string_view line;
    while (shape.leading + lines < kMaxLines && reader.ReadLine(line)) {
        const DataLineKind kind = KindOfDataLine(line);
        if (kind == DataLineKind::Section)
            break;
        if (kind == DataLineKind::Skipped) {
            if (lines > 0)
                break;  // a sample broken by a blank line: no regular shape
            ++shape.leading;
            continue;
        }
        RLasTokenScanner scanner(line, delimiter);
        for (RLasToken token; scanner.Next(token);)
            ++tokens;
        ++lines;
        // The depth line's first token is the depth.
        if (tokens >= valueCount + 1) {
            shape.linesPerSample = lines;
            break;
        }
    }
    return shape;
}

}  // namespace

PiecePlan PlanUnwrapped(const RLasLineReader& whole, const std::vector<std::uint64_t>& bounds,
                        DataTargets& targets, std::size_t rowCeiling)
{
    // A row a line: blank and comment lines become holes the scan leaves,
    // taken out at the end. Line feeds count eight bytes at a time, which
    // costs far less than reading the lines.
    const std::size_t pieces = bounds.size() - 1;
    std::vector<std::uint64_t> lineFeeds(pieces);
    RunEach(pieces, [&](std::size_t i) { lineFeeds[i] = whole.CountLineFeeds(bounds[i], bounds[i + 1]); });
    PiecePlan plan;
    plan.bounds = bounds;
    std::uint64_t rows = 0;
    for (std::size_t i = 0; i < pieces; ++i) {
        plan.starts.push_back(PieceStart{static_cast<std::size_t>(rows), -1});
        rows += lineFeeds[i];
    }
    // The last line may end without a line feed.
    const std::uint64_t end = bounds.back();
    if (end > bounds.front() && whole.CountLineFeeds(end - 1, end) == 0)
        ++rows;
    if (rows > rowCeiling) {
        plan.tooBig = true;
        plan.rows = static_cast<std::size_t>(std::min<std::uint64_t>(rows, SIZE_MAX));
        return plan;
    }
    plan.rows = static_cast<std::size_t>(rows);
    AllocateInParallel(targets, pieces, plan.rows);
    for (std::size_t i = 0; i + 1 < pieces; ++i)
        plan.rowLimits.push_back(plan.starts[i + 1].row);
    plan.rowLimits.push_back(plan.rows);
    return plan;
}

PiecePlan PlanWrapped(const RLasLineReader& whole, const std::vector<std::uint64_t>& bounds, DataTargets& targets,
                      char delimiter, std::size_t rowCeiling)
{
    const std::size_t pieces = bounds.size() - 1;
    std::vector<std::uint64_t> lineFeeds(pieces);
    WrappedShape shape;
    RunEach(pieces, [&](std::size_t i) {
        if (i == 0) {
            RLasLineReader reader;
            reader.OpenPiece(whole, bounds[0], RLasLineReader::kToTheEnd);
            shape = FirstSampleShape(reader, targets.ValueCount(), delimiter);
        }
        lineFeeds[i] = whole.CountLineFeeds(bounds[i], bounds[i + 1]);
    });
    if (shape.linesPerSample == 0)
        return {};
    const std::uint64_t perSample = shape.linesPerSample;
    PiecePlan plan{{bounds.front()}, {PieceStart{}}, {}, 0, false};
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
    // The whole section's lines (a last line without a line feed counts),
    // at the guessed lines a sample.
    lines += lineFeeds[pieces - 1] + 1;
    const std::uint64_t rows = lines > shape.leading ? (lines - shape.leading + perSample - 1) / perSample : 0;
    if (rows > rowCeiling)
        return {};
    plan.rows = static_cast<std::size_t>(rows);
    plan.rowLimits.push_back(plan.rows);
    AllocateInParallel(targets, pieces, plan.rows);
    return plan;
}
