#include "container/text_codec.h"

#include <algorithm>
#include <array>
#include <span>

namespace {

// Windows-1251 bytes 0x80..0xBF; 0xC0..0xFF map to U+0410..U+044F.
constexpr std::array<char16_t, 64> kHighTable = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

// CP866 (DOS Cyrillic) bytes 0x80..0xFF.
constexpr std::array<char16_t, 128> kCp866Table = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // 80
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // 88
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // 90
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // 98
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // A0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // B0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  // C8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  // D0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  // D8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // E0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // E8
    0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,  // F0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,  // F8
};

// KOI8-R bytes 0x80..0xFF: box drawing, then the letters in the order of
// the Latin letters they sound like (text that loses its eighth bit stays
// readable), lower case before upper case.
constexpr std::array<char16_t, 128> kKoi8rTable = {
    0x2500, 0x2502, 0x250C, 0x2510, 0x2514, 0x2518, 0x251C, 0x2524,  // 80
    0x252C, 0x2534, 0x253C, 0x2580, 0x2584, 0x2588, 0x258C, 0x2590,  // 88
    0x2591, 0x2592, 0x2593, 0x2320, 0x25A0, 0x2219, 0x221A, 0x2248,  // 90
    0x2264, 0x2265, 0x00A0, 0x2321, 0x00B0, 0x00B2, 0x00B7, 0x00F7,  // 98
    0x2550, 0x2551, 0x2552, 0x0451, 0x2553, 0x2554, 0x2555, 0x2556,  // A0
    0x2557, 0x2558, 0x2559, 0x255A, 0x255B, 0x255C, 0x255D, 0x255E,  // A8
    0x255F, 0x2560, 0x2561, 0x0401, 0x2562, 0x2563, 0x2564, 0x2565,  // B0
    0x2566, 0x2567, 0x2568, 0x2569, 0x256A, 0x256B, 0x256C, 0x00A9,  // B8
    0x044E, 0x0430, 0x0431, 0x0446, 0x0434, 0x0435, 0x0444, 0x0433,  // C0
    0x0445, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E,  // C8
    0x043F, 0x044F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0436, 0x0432,  // D0
    0x044C, 0x044B, 0x0437, 0x0448, 0x044D, 0x0449, 0x0447, 0x044A,  // D8
    0x042E, 0x0410, 0x0411, 0x0426, 0x0414, 0x0415, 0x0424, 0x0413,  // E0
    0x0425, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E,  // E8
    0x041F, 0x042F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0416, 0x0412,  // F0
    0x042C, 0x042B, 0x0417, 0x0428, 0x042D, 0x0429, 0x0427, 0x042A,  // F8
};

// Writes `c` as UTF-8 at `out`, which has room for it; gives the new end.
char* PutUtf8(char* out, char32_t c)
{
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (c >> 18));
        *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t c)
{
    char bytes[4];
    out.append(bytes, static_cast<std::size_t>(PutUtf8(bytes, c) - bytes));
}

// Decodes one UTF-8 sequence at `pos`; gives false for an ill-formed one.
bool NextUtf8(std::string_view text, std::size_t& pos, char32_t& out)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    int extra;
    char32_t c;
    if (lead < 0x80) {
        out = lead;
        ++pos;
        return true;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        c = lead & 0x07;
    } else {
        return false;
    }
    if (pos + static_cast<std::size_t>(extra) >= text.size())
        return false;
    for (int i = 1; i <= extra; ++i) {
        const unsigned char next = byte(pos + static_cast<std::size_t>(i));
        if ((next & 0xC0) != 0x80)
            return false;
        c = (c << 6) | (next & 0x3F);
    }
    constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (c < kMinimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return false;
    pos += static_cast<std::size_t>(extra) + 1;
    out = c;
    return true;
}

}  // namespace

