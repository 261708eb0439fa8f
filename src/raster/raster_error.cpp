#include "raster/raster_error.h"

#include <array>

namespace {

using Kind = RRasterErrorKind;
using Table = std::array<RWording<Kind>, kRasterErrorKindCount>;

constexpr Table kEnglish{{
    {Kind::FreeTypeUnavailable, "Could not start the FreeType font rasteriser"},
    {Kind::FontNotFound, "Font \"{Name}\" not found"},
    {Kind::FontFileUnreadable, "Cannot open file {Path}"},
    {Kind::BadImageSize, "Invalid image size: {Width} x {Height}"},
    {Kind::PngNoSignature, "Error reading PNG image: no PNG signature"},
    {Kind::PngTruncated, "Error reading PNG image: the file is cut short"},
    {Kind::PngBadChecksum, "Error reading PNG image: wrong checksum of chunk {Name}"},
    {Kind::PngBadHeader, "Error reading PNG image: invalid header"},
    {Kind::PngBadSize, "Error reading PNG image: invalid size"},
    {Kind::PngUnsupported, "Error reading PNG image: unsupported format"},
    {Kind::PngNoHeader, "Error reading PNG image: no header"},
    {Kind::PngBadImageData, "Error reading PNG image: the image data are damaged"},
    {Kind::PngBadRowFilter, "Error reading PNG image: unknown row filter"},
    {Kind::PngCompressFailed, "Error compressing data"},
}};

constexpr Table kRussian{{
    {Kind::FreeTypeUnavailable, "Не удалось запустить растеризатор шрифтов FreeType"},
    {Kind::FontNotFound, "Не найден шрифт \"{Name}\""},
    {Kind::FontFileUnreadable, "Ошибка открытия файла {Path}"},
    {Kind::BadImageSize, "Недопустимый размер изображения: {Width} x {Height}"},
    {Kind::PngNoSignature, "Ошибка чтения изображения PNG: нет подписи PNG"},
    {Kind::PngTruncated, "Ошибка чтения изображения PNG: файл обрезан"},
    {Kind::PngBadChecksum, "Ошибка чтения изображения PNG: неверная контрольная сумма блока {Name}"},
    {Kind::PngBadHeader, "Ошибка чтения изображения PNG: неверный заголовок"},
    {Kind::PngBadSize, "Ошибка чтения изображения PNG: недопустимый размер"},
    {Kind::PngUnsupported, "Ошибка чтения изображения PNG: неподдерживаемый формат"},
    {Kind::PngNoHeader, "Ошибка чтения изображения PNG: нет заголовка"},
    {Kind::PngBadImageData, "Ошибка чтения изображения PNG: повреждены данные изображения"},
    {Kind::PngBadRowFilter, "Ошибка чтения изображения PNG: неизвестный фильтр строки"},
    {Kind::PngCompressFailed, "Ошибка архивации данных"},
}};

static_assert(InKindOrder(kEnglish), "English texts out of the order of RRasterErrorKind");
static_assert(InKindOrder(kRussian), "Russian texts out of the order of RRasterErrorKind");

}  // namespace

std::string FaultText(const RRasterFault& fault, RLanguage language)
{
    const auto index = static_cast<std::size_t>(fault.Kind);
    if (index >= kRasterErrorKindCount)
        return {};
    const Table& table = language == RLanguage::Russian ? kRussian : kEnglish;
    const std::string width = std::to_string(fault.Width), height = std::to_string(fault.Height);
    return FillTemplate(table[index].text,
                        {{"Name", fault.Name}, {"Path", fault.Path}, {"Width", width}, {"Height", height}});
}

RRasterError::RRasterError(RRasterFault fault)
    : RError(FaultText(fault, RLanguage::Russian)), fault_(std::move(fault))
{
}
