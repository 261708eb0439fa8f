#include "container/error.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

TEST(RError, ABareMessageReadsTheSameInEveryLanguage)
{
    const RError error("файл сломан");
    EXPECT_STREQ(error.what(), "файл сломан");
    EXPECT_EQ(error.Text(RLanguage::English), "файл сломан");
    EXPECT_EQ(error.Text(RLanguage::Russian), "файл сломан");
}

TEST(FillTemplate, FieldsGoInOnceAndUnknownNamesStay)
{
    EXPECT_EQ(FillTemplate("File {Path}: {System}", {{"Path", "/a"}, {"System", "gone"}}), "File /a: gone");
    // A value's braces are not scanned again; a name without a field stays.
    EXPECT_EQ(FillTemplate("{Path} {Other}", {{"Path", "{Path}"}}), "{Path} {Other}");
    // An open brace without its close ends the template as written.
    EXPECT_EQ(FillTemplate("at {Path", {{"Path", "x"}}), "at {Path");
    EXPECT_EQ(FillTemplate("", {}), "");
}

TEST(SystemErrorText, EnglishIsTheCLibrarysTextRussianWhatStrerrorGives)
{
    EXPECT_EQ(SystemErrorText(ENOENT, RLanguage::English), "No such file or directory");
    EXPECT_EQ(SystemErrorText(ENOSPC, RLanguage::English), "No space left on device");
    EXPECT_EQ(SystemErrorText(ENOENT, RLanguage::Russian), std::strerror(ENOENT));
}

TEST(LanguageOfIndex, OneIsRussianEverythingElseEnglish)
{
    EXPECT_EQ(LanguageOfIndex(1), RLanguage::Russian);
    EXPECT_EQ(LanguageOfIndex(0), RLanguage::English);
    EXPECT_EQ(LanguageOfIndex(7), RLanguage::English);
    EXPECT_EQ(static_cast<int>(RLanguage::Russian), 1);
}
