#include "container/text_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

using namespace TextCodec;

TEST(TextCodec, Cp1251CyrillicAndPunctuationDecode)
{
    EXPECT_EQ(Cp1251ToUtf8("\xD1\xEA\xE2\x2E \xB9" "5"), "Скв. №5");
    EXPECT_EQ(Cp1251ToUtf8("\xA8\xB8"), "Ёё");
    EXPECT_EQ(Cp1251ToUnicode(0xC4), U'Д');
    EXPECT_EQ(Cp1251ToUnicode(0x41), U'A');
}

TEST(TextCodec, DisplayPrefersValidUtf8)
{
    EXPECT_EQ(DecodeForDisplay("метер"), "метер");            // UTF-8 stays
    EXPECT_EQ(DecodeForDisplay("\xEC\xE5\xF2\xF0"), "метр");  // cp1251 bytes decode
    EXPECT_EQ(DecodeForDisplay("plain"), "plain");
}

TEST(TextCodec, MixedMessagesKeepTheirUtf8AndDecodeQuotedCp1251)
{
    // A Russian message quoting a Windows-1251 line of a LAS file.
    EXPECT_EQ(DecodeMixed("Не найдена точка в строке \xD1\xEA\xE2\xE0\xE6\xE8\xED\xE0"),
              "Не найдена точка в строке Скважина");
    EXPECT_EQ(DecodeMixed("abc"), "abc");
    EXPECT_EQ(DecodeMixed("\xD0"), "Р");  // a lead byte cut short is a cp1251 letter
}

TEST(TextCodec, IllFormedUtf8IsNotValid)
{
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xD0"));              // cut short
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));
    EXPECT_TRUE(IsValidUtf8("\xE2\x82\xAC"));       // euro sign
    EXPECT_TRUE(IsValidUtf8(""));
}

TEST(TextCodec, Utf8ToCp1251MarksWhatItLacks)
{
    EXPECT_EQ(Utf8ToCp1251("Глубина, м"), "\xC3\xEB\xF3\xE1\xE8\xED\xE0, \xEC");
    EXPECT_EQ(Utf8ToCp1251("µS/м"), "\xB5S/\xEC");
    EXPECT_EQ(Utf8ToCp1251("日本"), "??");
    EXPECT_EQ(Utf8ToCp1251("a\xFF" "b"), "a?b");
}

// --- Other encodings -----------------------------------------------------

namespace {

std::string BytesOf(std::u16string_view units, bool bigEndian)
{
    std::string out;
    for (const char16_t unit : units) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    }
    return out;
}

using PageDecoder = char32_t (*)(unsigned char);

PageDecoder DecoderOf(Encoding page)
{
    return page == Encoding::Cp866 ? Cp866ToUnicode : page == Encoding::Koi8R ? Koi8rToUnicode : Cp1251ToUnicode;
}

// The bytes of `text` in an 8-bit code page, found by searching the page's
// decoding table (checked entry by entry below).
std::string InPage(std::u32string_view text, Encoding page)
{
    const PageDecoder decode = DecoderOf(page);
    std::string out;
    for (const char32_t c : text) {
        int byte = 0;
        while (byte < 256 && decode(static_cast<unsigned char>(byte)) != c)
            ++byte;
        EXPECT_LT(byte, 256) << "U+" << std::hex << static_cast<unsigned>(c);
        out += static_cast<char>(byte);
    }
    return out;
}

std::u32string Upper(std::u32string text)
{
    for (char32_t& c : text)
        c = c >= U'а' && c <= U'я' ? c - 0x20 : c == U'ё' ? U'Ё' : c;
    return text;
}

std::u32string Lower(std::u32string text)
{
    for (char32_t& c : text)
        c = c >= U'А' && c <= U'Я' ? c + 0x20 : c == U'Ё' ? U'ё' : c;
    return text;
}

}  // namespace

