#pragma once
// Loading a LAS file for a command. The load's problems quote the file's
// bytes, whose encoding is known only once the load has ended: they are
// held until then and handed on, in the order they came, to the sink that
// was current before the load (the one that words and prints them), their
// quotes decoded to UTF-8 from the encoding the load found.
//
//     RLasLoadOptions options;
//     if (const auto name = ...; name && !ReadEncodingOption(*name, options)) return 2;
//     LoadLasFile(data, path, options);

#include <memory>
#include <string>

class RLasCore;
class RLasData;
struct RLasLoadOptions;

// data.LoadFromLas(path, options) with the diagnostics handed on as above;
// options.Sink is replaced by the loader's own. Returns what the load
// returned.
bool LoadLasFile(RLasData& data, const std::string& path, const RLasLoadOptions& options);

// RLasCore::Open(lasPath, settingsPath, options), the document as the
// viewer opens it, with the diagnostics handed on as above.
std::unique_ptr<RLasCore> OpenLasDocument(const std::string& lasPath, const std::string& settingsPath,
                                          const RLasLoadOptions& options);

// The --encoding value `name` (any spelling ParseEncodingName reads) into
// options.Encoding; false, with a message on stderr, for an unknown name.
bool ReadEncodingOption(const std::string& name, RLasLoadOptions& options);
