#include "container/file_error.h"

#include <array>

namespace {

using Kind = RFileErrorKind;
using Table = std::array<RWording<Kind>, kFileErrorKindCount>;

constexpr Table kEnglish{{
    {Kind::OpenFailed, "Cannot open file {Path}: {System}"},
    {Kind::ReadFailed, "Error reading file: {System} ({Path}, offset {Offset})"},
    {Kind::UnexpectedEnd, "Error reading file: unexpected end of file ({Path}, offset {Offset})"},
    {Kind::NegativeLength, "Error reading file: negative string length ({Path}, offset {Offset})"},
    {Kind::UnknownValueType, "Error reading file: unknown value type ({Path}, offset {Offset})"},
    {Kind::NodesTooDeep, "Error reading file: nodes nested too deeply ({Path}, offset {Offset})"},
    {Kind::BadNodeCount, "Error reading file: invalid number of nodes ({Path}, offset {Offset})"},
    {Kind::BadObjectCount, "Error reading file: invalid number of objects ({Path}, offset {Offset})"},
    {Kind::BadValueCount, "Error reading file: invalid number of values ({Path}, offset {Offset})"},
    {Kind::DecompressFailed, "Error decompressing data"},
    {Kind::WriteFailed, "Error writing file: {System} ({Path})"},
    {Kind::TreeTooDeep, "Error writing file: nodes nested too deeply ({Path})"},
    {Kind::CompressFailed, "Error compressing data"},
}};

constexpr Table kRussian{{
    {Kind::OpenFailed, "Ошибка открытия файла {Path}: {System}"},
    {Kind::ReadFailed, "Ошибка чтения из файла: {System} ({Path}, смещение {Offset})"},
    {Kind::UnexpectedEnd, "Ошибка чтения из файла: неожиданный конец файла ({Path}, смещение {Offset})"},
    {Kind::NegativeLength, "Ошибка чтения из файла: отрицательная длина строки ({Path}, смещение {Offset})"},
    {Kind::UnknownValueType, "Ошибка чтения из файла: неизвестный тип значения ({Path}, смещение {Offset})"},
    {Kind::NodesTooDeep, "Ошибка чтения из файла: слишком глубокая вложенность узлов ({Path}, смещение {Offset})"},
    {Kind::BadNodeCount, "Ошибка чтения из файла: некорректное число узлов ({Path}, смещение {Offset})"},
    {Kind::BadObjectCount, "Ошибка чтения из файла: некорректное число объектов ({Path}, смещение {Offset})"},
    {Kind::BadValueCount, "Ошибка чтения из файла: некорректное число значений ({Path}, смещение {Offset})"},
    {Kind::DecompressFailed, "Ошибка разархивации данных"},
    {Kind::WriteFailed, "Ошибка записи в файл: {System} ({Path})"},
    {Kind::TreeTooDeep, "Ошибка записи в файл: слишком глубокая вложенность узлов ({Path})"},
    {Kind::CompressFailed, "Ошибка архивации данных"},
}};

static_assert(InKindOrder(kEnglish), "English texts out of the order of RFileErrorKind");
static_assert(InKindOrder(kRussian), "Russian texts out of the order of RFileErrorKind");

}  // namespace

std::string FaultText(const RFileFault& fault, RLanguage language)
{
    const auto index = static_cast<std::size_t>(fault.Kind);
    if (index >= kFileErrorKindCount)
        return {};
    const Table& table = language == RLanguage::Russian ? kRussian : kEnglish;
    const std::string system = SystemErrorText(fault.SystemError, language);
    const std::string offset = std::to_string(fault.Offset);
    return FillTemplate(table[index].text, {{"Path", fault.Path}, {"System", system}, {"Offset", offset}});
}

RFileError::RFileError(RFileFault fault)
    : RError(FaultText(fault, RLanguage::Russian)), fault_(std::move(fault))
{
}