namespace TextCodec {

char32_t Cp1251ToUnicode(unsigned char byte)
{
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return 0x0410 + (byte - 0xC0);
    return kHighTable[byte - 0x80];
}

bool IsValidUtf8(std::string_view bytes)
{
    std::size_t pos = 0;
    char32_t ignored;
    while (pos < bytes.size())
        if (!NextUtf8(bytes, pos, ignored))
            return false;
    return true;
}

std::string Cp1251ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const unsigned char byte : bytes)
        AppendUtf8(out, Cp1251ToUnicode(byte));
    return out;
}

std::string Utf8ToCp1251(std::string_view text, char missing)
{
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t c;
        if (!NextUtf8(text, pos, c)) {
            out += missing;
            ++pos;
            continue;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c >= 0x0410 && c <= 0x044F) {
            out += static_cast<char>(0xC0 + (c - 0x0410));
        } else {
            char mapped = missing;
            for (std::size_t i = 0; i < kHighTable.size(); ++i)
                if (kHighTable[i] == c && c != 0xFFFD)
                    mapped = static_cast<char>(0x80 + i);
            out += mapped;
        }
    }
    return out;
}

std::string DecodeMixed(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t start = pos;
        char32_t c;
        if (NextUtf8(bytes, pos, c)) {
            out.append(bytes.substr(start, pos - start));
        } else {
            AppendUtf8(out, Cp1251ToUnicode(static_cast<unsigned char>(bytes[pos])));
            ++pos;
        }
    }
    return out;
}

std::string DecodeForDisplay(std::string_view bytes)
{
    return IsValidUtf8(bytes) ? std::string(bytes) : Cp1251ToUtf8(bytes);
}

}  // namespace TextCodec

