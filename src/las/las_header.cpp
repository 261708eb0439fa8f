#include "las/las_header.h"

#include "las/las_io.h"
#include "las/logging.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

}  // namespace

std::string_view TrimBlanks(std::string_view text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

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

void TLasHeaderNew::BeginSection(std::string_view line)
{
    const char kind = line.size() > 1 ? line[1] : '\0';
    switch (kind) {
    case 'C': current_ = &curves_; break;
    case 'D': current_ = &downhole_; break;
    case 'O': current_ = &other_; break;
    case 'P': current_ = &parameters_; break;
    case 'V': current_ = &version_; break;
    case 'W': current_ = &well_; break;
    default:
        // Unknown sections (~A is never passed here) are skipped whole.
        current_ = nullptr;
        return;
    }
    if (current_->Started())
        current_->AddLine(line);
    else
        current_->Begin(line);
}

void TLasHeaderNew::AddLine(std::string_view line)
{
    if (current_)
        current_->AddLine(line);
}

bool TLasHeaderNew::ReadHeader()
{
    current_ = nullptr;
    Parsed = false;
    if (!ReadVersionSection(version_))
        return false;
    std::unique_ptr<TLasIO> io = TLasIO::ForVersion(version_.Version);
    if (!io)
        return false;
    const bool ok = io->ReadWell(well_) && io->ReadCurves(curves_) && io->ReadParameters(parameters_)
                    && io->ReadDownhole(downhole_) && io->ReadOther(other_);
    Parsed = ok;
    return ok;
}

bool TLasHeaderNew::WriteHeader(std::string& out) const
{
    std::unique_ptr<TLasIO> io = TLasIO::ForVersion(version_.Version);
    if (!io)
        return false;
    io->WriteVersion(out, version_);
    io->WriteWell(out, well_);
    io->WriteCurves(out, curves_);
    io->WriteParameters(out, parameters_);
    io->WriteDownhole(out, downhole_);
    io->WriteOther(out, other_);
    return true;
}

std::string TLasHeaderNew::FullText() const
{
    std::string text;
    for (const TLasSection* section :
         {static_cast<const TLasSection*>(&version_), static_cast<const TLasSection*>(&well_),
          static_cast<const TLasSection*>(&curves_), static_cast<const TLasSection*>(&parameters_),
          static_cast<const TLasSection*>(&downhole_), static_cast<const TLasSection*>(&other_)}) {
        text += section->Text();
        text += kLineEnd;
    }
    return text;
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

RLasSectionLine ParseLine(std::string_view line)
{
    RLasSectionLine result;
    if (line.empty()) {
        result.Status = RLasSectionLine::kNoMoreLines;
        return result;
    }
    result.Status = RLasSectionLine::kSyntaxError;
    const std::size_t dot = line.find('.');
    if (dot == std::string_view::npos) {
        LogMessage("Не найдена точка в строке " + std::string(line));
        return result;
    }
    result.Mnem = TrimBlanks(line.substr(0, dot));
    const std::size_t colon = line.rfind(':');
    if (colon == std::string_view::npos) {
        LogMessage("Не найдено двоеточие в строке " + std::string(line));
        return result;
    }
    const std::size_t space = line.find_first_of(" \t", dot + 1);
    if (space == std::string_view::npos || space > colon) {
        LogMessage("Не найден пробел между точкой и двоеточием в строке " + std::string(line));
        return result;
    }
    result.Unit = line.substr(dot + 1, space - dot - 1);
    result.Data = TrimBlanks(line.substr(space + 1, colon - space - 1));
    result.Description = TrimBlanks(line.substr(colon + 1));
    result.Status = RLasSectionLine::kParsed;
    return result;
}
