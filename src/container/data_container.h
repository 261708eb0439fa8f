#pragma once
// RDataContainer: the root of a tree of named nodes holding typed values,
// and its file form (README.md beside this file gives the byte layout).

#include "container/dc_node.h"

#include <string>

class RBufferedFile;

class RDataContainer : public RDCNodeList {
public:
    static constexpr const char* kCompressedSignature = "RDataContainerFile";
    static constexpr const char* kPlainSignature = "RDCNoncompressFile";
    static constexpr int kSignatureLength = 18;
    // Deeper trees in a file are taken as corruption (the program's own
    // trees are a few levels deep); it keeps the reader's recursion bounded.
    static constexpr int kMaxFileDepth = 256;

    // Frees the whole tree.
    void Clear() { ClearChildren(); }

    // Writes the tree to `path`: level 0 plain, any other level (-1, zlib's
    // default, included) compressed. The data goes through RAtomicFile, so
    // a failed save keeps the old file and leaves no temporary. A tree
    // deeper than kMaxFileDepth is refused before anything is written.
    // Raises RFileError.
    void SaveToFile(const std::string& path, int compressionLevel = 0) const;

    // False without touching the container when no file exists at `path`.
    // Otherwise the container is emptied; a file with an unknown signature
    // gives false, a damaged one raises RFileError. Either way a failed load
    // leaves the container empty, never half a tree.
    bool LoadFromFile(const std::string& path);

    // The node-list body alone, for callers that embed it in their own files.
    void WriteNodeList(RBufferedFile& file) const;
    void ReadNodeList(RBufferedFile& file);
};