namespace {

constexpr char32_t kReplacement = 0xFFFD;

struct NamedEncoding {
    std::string_view name;  // lower case, without '-', '_' and spaces
    TextCodec::Encoding encoding;
};

constexpr NamedEncoding kEncodingAliases[] = {
    {"utf8", TextCodec::Encoding::Utf8},
    {"utf16le", TextCodec::Encoding::Utf16LE},
    {"utf16be", TextCodec::Encoding::Utf16BE},
    {"windows1251", TextCodec::Encoding::Windows1251},
    {"cp1251", TextCodec::Encoding::Windows1251},
    {"win1251", TextCodec::Encoding::Windows1251},
    {"xcp1251", TextCodec::Encoding::Windows1251},
    {"1251", TextCodec::Encoding::Windows1251},
    {"ansi1251", TextCodec::Encoding::Windows1251},
    {"cp866", TextCodec::Encoding::Cp866},
    {"ibm866", TextCodec::Encoding::Cp866},
    {"866", TextCodec::Encoding::Cp866},
    {"dos866", TextCodec::Encoding::Cp866},
    {"cspc866", TextCodec::Encoding::Cp866},
    {"koi8r", TextCodec::Encoding::Koi8R},
    {"koi8", TextCodec::Encoding::Koi8R},
    {"cskoi8r", TextCodec::Encoding::Koi8R},
};

// --- Guessing the code page -------------------------------------------
// A reading of the bytes scores the sum of the natural logarithms of the
// shares its Russian letters have in ordinary text, less a penalty for
// each thing ordinary text seldom holds. The penalties are in the same
// units (a penalty of 3 is a letter e^3 times rarer).

// ln(share) of а..я, then ё.
constexpr std::array<double, 33> kLetterLogShare = {
    -2.53, -4.14, -3.09, -4.08, -3.51, -2.47, -4.67, -4.11,  // а б в г д е ж з
    -2.61, -4.42, -3.36, -3.12, -3.44, -2.70, -2.21, -3.57,  // и й к л м н о п
    -3.05, -2.91, -2.77, -3.64, -5.95, -4.64, -5.34, -4.24,  // р с т у ф х ц ч
    -4.92, -5.63, -7.83, -3.96, -4.05, -5.75, -5.05, -3.91,  // ш щ ъ ы ь э ю я
    -6.65,                                                   // ё
};
constexpr int kLetterIe = 5, kLetterShortI = 9, kLetterHardSign = 26, kLetterYery = 27, kLetterSoftSign = 28,
              kLetterE = 29, kLetterYu = 30, kLetterYa = 31, kLetterYo = 32;
constexpr std::array<bool, 33> kVowel = {
    true,  false, false, false, false, true,  false, false,  // а б в г д е ж з
    true,  false, false, false, false, false, true,  false,  // и й к л м н о п
    false, false, false, true,  false, false, false, false,  // р с т у ф х ц ч
    false, false, false, true,  false, true,  true,  true,   // ш щ ъ ы ь э ю я
    true,                                                    // ё
};

constexpr double kCaseRiseInWord = 5;     // a capital right after a small letter
constexpr double kBadWordStart = 4;       // a word starting with ь, ъ or ы
constexpr double kSignAfterVowel = 4;     // ь or ъ after a vowel
constexpr double kHardSignMisplaced = 4;  // ъ before anything but е, ё, ю, я
constexpr double kAfterConsonant = 3;     // э or й right after a consonant
constexpr double kLongRun = 3;            // each vowel past two, consonant past three in a row
constexpr double kTypographic = 5;        // № ° « » – — ± µ and quotes: they do occur
constexpr double kOtherCyrillic = 9;      // letters of other Cyrillic alphabets
constexpr double kSymbol = 9;             // other signs (©, §, ¤, no-break space, ...)
constexpr double kMathematical = 10;      // √ ≈ ≤ ≥ ÷ ² and the like
constexpr double kBoxDrawing = 12;        // box drawing, blocks, shades
constexpr double kUnassigned = 15;        // a byte the code page leaves out

// The letter index of a Russian letter (0..31 for а..я, 32 for ё, either
// case), or -1.
int RussianLetter(char32_t c, bool& upper)
{
    upper = (c >= 0x0410 && c <= 0x042F) || c == 0x0401;
    if (c >= 0x0410 && c <= 0x042F)
        return static_cast<int>(c - 0x0410);
    if (c >= 0x0430 && c <= 0x044F)
        return static_cast<int>(c - 0x0430);
    if (c == 0x0401 || c == 0x0451)
        return kLetterYo;
    return -1;
}

double NonLetterPenalty(char32_t c)
{
    switch (c) {
    case 0x2116: case 0x00B0: case 0x00AB: case 0x00BB: case 0x2013: case 0x2014:
    case 0x00B1: case 0x00B5: case 0x201C: case 0x201D: case 0x201E: case 0x2026:
    case 0x2018: case 0x2019:
        return kTypographic;
    case 0x00B2: case 0x00F7: case 0x2320: case 0x2321:
        return kMathematical;
    case kReplacement:
        return kUnassigned;
    default:
        break;
    }
    if (c >= 0x0400 && c <= 0x04FF)
        return kOtherCyrillic;
    if (c >= 0x2200 && c <= 0x22FF)
        return kMathematical;
    if (c >= 0x2500 && c <= 0x25FF)
        return kBoxDrawing;
    return kSymbol;
}

// How much the bytes look like Russian text when read through `decode`.
double ScoreReading(std::string_view bytes, char32_t (*decode)(unsigned char))
{
    double score = 0;
    int previous = -1;  // the letter before, -1 outside a word
    bool previousUpper = false;
    int run = 0;  // vowels or consonants in a row, ending with this letter
    bool runOfVowels = false;
    for (const unsigned char byte : bytes) {
        if (byte < 0x80) {
            previous = -1;
            run = 0;
            continue;
        }
        const char32_t c = decode(byte);
        bool upper;
        const int letter = RussianLetter(c, upper);
        if (letter < 0) {
            score -= NonLetterPenalty(c);
            previous = -1;
            run = 0;
            continue;
        }
        score += kLetterLogShare[static_cast<std::size_t>(letter)];
        const bool vowel = kVowel[static_cast<std::size_t>(letter)];
        const bool sign = letter == kLetterSoftSign || letter == kLetterHardSign;
        if (previous < 0) {
            if (sign || letter == kLetterYery)
                score -= kBadWordStart;
        } else {
            const bool previousVowel = kVowel[static_cast<std::size_t>(previous)];
            const bool previousSign = previous == kLetterSoftSign || previous == kLetterHardSign;
            if (upper && !previousUpper)
                score -= kCaseRiseInWord;
            if (sign && previousVowel)
                score -= kSignAfterVowel;
            if (previous == kLetterHardSign && letter != kLetterIe && letter != kLetterYo
                && letter != kLetterYu && letter != kLetterYa)
                score -= kHardSignMisplaced;
            if ((letter == kLetterE || letter == kLetterShortI) && !previousVowel && !previousSign)
                score -= kAfterConsonant;
        }
        if (sign || letter == kLetterShortI) {
            run = 0;
        } else if (run > 0 && runOfVowels == vowel) {
            ++run;
        } else {
            run = 1;
            runOfVowels = vowel;
        }
        if (run > (vowel ? 2 : 3))
            score -= kLongRun;
        previous = letter;
        previousUpper = upper;
    }
    return score;
}

// Valid UTF-8, or valid up to a sequence cut short by the end of `bytes`
// that follows a whole multi-byte one.
bool LooksLikeUtf8(std::string_view bytes)
{
    std::size_t pos = 0;
    bool sawMultiByte = false;
    char32_t c;
    while (pos < bytes.size()) {
        if (NextUtf8(bytes, pos, c)) {
            sawMultiByte = sawMultiByte || c >= 0x80;
            continue;
        }
        const auto lead = static_cast<unsigned char>(bytes[pos]);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if (!sawMultiByte || lead < 0xC2 || lead > 0xF4 || bytes.size() - pos >= length)
            return false;
        for (std::size_t i = pos + 1; i < bytes.size(); ++i)
            if ((static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80)
                return false;
        return true;
    }
    return true;
}

// The high half of an 8-bit page by character, sorted for a binary search.
struct PageEntry {
    char32_t c;
    unsigned char byte;
    bool operator<(const PageEntry& other) const { return c < other.c; }
};
using PageInverse = std::array<PageEntry, 128>;

PageInverse InverseOf(char32_t (*decode)(unsigned char))
{
    PageInverse inverse{};
    for (int byte = 0x80; byte < 0x100; ++byte)
        inverse[static_cast<std::size_t>(byte - 0x80)] = {decode(static_cast<unsigned char>(byte)),
                                                          static_cast<unsigned char>(byte)};
    std::sort(inverse.begin(), inverse.end());
    return inverse;
}

// UTF-8 text in the page `inverse` describes: ASCII as it is, each other
// character by the page's byte for it, `missing` where the page has none
// (U+FFFD included) and for each ill-formed byte.
std::string EncodeEightBit(std::string_view text, const PageInverse& inverse, char missing)
{
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t c;
        if (!NextUtf8(text, pos, c)) {
            out += missing;
            ++pos;
            continue;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        const auto found = std::lower_bound(inverse.begin(), inverse.end(), PageEntry{c, 0});
        out += found != inverse.end() && found->c == c && c != kReplacement ? static_cast<char>(found->byte) : missing;
    }
    return out;
}

}  // namespace

namespace TextCodec {

std::string_view EncodingName(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8: return "UTF-8";
    case Encoding::Utf16LE: return "UTF-16LE";
    case Encoding::Utf16BE: return "UTF-16BE";
    case Encoding::Windows1251: return "windows-1251";
    case Encoding::Cp866: return "CP866";
    case Encoding::Koi8R: return "KOI8-R";
    }
    return "UTF-8";
}

bool ParseEncodingName(std::string_view name, Encoding& out)
{
    // The longest alias is short: a longer name is none of them.
    char key[16];
    std::size_t length = 0;
    for (const char ch : name) {
        if (ch == '-' || ch == '_' || ch == ' ' || ch == '\t')
            continue;
        if (length == sizeof key)
            return false;
        key[length++] = ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
    }
    for (const NamedEncoding& alias : kEncodingAliases) {
        if (alias.name == std::string_view(key, length)) {
            out = alias.encoding;
            return true;
        }
    }
    return false;
}

char32_t Cp866ToUnicode(unsigned char byte)
{
    return byte < 0x80 ? byte : kCp866Table[byte - 0x80];
}

char32_t Koi8rToUnicode(unsigned char byte)
{
    return byte < 0x80 ? byte : kKoi8rTable[byte - 0x80];
}

std::string Utf8ToCp866(std::string_view text, char missing)
{
    static const PageInverse kInverse = InverseOf(Cp866ToUnicode);
    return EncodeEightBit(text, kInverse, missing);
}

std::string Utf8ToKoi8r(std::string_view text, char missing)
{
    static const PageInverse kInverse = InverseOf(Koi8rToUnicode);
    return EncodeEightBit(text, kInverse, missing);
}

std::string EncodeFromUtf8(std::string_view text, Encoding encoding, char missing)
{
    switch (encoding) {
    case Encoding::Utf8:
        return std::string(text);
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        const bool bigEndian = encoding == Encoding::Utf16BE;
        std::string out;
        out.reserve(text.size() * 2);
        const auto put = [&](char32_t unit) {
            const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
            out += bigEndian ? high : low;
            out += bigEndian ? low : high;
        };
        std::size_t pos = 0;
        while (pos < text.size()) {
            char32_t c;
            if (!NextUtf8(text, pos, c)) {
                c = static_cast<unsigned char>(missing);
                ++pos;
            }
            if (c >= 0x10000) {
                put(0xD800 + ((c - 0x10000) >> 10));
                put(0xDC00 + ((c - 0x10000) & 0x3FF));
            } else {
                put(c);
            }
        }
        return out;
    }
    case Encoding::Windows1251: return Utf8ToCp1251(text, missing);
    case Encoding::Cp866: return Utf8ToCp866(text, missing);
    case Encoding::Koi8R: return Utf8ToKoi8r(text, missing);
    }
    return std::string(text);
}

