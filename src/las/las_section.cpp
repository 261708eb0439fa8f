#include "las/las_section.h"

#include "las/las_tolerance.h"

#include <cctype>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

void TLasSection::Begin(std::string_view tildeLine)
{
    text_.assign(tildeLine);
    Cursor = 0;
}

void TLasSection::AddLine(std::string_view line)
{
    text_ += kLineEnd;
    text_ += line;
}

void TLasSection::SetText(std::string text)
{
    text_ = std::move(text);
    Cursor = 0;
}

std::string NextLine(TLasSection& section)
{
    const std::string& text = section.Text();
    while (section.Cursor < text.size()) {
        const std::size_t begin = section.Cursor;
        std::size_t end = text.find(kLineEnd, begin);
        if (end == std::string::npos)
            end = text.size();
        section.Cursor = end + kLineEnd.size();
        if (end > begin && text[begin] != '~' && text[begin] != '#')
            return text.substr(begin, end - begin);
    }
    return {};
}

RLasSectionKind SectionKindOf(std::string_view tildeLine)
{
    std::string_view name = tildeLine.substr(tildeLine.empty() ? 0 : 1);
    name = name.substr(0, name.find_first_of(" \t|"));
    // A data set number: [1] is the first set, any other a further one.
    std::string_view set;
    if (const std::size_t open = name.find('['); open != std::string_view::npos) {
        set = name.substr(open);
        name = name.substr(0, open);
    }
    const bool firstSet = set.empty() || set == "[1]";
    struct Named {
        std::string_view name;
        RLasSectionKind kind;
    };
    static constexpr Named kLas30Names[] = {
        {"Log_Definition", RLasSectionKind::Curve},
        {"Log_Parameter", RLasSectionKind::Parameter},
        {"Log_Data", RLasSectionKind::Data},
        {"ASCII", RLasSectionKind::Data},
    };
    for (const Named& named : kLas30Names)
        if (LasTolerance::SameLetters(name, named.name))
            return firstSet ? named.kind : RLasSectionKind::Kept;
    // Other LAS 3.0 groups (Core_Data, Tops_Definition ...).
    if (name.find('_') != std::string_view::npos || !set.empty())
        return RLasSectionKind::Kept;
    switch (name.empty() ? '\0' : std::toupper(static_cast<unsigned char>(name.front()))) {
    case 'V': return RLasSectionKind::Version;
    case 'W': return RLasSectionKind::Well;
    case 'C': return RLasSectionKind::Curve;
    case 'P': return RLasSectionKind::Parameter;
    case 'D': return RLasSectionKind::Downhole;
    case 'O': return RLasSectionKind::Other;
    case 'A': return RLasSectionKind::Data;
    default: return RLasSectionKind::Kept;
    }
}