TEST(TextCodec, Cp866AndKoi8rTablesGiveTheKnownCharacters)
{
    const std::pair<unsigned char, char32_t> cp866[] = {
        {0x41, U'A'}, {0x80, U'А'}, {0x9F, U'Я'}, {0xA0, U'а'}, {0xAF, U'п'}, {0xE0, U'р'}, {0xEF, U'я'},
        {0xB0, U'\u2591'}, {0xC4, U'\u2500'}, {0xDB, U'\u2588'}, {0xF0, U'Ё'}, {0xF1, U'ё'}, {0xFC, U'№'},
        {0xFF, U'\u00A0'},
    };
    for (const auto& [byte, c] : cp866)
        EXPECT_EQ(Cp866ToUnicode(byte), c) << std::hex << int(byte);
    const std::pair<unsigned char, char32_t> koi8r[] = {
        {0x7E, U'~'}, {0x80, U'\u2500'}, {0x9A, U'\u00A0'}, {0xA3, U'ё'}, {0xB3, U'Ё'}, {0xBF, U'©'},
        {0xC0, U'ю'}, {0xC1, U'а'}, {0xDF, U'ъ'}, {0xE1, U'А'}, {0xF7, U'В'}, {0xFF, U'Ъ'},
    };
    for (const auto& [byte, c] : koi8r)
        EXPECT_EQ(Koi8rToUnicode(byte), c) << std::hex << int(byte);
}

TEST(TextCodec, EveryPageMapsItsHighBytesToDistinctCharactersWithAllRussianLetters)
{
    // A row shifted or repeated while typing a table shows as a character
    // given twice and a letter missing.
    const std::u32string letters = U"абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ";
    for (const Encoding page : {Encoding::Windows1251, Encoding::Cp866, Encoding::Koi8R}) {
        std::u32string seen;
        for (int byte = 0x80; byte < 0x100; ++byte)
            seen += DecoderOf(page)(static_cast<unsigned char>(byte));
        for (const char32_t letter : letters)
            EXPECT_NE(seen.find(letter), std::u32string::npos) << EncodingName(page);
        std::sort(seen.begin(), seen.end());
        EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end()) << EncodingName(page);
    }
}

TEST(TextCodec, EncodingNamesAndTheirAliasesParse)
{
    for (const Encoding e : {Encoding::Utf8, Encoding::Utf16LE, Encoding::Utf16BE, Encoding::Windows1251,
                             Encoding::Cp866, Encoding::Koi8R}) {
        Encoding parsed = e == Encoding::Utf8 ? Encoding::Koi8R : Encoding::Utf8;
        ASSERT_TRUE(ParseEncodingName(EncodingName(e), parsed)) << EncodingName(e);
        EXPECT_EQ(parsed, e);
    }
    EXPECT_EQ(EncodingName(Encoding::Windows1251), "windows-1251");
    EXPECT_EQ(EncodingName(Encoding::Koi8R), "KOI8-R");
    const std::pair<std::string_view, Encoding> aliases[] = {
        {"utf8", Encoding::Utf8},           {"cp1251", Encoding::Windows1251},
        {"Windows1251", Encoding::Windows1251}, {"win-1251", Encoding::Windows1251},
        {"1251", Encoding::Windows1251},    {"ibm866", Encoding::Cp866},
        {"866", Encoding::Cp866},           {"koi8r", Encoding::Koi8R},
        {"KOI8_R", Encoding::Koi8R},        {"utf-16le", Encoding::Utf16LE},
        {"UTF16BE", Encoding::Utf16BE},
    };
    for (const auto& [name, expected] : aliases) {
        Encoding parsed = expected == Encoding::Utf8 ? Encoding::Koi8R : Encoding::Utf8;
        ASSERT_TRUE(ParseEncodingName(name, parsed)) << name;
        EXPECT_EQ(parsed, expected) << name;
    }
    Encoding untouched = Encoding::Cp866;
    for (const std::string_view unknown : {"", "latin1", "utf-32", "koi8-u", "cp1251cp1251cp1251cp1251"})
        EXPECT_FALSE(ParseEncodingName(unknown, untouched)) << unknown;
    EXPECT_EQ(untouched, Encoding::Cp866);
}

