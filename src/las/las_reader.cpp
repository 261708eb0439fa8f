// Reading a LAS file into the data set: the header sections up to ~A, the
// sample count from ~W, then the data lines into one column per ~C line.

#include "las/las_data.h"

#include "las/las_line_reader.h"
#include "las/las_scanner.h"
#include "las/logging.h"

#include <algorithm>
#include <sys/stat.h>

namespace {

bool FileExists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

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

char SecondChar(const std::string& line) { return line.size() > 1 ? line[1] : '\0'; }

// The data section, read into `columns` (each already sized to the sample
// count and filled with NULL). False when a scanner failed.
class DataSectionReader {
public:
    DataSectionReader(RLasLineReader& reader, std::vector<TDoubleArray>& columns, std::size_t sampleCount,
                      std::size_t depthPosition)
        : reader_(reader), columns_(columns), sampleCount_(sampleCount), depthPosition_(depthPosition),
          values_(columns.size())
    {
    }

    bool ReadUnwrapped()
    {
        std::string_view line;
        while (stored_ < sampleCount_ && reader_.ReadLine(line)) {
            // A blank line is no sample; storing it would repeat the last one.
            if (TrimBlanks(line).empty())
                continue;
            if (!ScanDataLine(line, values_, depthPosition_))
                return false;
            Store();
        }
        return true;
    }

    bool ReadWrapped()
    {
        std::string_view line;
        const std::size_t curveCount = values_.size();
        while (stored_ < sampleCount_) {
            // The depth line; blank lines before it are skipped.
            do {
                if (!reader_.ReadLine(line))
                    return true;
            } while (TrimBlanks(line).empty());
            // The depth itself is not used; values after it on the same
            // line belong to the sample.
            std::size_t pos = 0, count = 0;
            double depth = 0.0;
            ScanNextNumber(line, pos, depth);
            if (!ScanContinuationLine(line.substr(pos), values_, count))
                return Failed(line);
            while (count < curveCount) {
                if (!reader_.ReadLine(line))
                    return true;  // the file ends inside the sample: it is dropped
                if (TrimBlanks(line).empty())
                    continue;
                if (!ScanContinuationLine(line, values_, count))
                    return Failed(line);
            }
            Store();
        }
        return true;
    }

    // After the loop: lines beyond the last sample that hold anything.
    void CheckExcess()
    {
        std::string_view line;
        while (reader_.ReadLine(line)) {
            if (!TrimBlanks(line).empty()) {
                LogMessage("Слишком много данных в секции Data");
                return;
            }
        }
    }

private:
    void Store()
    {
        for (std::size_t k = 0; k < values_.size(); ++k)
            columns_[k][stored_] = values_[k];
        ++stored_;
    }

    static bool Failed(std::string_view line)
    {
        LogMessage("Ошибка разбора строки " + std::string(line) + " в секции Data");
        return false;
    }

