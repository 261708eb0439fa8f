#include "view/calc_curve_error.h"

#include <array>

namespace {

using Kind = RCalcCurveErrorKind;
using Table = std::array<RWording<Kind>, kCalcCurveErrorKindCount>;

constexpr Table kEnglish{{
    {Kind::BadName, "Invalid curve name \"{Name}\"."},
    {Kind::NoDocument, "No LAS file is loaded."},
}};

constexpr Table kRussian{{
    {Kind::BadName, "Недопустимое имя кривой \"{Name}\"."},
    {Kind::NoDocument, "Нет загруженного файла LAS."},
}};

static_assert(InKindOrder(kEnglish), "English texts out of the order of RCalcCurveErrorKind");
static_assert(InKindOrder(kRussian), "Russian texts out of the order of RCalcCurveErrorKind");

}  // namespace

std::string FaultText(const RCalcCurveFault& fault, RLanguage language)
{
    const auto index = static_cast<std::size_t>(fault.Kind);
    if (index >= kCalcCurveErrorKindCount)
        return {};
    const Table& table = language == RLanguage::Russian ? kRussian : kEnglish;
    return FillTemplate(table[index].text, {{"Name", fault.Name}});
}

RCalcCurveError::RCalcCurveError(RCalcCurveFault fault)
    : RError(FaultText(fault, RLanguage::Russian)), fault_(std::move(fault))
{
}
