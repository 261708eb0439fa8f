// loggard-cli dump FILE: a container file as an indented tree.

#include "cli/commands.h"
#include "container/data_container.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace {

// Container strings are raw bytes: print ASCII as it is and everything else
// as \xNN, so the output is unambiguous whatever the encoding.
std::string Quoted(std::string_view bytes)
{
    std::string out = "\"";
    for (const unsigned char c : bytes) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 32 && c < 127) {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out + "\"";
}

std::string Describe(const RDCValue& value)
{
    switch (value.Type()) {
    case RDCType::Empty: return "empty";
    case RDCType::Boolean: return value.AsBoolean() ? "boolean true" : "boolean false";
    case RDCType::Integer: return "integer " + std::to_string(value.AsInteger());
    case RDCType::LargeInteger: return "large " + std::to_string(value.AsLargeInteger());
    case RDCType::Double: {
        char text[40];
        std::snprintf(text, sizeof text, "double %.17g", value.AsDouble());
        return text;
    }
    case RDCType::String: return "string " + Quoted(value.AsString());
    case RDCType::Binary: {
        const auto block = value.AsBinary();
        std::string text = "binary " + std::to_string(block.size()) + " bytes";
        constexpr std::size_t kShown = 16;
        for (std::size_t i = 0; i < block.size() && i < kShown; ++i) {
            char hex[4];
            std::snprintf(hex, sizeof hex, " %02x", block[i]);
            text += hex;
        }
        if (block.size() > kShown)
            text += " ...";
        return text;
    }
    }
    return "?";
}

void DumpNodes(std::ostream& out, const RDCNodeList& list, int depth)
{
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    for (RDCNode* node = list.FirstChild(); node; node = list.NextChild(node)) {
        out << indent << Quoted(node->Name()) << '\n';
        for (int i = 0; i < node->ObjectCount(); ++i) {
            const RDCObject* object = node->ObjectAt(i);
            out << indent << "  object " << i << " (" << object->ValueCount() << " values)\n";
            for (int j = 0; j < object->ValueCount(); ++j)
                out << indent << "    " << j << ": " << Describe(*object->ValueAt(j)) << '\n';
        }
        DumpNodes(out, *node, depth + 1);
    }
}

}  // namespace

int RunDump(const CliArgs& args)
{
    if (args.size() != 1) {
        std::cerr << "usage: loggard-cli dump FILE\n";
        return 2;
    }
    RDataContainer container;
    if (!container.LoadFromFile(args[0])) {
        std::cerr << "Не удалось загрузить файл контейнера " << args[0]
                  << ": файл не найден или не является файлом контейнера\n";
        return 1;
    }
    DumpNodes(std::cout, container, 0);
    return 0;
}
