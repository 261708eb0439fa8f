#include "app/error_text.h"

#include "calc/formula_error.h"
#include "container/file_error.h"
#include "raster/raster_error.h"
#include "view/calc_curve_error.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

TEST(ErrorText, ErrorsOfEverySubsystemAreWordedInTheChosenLanguage)
{
    const RFileError file({.Kind = RFileErrorKind::OpenFailed, .Path = "/d/settings.dat", .SystemError = ENOENT});
    EXPECT_EQ(ErrorText(file, RLanguage::English), "Cannot open file /d/settings.dat: No such file or directory");
    EXPECT_EQ(ErrorText(file, RLanguage::Russian),
              QString::fromUtf8("Ошибка открытия файла /d/settings.dat: ") + std::strerror(ENOENT));

    const RFormulaError formula({.Kind = RFormulaErrorKind::CurveNotFound, .Position = 1, .Length = 2, .Name = "XX",
                                 .Marked = " __ XX __ "});
    EXPECT_EQ(ErrorText(formula, RLanguage::English), "Formula error: curve XX not found.\r\nError at character 1:  __ XX __ ");
    EXPECT_EQ(ErrorText(formula, RLanguage::Russian),
              QString::fromUtf8("Ошибка разбора формулы: кривая XX не найдена.\r\nОшибка на символе 1:  __ XX __ "));

    const RRasterError raster({.Kind = RRasterErrorKind::FontNotFound, .Name = "Arial"});
    EXPECT_EQ(ErrorText(raster, RLanguage::English), "Font \"Arial\" not found");
    const RCalcCurveError calc({.Kind = RCalcCurveErrorKind::NoDocument});
    EXPECT_EQ(ErrorText(calc, RLanguage::English), "No LAS file is loaded.");
    EXPECT_EQ(ErrorText(calc, RLanguage::Russian), QString::fromUtf8("Нет загруженного файла LAS."));
}

TEST(ErrorText, OtherExceptionsAreTheirOwnTextAndFileBytesAreDecoded)
{
    EXPECT_EQ(ErrorText(std::runtime_error("disk on fire"), RLanguage::Russian), "disk on fire");
    EXPECT_EQ(ErrorText(RError("файл сломан"), RLanguage::English), QString::fromUtf8("файл сломан"));
    // A curve name in Windows-1251 inside an otherwise UTF-8 message.
    const RCalcCurveError name({.Kind = RCalcCurveErrorKind::BadName, .Name = "\xC3\xCA."});
    EXPECT_EQ(ErrorText(name, RLanguage::English), QString::fromUtf8("Invalid curve name \"ГК.\"."));
}
