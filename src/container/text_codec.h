#pragma once
// Conversions between the program's 8-bit Windows-1251 text and UTF-8.
// LAS and container strings are bytes; they are decoded only for showing.
//
// Files also come in UTF-16 (converted to UTF-8 as they are read: see
// DetectUtf16 and Utf16Decoder) and in the other Cyrillic code pages, CP866
// and KOI8-R, which GuessEightBit tells from Windows-1251 by the letters
// each would give.

#include <cstddef>
#include <string>
#include <string_view>

namespace TextCodec {

// The Unicode character a Windows-1251 byte stands for (0x98, unassigned,
// gives U+FFFD).
char32_t Cp1251ToUnicode(unsigned char byte);

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view bytes);

std::string Cp1251ToUtf8(std::string_view bytes);

// UTF-8 text as Windows-1251; characters it lacks become `missing`.
// Ill-formed input bytes also become `missing`.
std::string Utf8ToCp1251(std::string_view text, char missing = '?');

// How file text is shown: as UTF-8 when it is valid UTF-8, otherwise read
// as Windows-1251.
std::string DecodeForDisplay(std::string_view bytes);

// For program messages that quote file text: the UTF-8 parts stay as they
// are and each byte that is not part of valid UTF-8 is read as Windows-1251.
std::string DecodeMixed(std::string_view bytes);

enum class Encoding { Utf8, Utf16LE, Utf16BE, Windows1251, Cp866, Koi8R };

// The usual name: "UTF-8", "UTF-16LE", "UTF-16BE", "windows-1251", "CP866",
// "KOI8-R".
std::string_view EncodingName(Encoding encoding);

// Reads a name as a user or a file gives it: case does not matter, nor do
// '-', '_' and spaces, and the common aliases count ("cp1251", "win1251",
// "1251", "ibm866", "866", "koi8", "utf16le", ...). False, leaving `out`
// alone, for a name it does not know.
bool ParseEncodingName(std::string_view name, Encoding& out);

// The Unicode character a CP866 (DOS Cyrillic) or KOI8-R byte stands for;
// bytes below 0x80 are ASCII.
char32_t Cp866ToUnicode(unsigned char byte);
char32_t Koi8rToUnicode(unsigned char byte);

// UTF-8 text as CP866 or KOI8-R, as Utf8ToCp1251 does for Windows-1251:
// characters the page lacks, and ill-formed input bytes, become `missing`.
std::string Utf8ToCp866(std::string_view text, char missing = '?');
std::string Utf8ToKoi8r(std::string_view text, char missing = '?');

// UTF-8 text as bytes in `encoding`, the way back from DecodeToUtf8: UTF-8
// stays as it is, UTF-16 is written without a mark, and the 8-bit pages
// put `missing` for what they lack. Text typed by the user goes through
// here into a data set, so that it matches the bytes read from its file.
std::string EncodeFromUtf8(std::string_view text, Encoding encoding, char missing = '?');

// Text in `encoding` as UTF-8, for showing. UTF-8 keeps its valid parts and
// reads each stray byte as Windows-1251 (as DecodeMixed); UTF-16 turns
// unpaired surrogates and a dangling last byte into U+FFFD. A byte order
// mark is kept (as U+FEFF): the caller knows whether it has skipped one.
std::string DecodeToUtf8(std::string_view bytes, Encoding encoding);

// Whether text starting with `head` is UTF-16, and in which byte order.
// A mark (FF FE little-endian, FE FF big-endian) gives markLength 2.
// Without one, mostly-ASCII UTF-16 shows by its zero bytes: over the first
// kUtf16DetectBytes, at least 30 % of the high bytes of the code units are
// zero and at most 1 in 20 of the low ones (markLength 0). Needs at least
// 16 bytes. False, leaving `which` and `markLength` alone, for 8-bit text
// and UTF-8, which have no zero bytes.
inline constexpr std::size_t kUtf16DetectBytes = 4096;
bool DetectUtf16(std::string_view head, Encoding& which, std::size_t& markLength);

// Converts UTF-16 to UTF-8 a block at a time, for files too big to hold:
// a block may end anywhere, inside a code unit or between the halves of a
// surrogate pair, and the decoder carries the rest over to the next one.
// Unpaired surrogates become U+FFFD, and so does a last byte without its
// partner (at Finish). Linear; `out` only grows when the block needs it.
//
//     TextCodec::Utf16Decoder decoder(TextCodec::Encoding::Utf16LE);
//     std::string utf8;
//     while (read a block) { utf8.clear(); decoder.Decode(block, utf8); write utf8; }
//     utf8.clear(); decoder.Finish(utf8); write utf8;
class Utf16Decoder {
public:
    // Utf16BE reads big-endian code units; any other value little-endian.
    explicit Utf16Decoder(Encoding byteOrder) : bigEndian_(byteOrder == Encoding::Utf16BE) {}

    // Appends the UTF-8 of the characters `bytes` completes to `out`.
    void Decode(std::string_view bytes, std::string& out);
    // Ends the text: appends U+FFFD for a high surrogate still waiting for
    // its partner and for a dangling byte; the decoder can then start anew.
    void Finish(std::string& out);

private:
    // Writes the character `unit` completes at `out`; gives the new end.
    char* Put(char16_t unit, char* out);

    bool bigEndian_;
    int pendingByte_ = -1;     // first byte of a code unit cut by the block end
    char16_t pendingHigh_ = 0; // high surrogate waiting for its low half
};

// The code page of 8-bit text. Utf8 when `bytes` is valid UTF-8, pure ASCII
// included (a sequence cut short by the end of `bytes` is allowed after a
// whole one, since callers may pass the head of a file). Otherwise the one
// of Windows1251, Cp866 and Koi8R whose reading looks most like Russian:
// letter frequencies, case inside words, which letters may follow which,
// and penalties for what text does not hold (box drawing, symbols,
// unassigned bytes). Ties go to Windows1251. Looks at the bytes up to the
// kGuessSampleBytes-th non-ASCII one.
inline constexpr std::size_t kGuessSampleBytes = 64 * 1024;
Encoding GuessEightBit(std::string_view bytes);

}  // namespace TextCodec