    RLasLineReader& reader_;
    std::vector<TDoubleArray>& columns_;
    std::size_t sampleCount_;
    std::size_t depthPosition_;
    std::vector<double> values_;
    std::size_t stored_ = 0;
};

// Reports, however the load ends, that the reader cut an overlong line.
class CutReport {
public:
    CutReport(const RLasLineReader& reader, const std::string& path) : reader_(reader), path_(path) {}
    CutReport(const CutReport&) = delete;
    CutReport& operator=(const CutReport&) = delete;
    ~CutReport()
    {
        if (!reader_.LinesCut())
            return;
        try {
            LogMessage("Слишком длинная строка в файле " + path_ + " обрезана");
        } catch (...) {
            // A sink that fails must not end the program from a destructor.
        }
    }

private:
    const RLasLineReader& reader_;
    const std::string& path_;
};

bool OpenFile(RLasLineReader& reader, const std::string& path)
{
    if (!FileExists(path)) {
        LogMessage("Файл " + path + " не найден");
        return false;
    }
    if (!reader.Open(path)) {
        LogMessage("Не удается прочитать файл " + path);
        return false;
    }
    return true;
}

// Skips to the first tilde line, left in `line`; it must not be ~A.
bool SeekFirstSection(RLasLineReader& reader, const std::string& path, std::string& line)
{
    bool found = false;
    while (ReadTrimmed(reader, line)) {
        if (!line.empty() && line[0] == '~') {
            found = true;
            break;
        }
    }
    if (!found) {
        LogMessage("Файл " + path + " не содержит ни одной секции");
        return false;
    }
    if (SecondChar(line) == 'A') {
        LogMessage("Файл " + path + " не содержит заголовка");
        return false;
    }
    return true;
}

// Collects the header sections from `line` (a tilde line) up to ~A and
// parses them.
bool ReadHeaderSections(RLasLineReader& reader, const std::string& path, std::string& line, TLasHeaderNew& header)
{
    while (!reader.AtEnd() && SecondChar(line) != 'A') {
        header.BeginSection(line);
        ReadTrimmed(reader, line);
        while (!reader.AtEnd() && (line.empty() || line[0] != '~')) {
            header.AddLine(line);
            ReadTrimmed(reader, line);
        }
    }
    if (reader.AtEnd()) {
        LogMessage("Файл " + path + " не содержит секции данных");
        return false;
    }
    if (!header.ReadHeader()) {
        LogMessage("Не удалось прочитать заголовок файла");
        return false;
    }
    return true;
}

// The sample count from STRT, STOP and STEP (0 when STEP is 0), refused
// when the columns would exceed RLasData::kMaxValues.
bool CountSamples(const TLasHeaderNew& header, const std::string& path, std::size_t& sampleCount)
{
    const TLasWellSection& well = header.Well();
    sampleCount = 0;
    if (well.Step == 0.0)
        return true;
    const std::int64_t count = RLasData::SampleCountFor(well.Strt, well.Stop, well.Step);
    const auto columnCount = static_cast<std::int64_t>(std::max<std::size_t>(header.Curves().Lines.size(), 1));
    if (count < 0 || count * columnCount > RLasData::kMaxValues) {
        LogMessage("Слишком много отсчётов в файле " + path + ": проверьте STRT, STOP и STEP в секции Well");
        return false;
    }
    sampleCount = static_cast<std::size_t>(count);
    return true;
}

// One column per ~C line, `sampleCount` long, rows the file leaves out
// holding NULL. False (and no columns) when a line could not be scanned.
bool ReadDataSection(RLasLineReader& reader, const TLasHeaderNew& header, std::size_t sampleCount,
                     std::vector<TDoubleArray>& columns)
{
    const TLasCurveSection& curveSection = header.Curves();
    columns.assign(curveSection.Lines.size(), TDoubleArray(sampleCount, header.Well().NullValue));
    if (sampleCount == 0)
        return true;
    DataSectionReader data(reader, columns, sampleCount, static_cast<std::size_t>(curveSection.DepthPosition));
    if (!(header.Version().Wrap ? data.ReadWrapped() : data.ReadUnwrapped())) {
        // Nothing half-read stays behind to be saved as real samples.
        columns.clear();
        return false;
    }
    if (!reader.AtEnd())
        data.CheckExcess();
    return true;
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

// A curve per ~C line that is not a depth, with its column's values.
std::vector<std::unique_ptr<RLasCurve>> FileCurves(const TLasHeaderNew& header, const std::vector<TDoubleArray>& columns)
{
    const TLasWellSection& well = header.Well();
    const std::vector<RLasSectionLine>& lines = header.Curves().Lines;
    std::vector<std::unique_ptr<RLasCurve>> curves;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (RLasData::IsDepthName(lines[k].Mnem))
            continue;
        auto curve = std::make_unique<RLasCurve>();
        curve->Mnemonic = lines[k].Mnem.substr(0, RLasCurve::kMaxMnemonicLength);
        curve->Unit = lines[k].Unit;
        curve->FirstDepth = well.Strt;
        curve->LastDepth = well.Stop;
        curve->Data.Step = well.Step;
        curve->NullValue = well.NullValue;
        curve->FromFile = true;
        curve->SetValues(columns[k]);
        curves.push_back(std::move(curve));
    }
    return curves;
}

}  // namespace

bool RLasData::LoadFromLas(const std::string& path)
{
    RLasLineReader reader;
    if (!OpenFile(reader, path))
        return false;
    const CutReport cutReport(reader, path);
    std::string line;
    if (!SeekFirstSection(reader, path, line))
        return false;
    // The header stays even when the data cannot be read, for display; the
    // curves and columns of any earlier load go with the old header.
    curves_.clear();
    columns_.clear();
    lasHeader_ = std::make_unique<TLasHeaderNew>();
    if (!ReadHeaderSections(reader, path, line, *lasHeader_))
        return false;
    std::size_t sampleCount = 0;
    if (!CountSamples(*lasHeader_, path, sampleCount))
        return false;
    std::vector<TDoubleArray> columns;
    if (!ReadDataSection(reader, *lasHeader_, sampleCount, columns))
        return false;
    if (reader.Failed())
        LogMessage("Не удается прочитать файл " + path);
    reader.Close();

    Header = FlatHeader(*lasHeader_, sampleCount);
    CacheText = Header.FullText;
    curves_ = FileCurves(*lasHeader_, columns);
    columns_ = std::move(columns);
    return !curves_.empty();
}
