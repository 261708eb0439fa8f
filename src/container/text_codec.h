#pragma once
// Conversions between the program's 8-bit Windows-1251 text and UTF-8.
// LAS and container strings are bytes; they are decoded only for showing.

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

}  // namespace TextCodec
