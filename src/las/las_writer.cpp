// Writing the data set as LAS: the header in its version, then ~A with one
// line (or, wrapped, one group of lines) per sample, through a temporary
// file renamed over the target only when everything was written.

#include "las/las_data.h"

#include "container/atomic_file.h"
#include "container/error.h"
#include "las/las_number_format.h"
#include "las/las_scanner.h"
#include "las/logging.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Lines are written out a megabyte at a time.
constexpr std::size_t kChunk = 1 << 20;

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

// Why the data set cannot be written as it stands; empty when it can.
std::string WhyNotWritable(const TLasHeaderNew* header, const std::vector<RLasColumn>& columns)
{
    if (!header)
        return "Не удалось записать в файл: отсутствует заголовок";
    if (columns.empty())
        return "Не удалось записать в файл: отсутствует секция данных";
    const TLasWellSection& well = header->Well();
    if (well.Step == 0.0)
        return "Не удается записать в файл: шаг равен нулю";
    const std::int64_t sampleCount = RLasData::SampleCountFor(well.Strt, well.Stop, well.Step);
    bool sizesMatch = sampleCount >= 0 && columns.size() == header->Curves().Lines.size();
    for (const RLasColumn& column : columns)
        sizesMatch = sizesMatch && static_cast<std::int64_t>(column.size()) == sampleCount;
    if (!sizesMatch)
        return "Размерность данных из секции Data не соответсвует заголовку";
    return {};
}

// The ~A lines, a megabyte at a time: lines are formatted into a buffer
// with room for the longest one. Depths are accumulated like the file's
// own, not recomputed.
void WriteDataLines(RAtomicFile& file, const TLasHeaderNew& header, const std::vector<RLasColumn>& columns)
{
    const TLasWellSection& well = header.Well();
    const bool wrap = header.Version().Wrap;
    const std::string nullText = NullText(well.NullValue, wrap);
    const auto writtenAsNull = [&](double value) { return value == well.NullValue || !std::isfinite(value); };
    const std::size_t longestLine =
        (columns.size() + 1) * (std::max(LasNumberFormat::kMaxFixed4Length, nullText.size()) + 3) + 2;
    std::vector<char> buffer(kChunk + longestLine);
    char* const start = buffer.data();
    char* p = start;
    double depth = well.Strt;
    const std::size_t count = columns.front().size();
    for (std::size_t i = 0; i < count; ++i) {
        if (wrap) {
            p = WriteWrappedField(p, depth);
            for (std::size_t r = 0; r < columns.size(); ++r) {
                if (r % 6 == 0)
                    p = WriteLineEnd(p);
                const double value = columns[r][i];
                p = writtenAsNull(value) ? WriteWrappedText(p, nullText) : WriteWrappedField(p, value);
            }
        } else {
            p = LasNumberFormat::WriteFixed4(p, depth);
            for (const RLasColumn& column : columns) {
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
        if (static_cast<std::size_t>(p - start) >= kChunk) {
            file.Write(start, static_cast<std::size_t>(p - start));
            p = start;
        }
        depth += well.Step;
    }
    file.Write(start, static_cast<std::size_t>(p - start));
}

}  // namespace

bool RLasData::SaveToLas(const std::string& path) const
{
    if (const std::string problem = WhyNotWritable(lasHeader_.get(), columns_); !problem.empty()) {
        LogMessage(problem);
        return false;
    }
    std::string header;
    if (!lasHeader_->WriteHeader(header))
        return false;
    header += "~A";
    header += kLineEnd;

    // The old file stays as it was until everything is written and synced.
    std::optional<RAtomicFile> file;
    try {
        file.emplace(path);
    } catch (const RError&) {
        LogMessage("не удается открыть файл " + path + " для записи");
        return false;
    }
    try {
        file->Write(header.data(), header.size());
        WriteDataLines(*file, *lasHeader_, columns_);
        file->Commit();
    } catch (const RError& error) {
        LogMessage(error.what());
        return false;
    }
    return true;
}
