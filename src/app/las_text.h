#pragma once
// LAS text in the interface. Curve names, units, formulas and the header
// are bytes in the data set, in its own encoding (RLasData::TextEncoding:
// the file's code page, or UTF-8 for a file read from UTF-16). They are
// shown decoded from that encoding, and text typed by the user is stored
// in it, so that a typed name matches the bytes of a curve read from the
// file.

#include <QString>

#include <string>
#include <string_view>

class RLasData;

namespace LasText {

// Bytes of `data` as shown.
QString ToDisplay(std::string_view bytes, const RLasData& data);

// Typed text as the bytes of `data`; characters its code page lacks
// become '?'.
std::string FromTyped(const QString& text, const RLasData& data);

// A chart caption as shown: chart text is Windows-1251 bytes, what the
// raster fonts draw.
QString FromChart(std::string_view bytes);

}  // namespace LasText
