#include "las/las_header.h"

#include "las/las_io.h"
#include "las/logging.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

void TLasHeaderNew::BeginSection(std::string_view line)
{
    switch (SectionKindOf(line)) {
    case RLasSectionKind::Curve: current_ = &curves_; break;
    case RLasSectionKind::Downhole: current_ = &downhole_; break;
    case RLasSectionKind::Other: current_ = &other_; break;
    case RLasSectionKind::Parameter: current_ = &parameters_; break;
    case RLasSectionKind::Version: current_ = &version_; break;
    case RLasSectionKind::Well: current_ = &well_; break;
    case RLasSectionKind::Data:
    case RLasSectionKind::Kept:
        kept_.push_back(std::make_unique<TLasSection>());
        current_ = kept_.back().get();
        break;
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

bool TLasHeaderNew::WriteHeader(std::string& out) const { return WriteHeader(out, well_); }

bool TLasHeaderNew::WriteHeader(std::string& out, const TLasWellSection& well) const
{
    std::unique_ptr<TLasIO> io = TLasIO::ForVersion(version_.Version);
    if (!io)
        return false;
    io->WriteVersion(out, version_);
    io->WriteWell(out, well);
    io->WriteCurves(out, curves_);
    io->WriteParameters(out, parameters_);
    io->WriteDownhole(out, downhole_);
    io->WriteOther(out, other_);
    for (const auto& section : kept_) {
        out += section->Text();
        out += kLineEnd;
    }
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
    for (const auto& section : kept_) {
        text += section->Text();
        text += kLineEnd;
    }
    return text;
}
