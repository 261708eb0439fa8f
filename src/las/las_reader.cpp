// Reading a LAS file into the data set, in the steps the LAS notes list:
// open the file; collect the header sections up to the data section and
// parse them; read every data row (las_data_section); build the index from
// the rows' depths and check the header against it (las_index); keep what
// follows the data; hand the curves over.

#include "las/las_data.h"

#include "las/las_data_section.h"
#include "las/las_index.h"
#include "las/las_line_reader.h"
#include "las/las_problem.h"
#include "las/logging.h"

#include <algorithm>

namespace {

// Reads the next line trimmed of blanks; false at the end of the file.
bool ReadTrimmed(RLasLineReader& reader, std::string& line)
{
    std::string_view raw;
    if (!reader.ReadLine(raw)) {
        line.clear();
        return false;
    }
    line.assign(TrimBlanks(raw));
    return true;
}

bool IsTildeLine(const std::string& line) { return !line.empty() && line[0] == '~'; }

// Reports, however the load ends, that a reader cut an overlong line.
class CutReport {
public:
    CutReport(const RLasLineReader& reader, const bool& piecesCut, const std::string& path)
        : reader_(reader), piecesCut_(piecesCut), path_(path)
    {
    }
    CutReport(const CutReport&) = delete;
    CutReport& operator=(const CutReport&) = delete;
    ~CutReport()
    {
        if (!reader_.LinesCut() && !piecesCut_)
            return;
        try {
            Report({.Kind = RLasProblemKind::LineCut, .Path = path_});
        } catch (...) {
            // A sink that fails must not end the program from a destructor.
        }
    }

private:
    const RLasLineReader& reader_;
    const bool& piecesCut_;
    const std::string& path_;
};

bool OpenFile(RLasLineReader& reader, const std::string& path)
{
    if (reader.Open(path))
        return true;
    Report({.Kind = reader.OpenFailure(), .Path = path, .FileType = reader.FileType()});
    return false;
}

// True, with the problem reported, when the reader stopped short of the
// end of the file: a read failed or the file was cut while it was read.
// Whatever the lines read so far seemed to say, that is the problem.
bool ReadStoppedShort(const RLasLineReader& reader, const std::string& path)
{
    if (!reader.Changed() && !reader.Failed())
        return false;
    Report({.Kind = reader.Changed() ? RLasProblemKind::FileChanged : RLasProblemKind::FileUnreadable, .Path = path});
    return true;
}

// Skips to the first tilde line, left in `line`; it must not open the data.
bool SeekFirstSection(RLasLineReader& reader, const std::string& path, std::string& line)
{
    bool found = false;
    while (ReadTrimmed(reader, line)) {
        if (IsTildeLine(line)) {
            found = true;
            break;
        }
    }
    if (!found) {
        if (!ReadStoppedShort(reader, path))
            Report({.Kind = RLasProblemKind::NoSections, .Path = path});
        return false;
    }
    if (SectionKindOf(line) == RLasSectionKind::Data) {
        Report({.Kind = RLasProblemKind::NoHeader, .Path = path});
        return false;
    }
    return true;
}

// Collects the header sections, in whatever order they come, from `line`
// (a tilde line) up to the data section, and parses them.
bool ReadHeaderSections(RLasLineReader& reader, const std::string& path, std::string& line, TLasHeaderNew& header)
{
    while (!reader.AtEnd() && SectionKindOf(line) != RLasSectionKind::Data) {
        header.BeginSection(line);
        ReadTrimmed(reader, line);
        while (!reader.AtEnd() && !IsTildeLine(line)) {
            header.AddLine(line);
            ReadTrimmed(reader, line);
        }
    }
    if (ReadStoppedShort(reader, path))
        return false;
    // A data section with no rows is still one (the file may end at its
    // title line); only a file without one has none.
    if (!IsTildeLine(line) || SectionKindOf(line) != RLasSectionKind::Data) {
        Report({.Kind = RLasProblemKind::NoDataSection, .Path = path});
        return false;
    }
    header.DataTitle = line;
    if (!header.ReadHeader()) {
        Report({.Kind = RLasProblemKind::HeaderUnreadable});
        return false;
    }
    if (header.Curves().Lines.size() > RLasData::kMaxColumns) {
        RLasProblem problem{.Kind = RLasProblemKind::TooManyCurves, .Path = path};
        problem.Count = static_cast<std::int64_t>(header.Curves().Lines.size());
        problem.Expected = static_cast<std::int64_t>(RLasData::kMaxColumns);
        Report(std::move(problem));
        return false;
    }
    return true;
}

// The sections after the data section, kept as they stand, into `text`;
// false (reported) when the file could not be read to its end.
bool ReadTrailingText(const RLasLineReader& whole, std::uint64_t from, const std::string& path, std::string& text)
{
    RLasLineReader reader;
    text.clear();
    if (!reader.OpenPiece(whole, from, RLasLineReader::kToTheEnd))
        return true;
    std::string_view line;
    while (reader.ReadLine(line)) {
        if (!text.empty())
            text += "\r\n";
        text += line;
    }
    while (text.ends_with("\r\n"))
        text.resize(text.size() - 2);
    return !ReadStoppedShort(reader, path);
}

// The rows' problems, each kind once for the file.
void ReportDataIssues(const DataIssues& issues)
{
    const auto report = [](RLasProblemKind kind, const RowIssue& issue) {
        if (issue.Count == 0)
            return;
        RLasProblem problem{.Kind = kind};
        problem.Line = issue.First;
        problem.Count = static_cast<std::int64_t>(issue.Count);
        problem.Row = static_cast<std::int64_t>(issue.FirstRow);
        Report(std::move(problem));
    };
    report(RLasProblemKind::DepthNotANumber, issues.BadDepths);
    report(RLasProblemKind::TooFewValues, issues.ShortRows);
    report(RLasProblemKind::TooManyValues, issues.LongRows);
    report(RLasProblemKind::TextNulls, issues.TextNulls);
}

// The form the writer keeps a column in: the decimals the file used (at
// least four), or exponents where most of its numbers had one.
RLasNumberStyle StyleOf(const ColumnForm& form)
{
    return RLasNumberStyle{std::max<int>(4, form.Decimals), form.MostlyExponent()};
}

TLasHeader FlatHeader(const TLasHeaderNew& header, std::size_t sampleCount)
{
    const TLasWellSection& well = header.Well();
    TLasHeader flat;
    flat.WellName = well.Well;
    flat.Strt = well.Strt;
    flat.Step = well.Step;
    flat.Stop = well.Stop;
    flat.NullValue = well.NullValue;
    flat.StrtUnit = well.StrtUnit;
    flat.StepUnit = well.StepUnit;
    flat.StopUnit = well.StopUnit;
    flat.Date = well.Date;
    flat.CurveCount = static_cast<std::uint16_t>(std::min<std::size_t>(header.Curves().Lines.size(), 0xFFFF));
    flat.SampleCount = static_cast<int>(sampleCount);
    flat.Uwi = well.Uwi;
    flat.Fld = well.Fld;
    flat.Comp = well.Comp;
    flat.ParameterText = header.Parameters().Text();
    flat.DownholeText = header.Downhole().Text();
    flat.OtherText = header.Other().Text();
    flat.FullText = header.FullText();
    return flat;
}

}  // namespace

