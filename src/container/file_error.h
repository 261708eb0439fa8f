#pragma once
// RFileError: what went wrong with a file or a container file, as data.
// RBufferedFile, RAtomicFile and RDataContainer raise every failure as one
// (error.h says how errors are worded).
//
//     throw RFileError({.Kind = RFileErrorKind::WriteFailed, .Path = path, .SystemError = ENOSPC});
//
// Each kind's comment names the fields its wording uses; the others may be
// set as well (a decompression error knows its file) but are not worded.
// Offset is the byte of the data where the read stood, counted after the
// signature's 18 bytes like every other byte of the file.

#include "container/error.h"

#include <cstddef>
#include <cstdint>
#include <string>

enum class RFileErrorKind {
    OpenFailed,  // Path; SystemError. The file to read, or the temporary beside a file to write.

    // Reading: Path; Offset; the reason worded after "Ошибка чтения из файла: ".
    ReadFailed,        // SystemError
    UnexpectedEnd,     // the file ends inside a value
    NegativeLength,    // a string or block of negative length
    UnknownValueType,  // a value type byte the format does not have
    NodesTooDeep,      // node lists nested deeper than RDataContainer::kMaxFileDepth
    BadNodeCount,      // a node count that is negative or more than the file holds
    BadObjectCount,    // as above, for a node's objects
    BadValueCount,     // as above, for an object's values
    DecompressFailed,  // a compressed block that does not unpack (nothing worded but the failure)

    // Writing.
    WriteFailed,     // Path; SystemError: writing, syncing or renaming
    TreeTooDeep,     // Path: a tree the reader would refuse, refused before anything is written
    CompressFailed,  // zlib did not pack a block (nothing worded but the failure)
};

// Kinds run from 0 to kFileErrorKindCount - 1.
inline constexpr std::size_t kFileErrorKindCount = static_cast<std::size_t>(RFileErrorKind::CompressFailed) + 1;

struct RFileFault {
    RFileErrorKind Kind;
    std::string Path{};         // the file as the caller named it
    int SystemError = 0;        // the errno value
    std::uint64_t Offset = 0;   // reading: where in the file
};

// The fault worded in `language` (an unknown language words in English);
// empty for a kind outside the enumeration.
std::string FaultText(const RFileFault& fault, RLanguage language);

class RFileError : public RError {
public:
    // what() is the Russian wording.
    explicit RFileError(RFileFault fault);

    const RFileFault& Fault() const { return fault_; }
    std::string Text(RLanguage language) const override { return FaultText(fault_, language); }

private:
    RFileFault fault_;
};
