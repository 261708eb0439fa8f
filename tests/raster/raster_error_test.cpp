#include "raster/raster_error.h"

#include "raster/bitmap32.h"
#include "raster/bitmap_util.h"
#include "raster/png_codec.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

RRasterFault Fault(RRasterErrorKind kind)
{
    return {.Kind = kind, .Name = "IDAT", .Path = "/fonts/x.ttf", .Width = 7, .Height = 9};
}

std::string Russian(RRasterErrorKind kind) { return FaultText(Fault(kind), RLanguage::Russian); }
std::string English(RRasterErrorKind kind) { return FaultText(Fault(kind), RLanguage::English); }

// The error a call raises, as its fault; FreeTypeUnavailable when none.
template <typename Call> RRasterFault Raised(Call call)
{
    try {
        call();
    } catch (const RRasterError& error) {
        return error.Fault();
    }
    ADD_FAILURE() << "no error";
    return {.Kind = RRasterErrorKind::FreeTypeUnavailable};
}

}  // namespace

TEST(RasterErrorText, EveryKindIsWordedInBothLanguagesWithNoPlaceholderLeft)
{
    for (std::size_t i = 0; i < kRasterErrorKindCount; ++i) {
        const auto kind = static_cast<RRasterErrorKind>(i);
        for (const std::string& text : {English(kind), Russian(kind)}) {
            EXPECT_FALSE(text.empty()) << i;
            EXPECT_EQ(text.find('{'), std::string::npos) << i << ": " << text;
        }
        for (unsigned char c : English(kind))
            EXPECT_LT(c, 0x80) << i << ": " << English(kind);
        EXPECT_NE(English(kind), Russian(kind)) << i;
    }
    EXPECT_EQ(FaultText(Fault(static_cast<RRasterErrorKind>(kRasterErrorKindCount)), RLanguage::English), "");
}

TEST(RasterErrorText, RussianTextsStayAsTheUsersKnowThem)
{
    using K = RRasterErrorKind;
    EXPECT_EQ(Russian(K::FreeTypeUnavailable), "Не удалось запустить растеризатор шрифтов FreeType");
    EXPECT_EQ(FaultText({.Kind = K::FontNotFound, .Name = "Arial"}, RLanguage::Russian), "Не найден шрифт \"Arial\"");
    EXPECT_EQ(Russian(K::FontFileUnreadable), "Ошибка открытия файла /fonts/x.ttf");
    EXPECT_EQ(Russian(K::BadImageSize), "Недопустимый размер изображения: 7 x 9");
    EXPECT_EQ(Russian(K::PngNoSignature), "Ошибка чтения изображения PNG: нет подписи PNG");
    EXPECT_EQ(Russian(K::PngTruncated), "Ошибка чтения изображения PNG: файл обрезан");
    EXPECT_EQ(Russian(K::PngBadChecksum), "Ошибка чтения изображения PNG: неверная контрольная сумма блока IDAT");
    EXPECT_EQ(Russian(K::PngBadHeader), "Ошибка чтения изображения PNG: неверный заголовок");
    EXPECT_EQ(Russian(K::PngBadSize), "Ошибка чтения изображения PNG: недопустимый размер");
    EXPECT_EQ(Russian(K::PngUnsupported), "Ошибка чтения изображения PNG: неподдерживаемый формат");
    EXPECT_EQ(Russian(K::PngNoHeader), "Ошибка чтения изображения PNG: нет заголовка");
    EXPECT_EQ(Russian(K::PngBadImageData), "Ошибка чтения изображения PNG: повреждены данные изображения");
    EXPECT_EQ(Russian(K::PngBadRowFilter), "Ошибка чтения изображения PNG: неизвестный фильтр строки");
    EXPECT_EQ(Russian(K::PngCompressFailed), "Ошибка архивации данных");

    EXPECT_EQ(English(K::BadImageSize), "Invalid image size: 7 x 9");
    EXPECT_EQ(English(K::PngBadChecksum), "Error reading PNG image: wrong checksum of chunk IDAT");
}

TEST(RRasterError, FailuresCarryTheirKindAndFields)
{
    RBitmapUtil util(4);
    const RRasterFault size = Raised([&] { util.SetSize(INT_MAX, 3); });
    EXPECT_EQ(size.Kind, RRasterErrorKind::BadImageSize);
    EXPECT_EQ(size.Width, INT_MAX);
    EXPECT_EQ(size.Height, 3);

    EXPECT_EQ(Raised([] { PngCodec::Decode("not a png"); }).Kind, RRasterErrorKind::PngNoSignature);
    std::string flipped = PngCodec::Encode(RBitmap32(4, 4));
    flipped[42] ^= 0x55;  // inside the IDAT data
    const RRasterFault checksum = Raised([&] { PngCodec::Decode(flipped); });
    EXPECT_EQ(checksum.Kind, RRasterErrorKind::PngBadChecksum);
    EXPECT_EQ(checksum.Name, "IDAT");

    try {
        PngCodec::Decode("not a png");
    } catch (const RError& error) {
        EXPECT_STREQ(error.what(), "Ошибка чтения изображения PNG: нет подписи PNG");
        EXPECT_EQ(error.Text(RLanguage::English), "Error reading PNG image: no PNG signature");
    }
}