std::string DecodeToUtf8(std::string_view bytes, Encoding encoding)
{
    char32_t (*table)(unsigned char) = nullptr;
    switch (encoding) {
    case Encoding::Utf8:
        return DecodeMixed(bytes);
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        Utf16Decoder decoder(encoding);
        std::string out;
        decoder.Decode(bytes, out);
        decoder.Finish(out);
        return out;
    }
    case Encoding::Windows1251: table = Cp1251ToUnicode; break;
    case Encoding::Cp866: table = Cp866ToUnicode; break;
    case Encoding::Koi8R: table = Koi8rToUnicode; break;
    }
    if (!table)
        return DecodeMixed(bytes);
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const unsigned char byte : bytes)
        AppendUtf8(out, table(byte));
    return out;
}

bool DetectUtf16(std::string_view head, Encoding& which, std::size_t& markLength)
{
    if (head.size() >= 2) {
        const auto first = static_cast<unsigned char>(head[0]), second = static_cast<unsigned char>(head[1]);
        if (first == 0xFF && second == 0xFE) {
            which = Encoding::Utf16LE;
            markLength = 2;
            return true;
        }
        if (first == 0xFE && second == 0xFF) {
            which = Encoding::Utf16BE;
            markLength = 2;
            return true;
        }
    }
    const std::size_t units = std::min(head.size(), kUtf16DetectBytes) / 2;
    if (units < 8)
        return false;
    std::size_t zeroEven = 0, zeroOdd = 0;
    for (std::size_t i = 0; i < units; ++i) {
        zeroEven += head[2 * i] == '\0';
        zeroOdd += head[2 * i + 1] == '\0';
    }
    // Mostly-ASCII text: the high byte of each ASCII unit is zero, the low
    // one never is (a zero low byte needs U+0000 or a character like U+0100).
    const auto many = [&](std::size_t zeros) { return zeros * 10 >= units * 3; };
    const auto few = [&](std::size_t zeros) { return zeros * 20 <= units; };
    if (many(zeroOdd) && few(zeroEven)) {
        which = Encoding::Utf16LE;
        markLength = 0;
        return true;
    }
    if (many(zeroEven) && few(zeroOdd)) {
        which = Encoding::Utf16BE;
        markLength = 0;
        return true;
    }
    return false;
}

