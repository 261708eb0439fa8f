#include "container/buffered_file.h"
#include "container/data_container.h"
#include "container/file_error.h"
#include "support/files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

RFileFault Fault(RFileErrorKind kind)
{
    return {.Kind = kind, .Path = "/data/settings.dat", .SystemError = ENOSPC, .Offset = 42};
}

std::string Russian(RFileErrorKind kind) { return FaultText(Fault(kind), RLanguage::Russian); }
std::string English(RFileErrorKind kind) { return FaultText(Fault(kind), RLanguage::English); }

}  // namespace

TEST(FileErrorText, EveryKindIsWordedInBothLanguagesWithNoPlaceholderLeft)
{
    for (std::size_t i = 0; i < kFileErrorKindCount; ++i) {
        const auto kind = static_cast<RFileErrorKind>(i);
        for (const std::string& text : {English(kind), Russian(kind)}) {
            EXPECT_FALSE(text.empty()) << i;
            EXPECT_EQ(text.find('{'), std::string::npos) << i << ": " << text;
        }
        for (unsigned char c : English(kind))
            EXPECT_LT(c, 0x80) << i << ": " << English(kind);
        EXPECT_NE(English(kind), Russian(kind)) << i;
    }
    EXPECT_EQ(FaultText(Fault(static_cast<RFileErrorKind>(kFileErrorKindCount)), RLanguage::English), "");
}

TEST(FileErrorText, RussianTextsStayAsTheUsersKnowThem)
{
    const std::string reason = std::strerror(ENOSPC);
    EXPECT_EQ(Russian(RFileErrorKind::OpenFailed), "Ошибка открытия файла /data/settings.dat: " + reason);
    EXPECT_EQ(Russian(RFileErrorKind::ReadFailed),
              "Ошибка чтения из файла: " + reason + " (/data/settings.dat, смещение 42)");
    EXPECT_EQ(Russian(RFileErrorKind::UnexpectedEnd),
              "Ошибка чтения из файла: неожиданный конец файла (/data/settings.dat, смещение 42)");
    EXPECT_EQ(Russian(RFileErrorKind::NegativeLength),
              "Ошибка чтения из файла: отрицательная длина строки (/data/settings.dat, смещение 42)");
    EXPECT_EQ(Russian(RFileErrorKind::UnknownValueType),
              "Ошибка чтения из файла: неизвестный тип значения (/data/settings.dat, смещение 42)");
    EXPECT_EQ(Russian(RFileErrorKind::NodesTooDeep),
              "Ошибка чтения из файла: слишком глубокая вложенность узлов (/data/settings.dat, смещение 42)");
    EXPECT_EQ(Russian(RFileErrorKind::BadNodeCount),
              "Ошибка чтения из файла: некорректное число узлов (/data/settings.dat, смещение 42)");
    EXPECT_EQ(Russian(RFileErrorKind::BadObjectCount),
              "Ошибка чтения из файла: некорректное число объектов (/data/settings.dat, смещение 42)");
    EXPECT_EQ(Russian(RFileErrorKind::BadValueCount),
              "Ошибка чтения из файла: некорректное число значений (/data/settings.dat, смещение 42)");
    EXPECT_EQ(Russian(RFileErrorKind::DecompressFailed), "Ошибка разархивации данных");
    EXPECT_EQ(Russian(RFileErrorKind::WriteFailed), "Ошибка записи в файл: " + reason + " (/data/settings.dat)");
    EXPECT_EQ(Russian(RFileErrorKind::TreeTooDeep),
              "Ошибка записи в файл: слишком глубокая вложенность узлов (/data/settings.dat)");
    EXPECT_EQ(Russian(RFileErrorKind::CompressFailed), "Ошибка архивации данных");
}

TEST(FileErrorText, EnglishNamesTheSameFacts)
{
    EXPECT_EQ(English(RFileErrorKind::OpenFailed), "Cannot open file /data/settings.dat: No space left on device");
    EXPECT_EQ(English(RFileErrorKind::ReadFailed),
              "Error reading file: No space left on device (/data/settings.dat, offset 42)");
    EXPECT_EQ(English(RFileErrorKind::UnexpectedEnd),
              "Error reading file: unexpected end of file (/data/settings.dat, offset 42)");
    EXPECT_EQ(English(RFileErrorKind::WriteFailed), "Error writing file: No space left on device (/data/settings.dat)");
    EXPECT_EQ(English(RFileErrorKind::DecompressFailed), "Error decompressing data");
}

TEST(RFileError, WhatIsTheRussianWordingAndTextTheChosenOne)
{
    const RFileError error(Fault(RFileErrorKind::TreeTooDeep));
    EXPECT_EQ(std::string(error.what()), Russian(RFileErrorKind::TreeTooDeep));
    EXPECT_EQ(error.Text(RLanguage::Russian), error.what());
    EXPECT_EQ(error.Text(RLanguage::English), "Error writing file: nodes nested too deeply (/data/settings.dat)");
    // Through the base, as the window catches it.
    const RError& base = error;
    EXPECT_EQ(base.Text(RLanguage::English), error.Text(RLanguage::English));
    EXPECT_EQ(error.Fault().Path, "/data/settings.dat");
}

TEST(RFileError, FileFailuresCarryTheirKindAndFields)
{
    TempDir dir;
    RBufferedFile file;
    const std::string missing = dir.File("missing.dat");
    try {
        file.OpenRead(missing);
        FAIL() << "no error";
    } catch (const RFileError& error) {
        EXPECT_EQ(error.Fault().Kind, RFileErrorKind::OpenFailed);
        EXPECT_EQ(error.Fault().Path, missing);
        EXPECT_EQ(error.Fault().SystemError, ENOENT);
        EXPECT_EQ(error.Text(RLanguage::English), "Cannot open file " + missing + ": No such file or directory");
    }

    // A node count of a million in a file of a few bytes, after the signature.
    const std::string path = dir.File("counts.dat");
    WriteWholeFile(path, std::string(RDataContainer::kPlainSignature) + std::string("\x40\x42\x0f\x00", 4));
    RDataContainer container;
    try {
        container.LoadFromFile(path);
        FAIL() << "no error";
    } catch (const RFileError& error) {
        EXPECT_EQ(error.Fault().Kind, RFileErrorKind::BadNodeCount);
        EXPECT_EQ(error.Fault().Offset, 22u);
        EXPECT_EQ(error.Text(RLanguage::English),
                  "Error reading file: invalid number of nodes (" + path + ", offset 22)");
    }
}
