#include "las/las_header.h"

#include "las/las_io.h"
#include "las/logging.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

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