char* Utf16Decoder::Put(char16_t unit, char* out)
{
    const bool high = unit >= 0xD800 && unit <= 0xDBFF, low = unit >= 0xDC00 && unit <= 0xDFFF;
    if (pendingHigh_ != 0) {
        const char16_t first = pendingHigh_;
        pendingHigh_ = 0;
        if (low)
            return PutUtf8(out, 0x10000 + ((static_cast<char32_t>(first) - 0xD800) << 10) + (unit - 0xDC00));
        out = PutUtf8(out, kReplacement);
    }
    if (high) {
        pendingHigh_ = unit;
        return out;
    }
    return PutUtf8(out, low ? kReplacement : unit);
}

void Utf16Decoder::Decode(std::string_view bytes, std::string& out)
{
    if (bytes.empty())
        return;
    // Each code unit gives at most 3 bytes, and the first one may also flush
    // a high surrogate left unpaired from the block before.
    const std::size_t start = out.size();
    out.resize(start + (bytes.size() / 2 + 2) * 3);
    char* at = out.data() + start;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* const end = p + bytes.size();
    const auto unitOf = [this](unsigned first, unsigned second) {
        return static_cast<char16_t>(bigEndian_ ? (first << 8) | second : (second << 8) | first);
    };
    if (pendingByte_ >= 0) {
        at = Put(unitOf(static_cast<unsigned>(pendingByte_), *p++), at);
        pendingByte_ = -1;
    }
    for (; end - p >= 2; p += 2) {
        const char16_t unit = unitOf(p[0], p[1]);
        if (unit < 0x80 && pendingHigh_ == 0)
            *at++ = static_cast<char>(unit);
        else
            at = Put(unit, at);
    }
    if (p < end)
        pendingByte_ = *p;
    out.resize(static_cast<std::size_t>(at - out.data()));
}