TEST(TextCodec, DecodesEachEncodingForDisplay)
{
    EXPECT_EQ(DecodeToUtf8("\x91\xAA\xA2. \xFC" "5", Encoding::Cp866), "Скв. №5");
    EXPECT_EQ(DecodeToUtf8("\xF3\xCB\xD7. 5", Encoding::Koi8R), "Скв. 5");
    EXPECT_EQ(DecodeToUtf8("\xD1\xEA\xE2. \xB9" "5", Encoding::Windows1251), "Скв. №5");
    EXPECT_EQ(DecodeToUtf8("Скв \xB9" "5", Encoding::Utf8), "Скв №5");  // a stray byte as cp1251
    // With a character beyond U+FFFF, a surrogate pair in UTF-16.
    EXPECT_EQ(DecodeToUtf8(BytesOf(u"~W Скв 𝄞 5", false), Encoding::Utf16LE), "~W Скв 𝄞 5");
    EXPECT_EQ(DecodeToUtf8(BytesOf(u"~W Скв 𝄞 5", true), Encoding::Utf16BE), "~W Скв 𝄞 5");
}

TEST(TextCodec, TypedTextEncodesIntoEachPage)
{
    EXPECT_EQ(Utf8ToCp866("Скв. №5, мкР/ч"), "\x91\xAA\xA2. \xFC" "5, \xAC\xAA\x90/\xE7");
    EXPECT_EQ(Utf8ToKoi8r("Скв. 5, мкР/ч"), "\xF3\xCB\xD7. 5, \xCD\xCB\xF2/\xDE");
    EXPECT_EQ(Utf8ToKoi8r("№5"), "?5");  // KOI8-R has no numero sign
    EXPECT_EQ(Utf8ToCp866("Ёё"), "\xF0\xF1");
    EXPECT_EQ(Utf8ToKoi8r("Ёё"), "\xB3\xA3");
    for (const auto encode : {Utf8ToCp866, Utf8ToKoi8r}) {
        EXPECT_EQ(encode("日本", '?'), "??");
        EXPECT_EQ(encode("a\xFF" "b", '?'), "a?b");  // an ill-formed byte
        EXPECT_EQ(encode("\xD0", '#'), "#");       // a sequence cut short
        EXPECT_EQ(encode("\xEF\xBF\xBD", '?'), "?");  // U+FFFD is never a byte of the page
        EXPECT_EQ(encode("", '?'), "");
    }
}

TEST(TextCodec, EveryHighByteOfAPageEncodesBackToItself)
{
    for (const Encoding page : {Encoding::Windows1251, Encoding::Cp866, Encoding::Koi8R}) {
        for (int byte = 0x80; byte < 0x100; ++byte) {
            const std::string original(1, static_cast<char>(byte));
            if (page == Encoding::Windows1251 && byte == 0x98)
                continue;  // unassigned: decodes as U+FFFD
            EXPECT_EQ(EncodeFromUtf8(DecodeToUtf8(original, page), page), original)
                << EncodingName(page) << " " << std::hex << byte;
        }
    }
}

TEST(TextCodec, EncodeFromUtf8WritesTheBytesDecodeToUtf8Reads)
{
    const std::string text = "~W Скв 𝄞 5";
    EXPECT_EQ(EncodeFromUtf8(text, Encoding::Utf8), text);
    EXPECT_EQ(EncodeFromUtf8(text, Encoding::Utf16LE), BytesOf(u"~W Скв 𝄞 5", false));
    EXPECT_EQ(EncodeFromUtf8(text, Encoding::Utf16BE), BytesOf(u"~W Скв 𝄞 5", true));
    EXPECT_EQ(EncodeFromUtf8("a\xFF", Encoding::Utf16LE), BytesOf(u"a?", false));
    const std::string russian = "Глубина, м";
    for (const Encoding page : {Encoding::Windows1251, Encoding::Cp866, Encoding::Koi8R}) {
        const std::string bytes = EncodeFromUtf8(russian, page);
        EXPECT_EQ(bytes.size(), 10u) << EncodingName(page);
        EXPECT_EQ(DecodeToUtf8(bytes, page), russian) << EncodingName(page);
    }
    EXPECT_EQ(EncodeFromUtf8(russian, Encoding::Windows1251), Utf8ToCp1251(russian));
    EXPECT_NE(EncodeFromUtf8(russian, Encoding::Cp866), EncodeFromUtf8(russian, Encoding::Koi8R));
}