bool RLasData::LoadFromLas(const std::string& path, const RLasLoadOptions& options)
{
    const RLogScope scope(options.Sink);
    RLasLineReader reader;
    if (!OpenFile(reader, path))
        return false;
    if (options.Progress)
        options.Progress->FileSize = reader.FileSize();
    DataSectionRead read;  // its pieces' readers may cut lines too
    const CutReport cutReport(reader, read.linesCut, path);
    std::string line;
    if (!SeekFirstSection(reader, path, line))
        return false;
    // The header stays even when the data cannot be read, for display; the
    // curves and columns of any earlier load go with the old header.
    columns_.clear();
    curves_.clear();
    Index = RLasIndex{};
    lasHeader_ = std::make_unique<TLasHeaderNew>();
    const bool headerRead = ReadHeaderSections(reader, path, line, *lasHeader_);
    // Known as soon as the header is, so that it can be shown even when the
    // data cannot be read. UTF-16 was converted on reading; other text is
    // taken as it is, in the code page its letters suggest unless the
    // caller names one.
    FileEncoding = reader.SourceEncoding();
    if (FileEncoding == TextCodec::Encoding::Utf8)
        FileEncoding = options.Encoding ? *options.Encoding : TextCodec::GuessEightBit(lasHeader_->FullText());
    const bool converted = FileEncoding == TextCodec::Encoding::Utf16LE || FileEncoding == TextCodec::Encoding::Utf16BE;
    TextEncoding = converted ? TextCodec::Encoding::Utf8 : FileEncoding;
    if (!headerRead) {
        // A header read from a file that changed under it is no header of it.
        if (reader.Changed())
            lasHeader_.reset();
        return false;
    }

    const TLasWellSection& well = lasHeader_->Well();
    DataTargets targets(*lasHeader_);
    const TLasVersionSection& version = lasHeader_->Version();
    const DataLayout layout{version.Wrap, version.Delimiter};
    const std::int64_t declared = well.Step != 0.0 ? SampleCountFor(well.Strt, well.Stop, well.Step) : -1;
    if (!ReadDataSection(reader, path, layout, options, targets, static_cast<std::size_t>(std::max<std::int64_t>(declared, 0)),
                         read)) {
        if (read.fileChanged)
            lasHeader_.reset();
        return false;
    }
    if (read.sectionFollows && !ReadTrailingText(reader, read.sectionAt, path, lasHeader_->TrailingText)) {
        lasHeader_.reset();
        return false;
    }
    ReportDataIssues(read.issues);

    TDoubleArray depths;
    targets.Finish(read.rows, depths, curves_);
    const ColumnForm& depthForm = read.forms[0];
    Index = RLasIndex::FromDepths(std::move(depths), depthForm.Exponents ? -1 : depthForm.Decimals, well, path);
    Index.Style = StyleOf(depthForm);
    columns_.reserve(curves_.size());
    for (std::size_t k = 0; k < curves_.size(); ++k) {
        Index.ApplyTo(*curves_[k]);
        columns_.push_back(RLasColumn::ReadingCurve(*curves_[k]));
        columns_.back().FileStyle = StyleOf(read.forms[k + 1]);
    }
    Header = FlatHeader(*lasHeader_, Index.Count);
    CacheText = Header.FullText;
    if (curves_.empty()) {
        // Depths and nothing to draw along them: every caller takes that
        // as a failed load, and this says why.
        Report({.Kind = RLasProblemKind::OnlyIndexColumn, .Path = path});
        return false;
    }
    return true;
}