void Utf16Decoder::Finish(std::string& out)
{
    if (pendingHigh_ != 0)
        AppendUtf8(out, kReplacement);
    if (pendingByte_ >= 0)
        AppendUtf8(out, kReplacement);
    pendingHigh_ = 0;
    pendingByte_ = -1;
}

Encoding GuessEightBit(std::string_view bytes)
{
    if (LooksLikeUtf8(bytes))
        return Encoding::Utf8;
    std::size_t sampleEnd = 0;
    for (std::size_t nonAscii = 0; sampleEnd < bytes.size() && nonAscii < kGuessSampleBytes; ++sampleEnd)
        nonAscii += static_cast<unsigned char>(bytes[sampleEnd]) >= 0x80;
    const std::string_view sample = bytes.substr(0, sampleEnd);
    struct Candidate {
        Encoding encoding;
        char32_t (*decode)(unsigned char);
    };
    // Windows-1251 first: it keeps a tie.
    constexpr Candidate kCandidates[] = {
        {Encoding::Windows1251, Cp1251ToUnicode},
        {Encoding::Cp866, Cp866ToUnicode},
        {Encoding::Koi8R, Koi8rToUnicode},
    };
    Encoding best = kCandidates[0].encoding;
    double bestScore = ScoreReading(sample, kCandidates[0].decode);
    for (const Candidate& candidate : std::span(kCandidates).subspan(1)) {
        const double score = ScoreReading(sample, candidate.decode);
        if (score > bestScore) {
            best = candidate.encoding;
            bestScore = score;
        }
    }
    return best;
}

}  // namespace TextCodec
