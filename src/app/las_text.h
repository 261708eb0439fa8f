#pragma once
// LAS text in the interface. Curve names, units, formulas and the header
// are bytes in the data set, in its own encoding (RLasData::TextEncoding:
// the file's code page, or UTF-8 for a file read from UTF-16). They are
// shown decoded from that encoding, and text typed by the user is stored
// in it, so that a typed name matches the bytes of a curve read from the
// file.

#include <QString>
#include <QStringList>

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

// Text that may carry a file's control characters (messages quoting it,
// file names, the header as read) as a widget shows it: the C0 controls as
// their symbols of the Control Pictures block (ESC U+241B "␛", BEL "␇", a
// CR alone "␍"), DEL as "␡" and the C1 controls U+0080..U+009F as \x80..
// \x9f. Line breaks (LF, CR LF) and tabs stay as they are. For showing
// only: names typed back into a data set go through FromTyped unchanged.
QString Visible(const QString& text);
QStringList Visible(const QStringList& texts);

}  // namespace LasText
