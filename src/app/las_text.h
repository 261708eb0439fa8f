#pragma once
// LAS text in the interface. Curve names, units and formulas are 8-bit
// bytes in the data set; they are shown decoded (UTF-8 when valid, else
// Windows-1251), and text typed by the user is stored in the data set's own
// encoding so that a typed name matches the bytes of a curve read from it.

#include <QString>

#include <string>
#include <string_view>

class RLasData;

namespace LasText {

// Bytes of a data set as shown.
QString ToDisplay(std::string_view bytes);

// Typed text as the bytes of `data`: Windows-1251 when some curve name of
// the data set is not valid UTF-8 (a Windows-1251 file), UTF-8 otherwise.
std::string FromTyped(const QString& text, const RLasData& data);

}  // namespace LasText
