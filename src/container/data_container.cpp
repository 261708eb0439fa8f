#include "container/data_container.h"

#include "container/buffered_file.h"
#include "container/file_error.h"

#include <cstring>
#include <sys/stat.h>

namespace {

// Smallest encodings, used to reject counts the rest of a plain file cannot hold.
constexpr std::uint64_t kMinNodeBytes = 12;   // name length, object count, child count
constexpr std::uint64_t kMinObjectBytes = 4;  // value count
constexpr std::uint64_t kMinValueBytes = 1;   // type byte

void WriteValue(RBufferedFile& file, const RDCValue& value)
{
    file.WriteByte(static_cast<std::uint8_t>(value.Type()));
    switch (value.Type()) {
    case RDCType::Empty: break;
    case RDCType::Boolean: file.WriteBoolean(value.AsBoolean()); break;
    case RDCType::Integer: file.WriteInt32(value.AsInteger()); break;
    case RDCType::LargeInteger: file.WriteInt64(value.AsLargeInteger()); break;
    case RDCType::Double: file.WriteDouble(value.AsDouble()); break;
    case RDCType::String: file.WriteString(value.AsString()); break;
    case RDCType::Binary: {
        const auto block = value.AsBinary();
        file.WriteString(std::string_view(reinterpret_cast<const char*>(block.data()), block.size()));
        break;
    }
    }
}

void WriteNodes(RBufferedFile& file, const RDCNodeList& list)
{
    file.WriteInt32(list.ChildCount());
    for (RDCNode* node = list.FirstChild(); node; node = list.NextChild(node)) {
        file.WriteString(node->Name());
        file.WriteInt32(node->ObjectCount());
        for (int i = 0; i < node->ObjectCount(); ++i) {
            const RDCObject* object = node->ObjectAt(i);
            file.WriteInt32(object->ValueCount());
            for (int j = 0; j < object->ValueCount(); ++j)
                WriteValue(file, *object->ValueAt(j));
        }
        WriteNodes(file, *node);
    }
}

int ReadCount(RBufferedFile& file, std::uint64_t minBytesEach, RFileErrorKind fault)
{
    const std::int32_t count = file.ReadInt32();
    if (count < 0)
        file.FailCorrupt(fault);
    if (static_cast<std::uint64_t>(count) * minBytesEach > file.RemainingPlainBytes())
        file.FailCorrupt(fault);
    return count;
}

void ReadValue(RBufferedFile& file, RDCValue& value)
{
    switch (file.ReadByte()) {
    case 0: value.Clear(); break;
    case 1: value.SetBoolean(file.ReadBoolean()); break;
    case 2: value.SetInteger(file.ReadInt32()); break;
    case 3: value.SetLargeInteger(file.ReadInt64()); break;
    case 4: value.SetDouble(file.ReadDouble()); break;
    case 5: value.SetString(file.ReadString()); break;
    case 6: {
        const std::string block = file.ReadString();
        value.SetBinary(block.size(), block.data());
        break;
    }
    default: file.FailCorrupt(RFileErrorKind::UnknownValueType);
    }
}

void ReadNodes(RBufferedFile& file, RDCNodeList& list, int depth)
{
    if (depth > RDataContainer::kMaxFileDepth)
        file.FailCorrupt(RFileErrorKind::NodesTooDeep);
    const int nodeCount = ReadCount(file, kMinNodeBytes, RFileErrorKind::BadNodeCount);
    for (int n = 0; n < nodeCount; ++n) {
        RDCNode* node = list.AddChild(file.ReadString());
        const int objectCount = ReadCount(file, kMinObjectBytes, RFileErrorKind::BadObjectCount);
        for (int i = 0; i < objectCount; ++i) {
            RDCObject* object = node->Object(i);
            const int valueCount = ReadCount(file, kMinValueBytes, RFileErrorKind::BadValueCount);
            for (int j = 0; j < valueCount; ++j)
                ReadValue(file, *object->Value(j));
        }
        ReadNodes(file, *node, depth + 1);
    }
}

// Whether some node list lies deeper than ReadNodes accepts (the root list
// is depth 0). Looks no deeper than the limit, so the walk stays bounded.
bool DeeperThanFileAllows(const RDCNodeList& list, int depth)
{
    if (depth > RDataContainer::kMaxFileDepth)
        return true;
    for (const RDCNode* node = list.FirstChild(); node; node = list.NextChild(node))
        if (DeeperThanFileAllows(*node, depth + 1))
            return true;
    return false;
}

bool FileExists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

}  // namespace

void RDataContainer::WriteNodeList(RBufferedFile& file) const { WriteNodes(file, *this); }

void RDataContainer::ReadNodeList(RBufferedFile& file)
{
    // Read into a scratch list first so a damaged file leaves nothing behind.
    RDataContainer scratch;
    ReadNodes(file, scratch, 0);
    TakeChildren(scratch);
}

void RDataContainer::SaveToFile(const std::string& path, int compressionLevel) const
{
    // A tree the reader would refuse is refused here, before the old file
    // is touched: it could be saved but never loaded again.
    if (DeeperThanFileAllows(*this, 0))
        throw RFileError({.Kind = RFileErrorKind::TreeTooDeep, .Path = path});
    RBufferedFile file;
    file.OpenWrite(path);
    // Every non-zero level compresses (see RBufferedFile::SetCompression).
    file.WriteBytes(compressionLevel != 0 ? kCompressedSignature : kPlainSignature, kSignatureLength);
    file.SetCompression(compressionLevel);
    WriteNodeList(file);
    file.Close();
}

bool RDataContainer::LoadFromFile(const std::string& path)
{
    if (!FileExists(path))
        return false;
    Clear();
    RBufferedFile file;
    file.OpenRead(path);
    char signature[kSignatureLength] = {};
    if (file.RemainingPlainBytes() < kSignatureLength)
        return false;
    file.ReadBytes(signature, kSignatureLength);
    if (std::memcmp(signature, kCompressedSignature, kSignatureLength) == 0)
        file.SetCompression(1);
    else if (std::memcmp(signature, kPlainSignature, kSignatureLength) != 0)
        return false;
    ReadNodeList(file);
    return true;
}
