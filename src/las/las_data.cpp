#include "las/las_data.h"

#include "container/data_container.h"
#include "container/error.h"
#include "las/las_io.h"
#include "las/las_line_reader.h"
#include "las/las_number_format.h"
#include "las/las_scanner.h"
#include "las/logging.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

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

}  // namespace

bool RLasData::IsDepthName(std::string_view mnemonic) { return IsDepthMnemonic(mnemonic); }

std::int64_t RLasData::SampleCountFor(double strt, double stop, double step)
{
    if (step == 0.0)
        return -1;
    const double span = std::fabs((stop - strt) / step);
    if (!std::isfinite(span) || span >= static_cast<double>(kMaxValues))
        return -1;
    // nearbyint rounds halves to even in the default rounding mode.
    return static_cast<std::int64_t>(std::nearbyint(span)) + 1;
}

bool RLasData::LoadFromLas(const std::string& path)
{
    if (!FileExists(path)) {
        LogMessage("Файл " + path + " не найден");
        return false;
    }
    RLasLineReader reader;
    if (!reader.Open(path)) {
        LogMessage("Не удается прочитать файл " + path);
        return false;
    }
    // Whichever way the load ends, a line cut by the reader is reported.
    struct CutReport {
        RLasLineReader& reader;
        const std::string& path;
        ~CutReport()
        {
            if (!reader.LinesCut())
                return;
            try {
                LogMessage("Слишком длинная строка в файле " + path + " обрезана");
            } catch (...) {
                // A sink that fails must not end the program from a destructor.
            }
        }
    } cutReport{reader, path};

    std::string line;
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

    LasHeader = std::make_unique<TLasHeaderNew>();
    TLasHeaderNew& header = *LasHeader;
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

    const TLasWellSection& well = header.Well();
    const TLasCurveSection& curveSection = header.Curves();
    const std::size_t curveCount = curveSection.Lines.size();
    std::size_t sampleCount = 0;
    if (well.Step != 0.0) {
        const std::int64_t count = SampleCountFor(well.Strt, well.Stop, well.Step);
        if (count < 0 || count * static_cast<std::int64_t>(std::max<std::size_t>(curveCount, 1)) > kMaxValues) {
            LogMessage("Слишком много отсчётов в файле " + path + ": проверьте STRT, STOP и STEP в секции Well");
            return false;
        }
        sampleCount = static_cast<std::size_t>(count);
    }
    Columns.assign(curveCount, TDoubleArray(sampleCount, well.NullValue));
    if (sampleCount > 0) {
        DataSectionReader data(reader, Columns, sampleCount, static_cast<std::size_t>(curveSection.DepthPosition));
        const bool ok = header.Version().Wrap ? data.ReadWrapped() : data.ReadUnwrapped();
        if (!ok) {
            // Nothing half-read stays behind to be saved as real samples.
            Columns.clear();
            return false;
        }
        if (!reader.AtEnd())
            data.CheckExcess();
    }
    if (reader.Failed())
        LogMessage("Не удается прочитать файл " + path);
    reader.Close();

    Header.WellName = well.Well;
    Header.Strt = well.Strt;
    Header.Step = well.Step;
    Header.Stop = well.Stop;
    Header.NullValue = well.NullValue;
    Header.StrtUnit = well.StrtUnit;
    Header.StepUnit = well.StepUnit;
    Header.StopUnit = well.StopUnit;
    Header.Date = well.Date;
    Header.CurveCount = static_cast<std::uint16_t>(std::min<std::size_t>(curveCount, 0xFFFF));
    Header.SampleCount = static_cast<int>(sampleCount);
    Header.Uwi = well.Uwi;
    Header.Fld = well.Fld;
    Header.Comp = well.Comp;
    Header.ParameterText = header.Parameters().Text();
    Header.DownholeText = header.Downhole().Text();
    Header.OtherText = header.Other().Text();
    Header.FullText = header.FullText();
    CacheText = Header.FullText;

    Curves.clear();
    for (std::size_t k = 0; k < curveCount; ++k) {
        const RLasSectionLine& entry = curveSection.Lines[k];
        if (IsDepthName(entry.Mnem))
            continue;
        auto curve = std::make_unique<RLasCurve>();
        curve->Mnemonic = entry.Mnem.substr(0, RLasCurve::kMaxMnemonicLength);
        curve->Unit = entry.Unit;
        curve->FirstDepth = well.Strt;
        curve->LastDepth = well.Stop;
        curve->Data.Step = well.Step;
        curve->NullValue = well.NullValue;
        curve->FromFile = true;
        curve->SetValues(Columns[k]);
        Curves.push_back(std::move(curve));
    }
    return !Curves.empty();
}