TEST(TextCodec, Utf16IsToldByItsMarkOrByTheZerosOfAsciiText)
{
    Encoding which = Encoding::Utf8;
    std::size_t mark = 99;
    ASSERT_TRUE(DetectUtf16("\xFF\xFE~\0", which, mark));
    EXPECT_EQ(which, Encoding::Utf16LE);
    EXPECT_EQ(mark, 2u);
    ASSERT_TRUE(DetectUtf16("\xFE\xFF", which, mark));
    EXPECT_EQ(which, Encoding::Utf16BE);
    EXPECT_EQ(mark, 2u);

    // Without a mark: a LAS header, plain and with Cyrillic values, in
    // both byte orders.
    const std::u16string_view header = u"~Version information\r\n VERS. 2.0 : CWLS\r\n";
    const std::u16string_view russian = u"~W\n WELL. Приобская 12 : Скважина\n";
    for (const std::u16string_view text : {header, russian}) {
        for (const bool big : {false, true}) {
            which = Encoding::Utf8;
            mark = 99;
            ASSERT_TRUE(DetectUtf16(BytesOf(text, big), which, mark)) << big;
            EXPECT_EQ(which, big ? Encoding::Utf16BE : Encoding::Utf16LE);
            EXPECT_EQ(mark, 0u);
        }
    }

    // Not UTF-16, and the outputs stay as they were.
    which = Encoding::Koi8R;
    mark = 7;
    const std::string notUtf16[] = {
        "~Version information\r\n VERS. 2.0 : CWLS\r\n", "~W\n WELL. Приобская 12 : Скважина\n",
        InPage(U"~W\n WELL. Приобская 12 : Скважина\n", Encoding::Windows1251),
        BytesOf(u"~V 2.0", false),  // too short to judge
        std::string(64, '\0'),      // zeros in both halves
    };
    for (const std::string& bytes : notUtf16)
        EXPECT_FALSE(DetectUtf16(bytes, which, mark));
    EXPECT_EQ(which, Encoding::Koi8R);
    EXPECT_EQ(mark, 7u);
}

TEST(TextCodec, Utf16DecoderGivesTheSameTextHoweverTheBytesAreCut)
{
    const std::u16string_view text = u"~A Глубина 𝄞𝄢 µ\r\n1500.0 -999.25\r\n";
    const std::string utf8 = "~A Глубина 𝄞𝄢 µ\r\n1500.0 -999.25\r\n";
    for (const bool big : {false, true}) {
        const std::string bytes = BytesOf(text, big);
        const Encoding order = big ? Encoding::Utf16BE : Encoding::Utf16LE;
        // Every single cut, which falls inside code units and between the
        // halves of the surrogate pairs, and one byte at a time.
        for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
            Utf16Decoder decoder(order);
            std::string out;
            decoder.Decode(std::string_view(bytes).substr(0, cut), out);
            decoder.Decode(std::string_view(bytes).substr(cut), out);
            decoder.Finish(out);
            ASSERT_EQ(out, utf8) << "cut at " << cut;
        }
        Utf16Decoder decoder(order);
        std::string out;
        for (const char byte : bytes)
            decoder.Decode(std::string_view(&byte, 1), out);
        decoder.Finish(out);
        EXPECT_EQ(out, utf8);
    }
}

