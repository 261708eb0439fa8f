#pragma once
// RLasObject: base of objects that persist through a data container.
// Subclasses write themselves under a root node list (SaveToNode) and read
// back (LoadFromNode, raising RError on a damaged tree); the file forms go
// through an RDataContainer in its uncompressed form.

#include <string>

class RDCNodeList;

class RLasObject {
public:
    virtual ~RLasObject() = default;

    virtual void LoadFromNode(RDCNodeList& root) = 0;
    virtual void SaveToNode(RDCNodeList& root) const = 0;
    // False when no container file could be read at `path`; a damaged file
    // raises RError.
    virtual bool LoadFromFile(const std::string& path);
    // Replaces `path` atomically; raises RError on failure.
    virtual void SaveToFile(const std::string& path) const;
};