namespace {

// Writes into a temporary file beside the target and renames it over the
// target only when everything was written.
class AtomicTextFile {
public:
    explicit AtomicTextFile(const std::string& path) : path_(path), temp_(path + ".XXXXXX")
    {
        fd_ = ::mkstemp(temp_.data());
        if (fd_ < 0)
            return;
        struct stat old {};
        if (::stat(path.c_str(), &old) == 0) {
            ::fchmod(fd_, old.st_mode & 07777);
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            ::fchmod(fd_, 0666 & ~mask);
        }
    }

    ~AtomicTextFile() { Discard(); }

    bool IsOpen() const { return fd_ >= 0; }

    void Write(const char* data, std::size_t size)
    {
        while (size > 0 && ok_) {
            const ssize_t done = ::write(fd_, data, size);
            if (done < 0 && errno == EINTR)
                continue;
            if (done <= 0) {
                ok_ = false;
                break;
            }
            data += done;
            size -= static_cast<std::size_t>(done);
        }
    }

    bool Commit()
    {
        if (fd_ < 0)
            return false;
        ok_ = ok_ && ::fsync(fd_) == 0;
        ok_ = (::close(fd_) == 0) && ok_;
        fd_ = -1;
        if (ok_ && std::rename(temp_.c_str(), path_.c_str()) == 0) {
            committed_ = true;
            return true;
        }
        Discard();
        return false;
    }

    void Discard()
    {
        if (committed_)
            return;
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        std::remove(temp_.c_str());
        committed_ = true;  // nothing left to clean up
    }

    static constexpr std::size_t kChunk = 1 << 20;

private:
    std::string path_;
    std::string temp_;
    int fd_ = -1;
    bool ok_ = true;
    bool committed_ = false;
};

char* WriteLineEnd(char* p)
{
    p[0] = '\r';
    p[1] = '\n';
    return p + 2;
}

// A wrapped field: at least one blank before it, right-aligned in 13.
char* WriteWrappedText(char* p, std::string_view number)
{
    const std::size_t width = std::max<std::size_t>(13, number.size() + 1);
    std::memset(p, ' ', width - number.size());
    p += width - number.size();
    std::memcpy(p, number.data(), number.size());
    return p + number.size();
}

char* WriteWrappedField(char* p, double value)
{
    std::string number;
    LasNumberFormat::AppendWrapped(number, value);
    return WriteWrappedText(p, number);
}

// How null samples are written. The data-line forms keep four decimals (or
// eight significant digits wrapped), which a null value such as
// -999.123456 does not survive: its samples would read back as real
// values. Such a null is written in its shortest exact form instead. Values
// that are not finite numbers have no form a data line can hold (the
// scanner would lose its place on the line), so they are written as null.
std::string NullText(double nullValue, bool wrap)
{
    std::string text;
    if (wrap)
        LasNumberFormat::AppendWrapped(text, nullValue);
    else
        LasNumberFormat::AppendFixed4(text, nullValue);
    std::size_t pos = 0;
    double readBack = 0.0;
    if (std::isfinite(nullValue) && (!ScanNextNumber(text, pos, readBack) || readBack != nullValue)) {
        char exact[LasNumberFormat::kMaxFixed4Length];
        const auto result = std::to_chars(exact, exact + sizeof exact, nullValue, std::chars_format::fixed);
        text.assign(exact, result.ptr);
    }
    return text;
}

}  // namespace