TEST(TextCodec, Utf16DecoderReplacesWhatIsNotAWholeCharacter)
{
    const auto decode = [](const std::string& bytes) { return DecodeToUtf8(bytes, Encoding::Utf16LE); };
    EXPECT_EQ(decode(std::string("\x00\xD8" "A\0", 4)), "\uFFFD" "A");  // high surrogate, then no low
    EXPECT_EQ(decode(std::string("A\0\x00\xDC" "B\0", 6)), "A\uFFFD" "B");  // a low one alone
    EXPECT_EQ(decode(std::string("\x00\xD8\x00\xD8\x00\xDC", 6)), "\uFFFD\U00010000");
    EXPECT_EQ(decode(std::string("A\0\x00\xD8", 4)), "A\uFFFD");  // the text ends inside a pair
    EXPECT_EQ(decode(std::string("A\0B", 3)), "A\uFFFD");         // a dangling last byte
    EXPECT_EQ(decode(std::string("\0\0", 2)), std::string("\0", 1));

    // After Finish the decoder starts anew.
    Utf16Decoder decoder(Encoding::Utf16BE);
    std::string out;
    decoder.Decode(std::string("\0A\0", 3), out);
    decoder.Finish(out);
    decoder.Decode(std::string("\0B", 2), out);
    decoder.Finish(out);
    EXPECT_EQ(out, "A\uFFFD" "B");
}

TEST(TextCodec, GuessReadsWellNamesAndAHeaderRightInEveryCyrillicPage)
{
    const std::u32string header =
        U"~Version information\r\n"
        U" WRAP.   NO : Одна строка на шаг глубины\r\n"
        U"~Well information\r\n"
        U" STRT.M  1500.0 : Начальная глубина\r\n"
        U" STEP.M  0.1 : Шаг квантования\r\n"
        U" NULL.   -999.25 : Пустое значение\r\n"
        U" COMP.   ООО Геофизика : Компания\r\n"
        U" WELL.   Скв. 12-бис : Скважина\r\n"
        U" FLD .   Самотлорское : Месторождение\r\n"
        U" LOC .   Нижневартовский район : Местоположение\r\n"
        U"~Curve information\r\n"
        U" GK  .мкР/ч : Гамма-каротаж\r\n"
        U" PS  .мВ : Потенциал самопроизвольной поляризации\r\n";
    const std::u32string texts[] = {
        U"Приобская", U"СКВАЖИНА 1234", U"Самотлорское месторождение", U"ООО Геофизика", U"Скв. 12-бис",
        U"Ватьёганское", U"Южно-Приобское", U"Нефть, газ", header,
    };
    for (const Encoding page : {Encoding::Windows1251, Encoding::Cp866, Encoding::Koi8R})
        for (std::size_t i = 0; i < std::size(texts); ++i)
            for (const std::u32string& text : {texts[i], Upper(texts[i]), Lower(texts[i])})
                EXPECT_EQ(GuessEightBit(InPage(text, page)), page) << "text " << i << " in " << EncodingName(page);
}

TEST(TextCodec, GuessKeepsUtf8AndAscii)
{
    EXPECT_EQ(GuessEightBit(""), Encoding::Utf8);
    EXPECT_EQ(GuessEightBit("~Version information\r\n VERS. 2.0 : CWLS\r\n"), Encoding::Utf8);
    const std::string utf8 = "WELL. Скважина 1234 : Самотлорское";
    EXPECT_EQ(GuessEightBit(utf8), Encoding::Utf8);
    // The head of a file may end inside a character ("Ск" cut after the
    // first byte of "к"), but only after a whole one.
    EXPECT_EQ(GuessEightBit(utf8.substr(0, utf8.find("кважина") + 1)), Encoding::Utf8);
    EXPECT_EQ(GuessEightBit("WELL. 12\xD0"), Encoding::Windows1251);  // "12Р" in cp1251
}

TEST(TextCodec, GuessOnLongTextLooksAtItsStart)
{
    // Past kGuessSampleBytes non-ASCII bytes the rest does not count, so a
    // huge file costs no more than its start.
    const std::u32string line = U"Самотлорское месторождение, скважина 1234\r\n";
    const std::string cp1251Line = InPage(line, Encoding::Windows1251), koi8rLine = InPage(line, Encoding::Koi8R);
    std::string cp1251, koi8r;
    while (cp1251.size() < kGuessSampleBytes * 2) {
        cp1251 += cp1251Line;
        koi8r += koi8rLine;
    }
    EXPECT_EQ(GuessEightBit(cp1251 + koi8r), Encoding::Windows1251);
    EXPECT_EQ(GuessEightBit(koi8r + cp1251), Encoding::Koi8R);
}
