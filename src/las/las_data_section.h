#pragma once
// Reading the data section: every row into DataTargets, scanned in pieces
// across threads when the section is big, otherwise (or when the pieces
// cannot be lined up) in one piece by the load's own reader.

#include "las/las_data_targets.h"
#include "las/las_line_reader.h"
#include "las/las_piece_scanner.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct RLasLoadOptions;

struct DataSectionRead {
    std::size_t rows = 0;           // row slots stored (holes included)
    std::vector<ColumnForm> forms;  // the index's, then each curve's
    DataIssues issues;
    bool sectionFollows = false;  // a tilde line ended the section
    std::uint64_t sectionAt = 0;  // its offset
    bool linesCut = false;
    bool fileChanged = false;  // the file was cut short while it was read
};

// Reads the section from the reader's position. `rowsHint`: rows the header
// declares (0 when it cannot tell), the first guess for a wrapped section
// read in one piece. False, with the problem reported, when the file could
// not be read or was cut short while it was (read.fileChanged), the load
// was asked to stop or the rows would pass the memory ceiling: nothing
// half-read is kept.
bool ReadDataSection(RLasLineReader& reader, const std::string& path, const DataLayout& layout,
                     const RLasLoadOptions& options, DataTargets& targets, std::size_t rowsHint,
                     DataSectionRead& read);