bool RLasData::SaveToLas(const std::string& path) const
{
    if (!LasHeader) {
        LogMessage("Не удалось записать в файл: отсутствует заголовок");
        return false;
    }
    if (Columns.empty()) {
        LogMessage("Не удалось записать в файл: отсутствует секция данных");
        return false;
    }
    const auto ioError = [&] {
        LogMessage("не удается открыть файл " + path + " для записи");
        return false;
    };
    AtomicTextFile file(path);
    if (!file.IsOpen())
        return ioError();
    std::string header;
    if (!LasHeader->WriteHeader(header))
        return false;

    const TLasWellSection& well = LasHeader->Well();
    if (well.Step == 0.0) {
        LogMessage("Не удается записать в файл: шаг равен нулю");
        return false;
    }
    const std::int64_t sampleCount = SampleCountFor(well.Strt, well.Stop, well.Step);
    bool sizesMatch = sampleCount >= 0 && Columns.size() == LasHeader->Curves().Lines.size();
    for (const TDoubleArray& column : Columns)
        sizesMatch = sizesMatch && static_cast<std::int64_t>(column.size()) == sampleCount;
    if (!sizesMatch) {
        LogMessage("Размерность данных из секции Data не соответсвует заголовку");
        return false;
    }

    header += "~A";
    header += kLineEnd;
    file.Write(header.data(), header.size());

    // Lines are formatted into a buffer with room for the longest one and
    // written out a megabyte at a time.
    const bool wrap = LasHeader->Version().Wrap;
    const std::string nullText = NullText(well.NullValue, wrap);
    const auto writtenAsNull = [&](double value) { return value == well.NullValue || !std::isfinite(value); };
    const std::size_t longestLine =
        (Columns.size() + 1) * (std::max(LasNumberFormat::kMaxFixed4Length, nullText.size()) + 3) + 2;
    std::vector<char> buffer(AtomicTextFile::kChunk + longestLine);
    char* const start = buffer.data();
    char* p = start;
    double depth = well.Strt;
    const std::size_t count = static_cast<std::size_t>(sampleCount);
    for (std::size_t i = 0; i < count; ++i) {
        if (wrap) {
            p = WriteWrappedField(p, depth);
            for (std::size_t r = 0; r < Columns.size(); ++r) {
                if (r % 6 == 0)
                    p = WriteLineEnd(p);
                const double value = Columns[r][i];
                p = writtenAsNull(value) ? WriteWrappedText(p, nullText) : WriteWrappedField(p, value);
            }
        } else {
            p = LasNumberFormat::WriteFixed4(p, depth);
            for (const TDoubleArray& column : Columns) {
                *p++ = '\t';
                const double value = column[i];
                if (writtenAsNull(value)) {
                    std::memcpy(p, nullText.data(), nullText.size());
                    p += nullText.size();
                } else {
                    p = LasNumberFormat::WriteFixed4(p, value);
                }
            }
        }
        p = WriteLineEnd(p);
        if (static_cast<std::size_t>(p - start) >= AtomicTextFile::kChunk) {
            file.Write(start, static_cast<std::size_t>(p - start));
            p = start;
        }
        // Accumulated like the file's own depths, not recomputed.
        depth += well.Step;
    }
    file.Write(start, static_cast<std::size_t>(p - start));
    if (!file.Commit())
        return ioError();
    return true;
}

void RLasData::SaveToNode(RDCNodeList& root) const
{
    for (std::size_t i = 0; i < Curves.size(); ++i) {
        const RLasCurve& curve = *Curves[i];
        RDCNode* node = root.NodeByPath("LasData\\Curves\\" + std::to_string(i), true);
        RDCObject* marks = node->Object(0);
        marks->Value(0)->SetInteger(static_cast<std::int32_t>(i));
        marks->Value(1)->SetString(curve.Formula);
        marks->Value(2)->SetString(curve.MethodName);
        RDCObject* fields = node->Object(1);
        fields->Value(0)->SetDouble(curve.FirstDepth);
        fields->Value(1)->SetDouble(curve.LastDepth);
        fields->Value(2)->SetDouble(curve.Data.Step);
        fields->Value(3)->SetDouble(curve.NullValue);
        fields->Value(4)->SetString(curve.Mnemonic);
        fields->Value(5)->SetString(curve.Unit);
        fields->Value(6)->SetString(curve.Mnemonic);
        RDCObject* range = node->Object(2);
        range->Value(0)->SetDouble(curve.MinValue);
        range->Value(1)->SetDouble(curve.MaxValue);
        RDCObject* values = node->Object(3);
        RDCObject* flags = node->Object(4);
        const int sampleCount = static_cast<int>(curve.Data.Samples.size());
        values->SetValueCount(sampleCount);
        flags->SetValueCount(sampleCount);
        for (int k = 0; k < sampleCount; ++k) {
            const RLasSample sample = curve.Data.Samples[static_cast<std::size_t>(k)];
            values->Value(k)->SetDouble(sample.Value);
            flags->Value(k)->SetInteger(sample.Flags);
        }
    }
    root.NodeByPath("LasData", true)->Object(0)->Value(0)->SetString(CacheText);
}

