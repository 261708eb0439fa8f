#include "las/las_section.h"

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
