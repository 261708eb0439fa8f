#include "container/text_codec.h"

#include <gtest/gtest.h>

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