void RLasData::LoadFromNode(RDCNodeList& root)
{
    const auto valueAt = [](const RDCNode& node, int object, int index) -> const RDCValue* {
        const RDCObject* found = node.ObjectAt(object);
        return found ? found->ValueAt(index) : nullptr;
    };
    const auto doubleAt = [&](const RDCNode& node, int object, int index) {
        const RDCValue* value = valueAt(node, object, index);
        return value ? value->AsDouble() : 0.0;
    };
    const auto stringAt = [&](const RDCNode& node, int object, int index) {
        const RDCValue* value = valueAt(node, object, index);
        return value ? std::string(value->AsString()) : std::string();
    };

    std::vector<std::unique_ptr<RLasCurve>> curves;
    if (RDCNode* list = root.NodeByPath("LasData\\Curves")) {
        curves.resize(static_cast<std::size_t>(list->ChildCount()));
        for (RDCNode* node = list->FirstChild(); node; node = list->NextChild(node)) {
            const RDCValue* indexValue = valueAt(*node, 0, 0);
            const std::int64_t index = indexValue && indexValue->Type() == RDCType::Integer ? indexValue->AsInteger() : -1;
            if (index < 0 || index >= static_cast<std::int64_t>(curves.size()) || curves[static_cast<std::size_t>(index)])
                throw RError("Ошибка загрузки данных из кеша: двойная кривая.");
            auto curve = std::make_unique<RLasCurve>(stringAt(*node, 0, 1), stringAt(*node, 0, 2));
            curve->FirstDepth = doubleAt(*node, 1, 0);
            curve->LastDepth = doubleAt(*node, 1, 1);
            curve->Data.Step = doubleAt(*node, 1, 2);
            curve->NullValue = doubleAt(*node, 1, 3);
            curve->Mnemonic = stringAt(*node, 1, 4).substr(0, RLasCurve::kMaxMnemonicLength);
            curve->Unit = stringAt(*node, 1, 5);
            curve->MinValue = doubleAt(*node, 2, 0);
            curve->MaxValue = doubleAt(*node, 2, 1);
            const RDCObject* values = node->ObjectAt(3);
            const RDCObject* flags = node->ObjectAt(4);
            const int sampleCount = values ? values->ValueCount() : 0;
            curve->Data.Samples.resize(static_cast<std::size_t>(sampleCount));
            for (int k = 0; k < sampleCount; ++k) {
                const RDCValue* flag = flags ? flags->ValueAt(k) : nullptr;
                curve->Data.Samples[static_cast<std::size_t>(k)] =
                    RLasSample{values->ValueAt(k)->AsDouble(), static_cast<std::uint8_t>(flag ? flag->AsInteger() : 0)};
            }
            curves[static_cast<std::size_t>(index)] = std::move(curve);
        }
    }
    std::string cacheText;
    if (RDCNode* node = root.NodeByPath("LasData"))
        cacheText = stringAt(*node, 0, 0);
    Curves = std::move(curves);
    CacheText = std::move(cacheText);
}

int RLasData::ColumnOfCurve(int curveIndex) const
{
    if (!LasHeader || curveIndex < 0)
        return -1;
    const std::vector<RLasSectionLine>& lines = LasHeader->Curves().Lines;
    int seen = -1;
    for (std::size_t k = 0; k < lines.size() && k < Columns.size(); ++k) {
        if (IsDepthName(lines[k].Mnem))
            continue;
        if (++seen == curveIndex)
            return static_cast<int>(k);
    }
    return -1;
}

RLasCurve* RLasData::AddCalculatedCurve(std::unique_ptr<RLasCurve> curve)
{
    if (!curve)
        return nullptr;
    if (LasHeader) {
        std::vector<RLasSectionLine>& lines = LasHeader->Curves().Lines;
        RLasSectionLine entry = lines.empty() ? LasHeader->Curves().DepthLine : lines.back();
        entry.Mnem = curve->Mnemonic;
        entry.Unit = curve->Unit;
        entry.Data.clear();  // the API code and description of another curve
        entry.Description = curve->Formula;
        entry.Status = RLasLineStatus::Parsed;
        lines.push_back(std::move(entry));
        Columns.push_back(ColumnFromCurve(*curve));
        Header.CurveCount = static_cast<std::uint16_t>(std::min<std::size_t>(lines.size(), 0xFFFF));
    }
    Curves.push_back(std::move(curve));
    return Curves.back().get();
}

TDoubleArray RLasData::ColumnFromCurve(const RLasCurve& curve) const
{
    const std::size_t rows = static_cast<std::size_t>(std::max(Header.SampleCount, 0));
    TDoubleArray column(rows, Header.NullValue);
    const std::size_t reached = std::min(rows, curve.SampleCount());
    for (std::size_t r = 0; r < reached; ++r) {
        const RLasSample sample = curve.Data.Samples[r];
        // ATANH(1) is +inf in a curve, but a LAS column holds numbers only.
        if (!(sample.Flags & kSampleNull) && std::isfinite(sample.Value))
            column[r] = sample.Value;
    }
    return column;
}

void RLasData::DeleteCurve(int curveIndex)
{
    if (curveIndex < 0 || curveIndex >= static_cast<int>(Curves.size()))
        return;
    const int column = ColumnOfCurve(curveIndex);
    if (column >= 0) {
        std::vector<RLasSectionLine>& lines = LasHeader->Curves().Lines;
        lines.erase(lines.begin() + column);
        Columns.erase(Columns.begin() + column);
        Header.CurveCount = static_cast<std::uint16_t>(std::min<std::size_t>(lines.size(), 0xFFFF));
    }
    Curves.erase(Curves.begin() + curveIndex);
}

RLasCurve* RLasData::FindCurve(std::string_view mnemonic) const
{
    for (const auto& curve : Curves)
        if (curve->Mnemonic == mnemonic)
            return curve.get();
    return nullptr;
}
