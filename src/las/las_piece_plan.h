#pragma once
// How a data section is cut into pieces that threads scan in parallel, and
// where each piece's rows go. Every line feed ends a line, so a piece cut
// just after one holds exactly the lines the whole file's reader would
// hand out for its bytes.
//
// Unwrapped, every line is given a row: the line feeds before a piece say
// where its rows start (blank and comment lines leave holes that are taken
// out at the end; lone CR line ends make a piece overrun its rows, and the
// section is then scanned again in one piece).
// Wrapped, counting values would cost half a scan, so the pieces are lined
// up on a guess instead: every sample takes as many lines as the first one
// does. The scans then check the guess (each piece must end where the next
// was assumed to start); when it fails the section is scanned again in one
// piece.

#include "las/las_data_targets.h"
#include "las/las_line_reader.h"
#include "las/las_piece_scanner.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct RLasLoadOptions;

struct PiecePlan {
    std::vector<std::uint64_t> bounds;  // piece i is [bounds[i], bounds[i + 1])
    std::vector<PieceStart> starts;
    std::vector<std::size_t> rowLimits;  // piece i stores no row from here on
    std::size_t rows = 0;                // rows allocated
    bool tooBig = false;                 // the rows would pass the ceiling
    bool usable() const { return !starts.empty() && !tooBig; }
};

// Piece boundaries: offsets from the reader's position to the file size,
// each just after a line feed; a single piece when the section is small or
// one thread is wanted.
std::vector<std::uint64_t> PieceBounds(const RLasLineReader& reader, const RLasLoadOptions& options);

// Gives every line of an unwrapped section's pieces a row and allocates
// the rows (refused past `rowCeiling` rows).
PiecePlan PlanUnwrapped(const RLasLineReader& whole, const std::vector<std::uint64_t>& bounds,
                        DataTargets& targets, std::size_t rowCeiling);

// Lines a wrapped section's pieces up on the first sample's shape and
// allocates the rows the guess gives; an unusable plan when no guess can
// be made or it passes the ceiling.
PiecePlan PlanWrapped(const RLasLineReader& whole, const std::vector<std::uint64_t>& bounds, DataTargets& targets,
                      char delimiter, std::size_t rowCeiling);
