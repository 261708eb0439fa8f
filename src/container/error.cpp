#include "container/error.h"

#include <cstring>
#include <locale.h>

std::string RError::Text(RLanguage) const { return what(); }

std::string FillTemplate(std::string_view text, std::initializer_list<RTemplateField> fields)
{
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find('{', pos);
        const std::size_t close = open == std::string_view::npos ? open : text.find('}', open);
        if (close == std::string_view::npos) {
            out.append(text.substr(pos));
            break;
        }
        out.append(text.substr(pos, open - pos));
        const std::string_view name = text.substr(open + 1, close - open - 1);
        const RTemplateField* field = nullptr;
        for (const RTemplateField& candidate : fields)
            if (candidate.name == name)
                field = &candidate;
        out.append(field ? field->value : text.substr(open, close - open + 1));
        pos = close + 1;
    }
    return out;
}

std::string SystemErrorText(int error, RLanguage language)
{
    if (language == RLanguage::Russian)
        return std::strerror(error);
    // The "C" locale's texts are the C library's own English ones.
    static const locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (cLocale == static_cast<locale_t>(nullptr))
        return std::strerror(error);
    return ::strerror_l(error, cLocale);
}
