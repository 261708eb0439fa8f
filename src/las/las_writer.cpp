// Writing the data set as LAS: the header in its version, then ~A with one
// line (or, wrapped, one group of lines) per sample, through a temporary
// file renamed over the target only when everything was written.

#include "las/las_data.h"

#include "container/atomic_file.h"
#include "container/file_error.h"
#include "las/las_number_format.h"
#include "las/las_problem.h"

#include <algorithm>
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

// Why the data set cannot be written as it stands; none when it can.
std::optional<RLasProblemKind> WhyNotWritable(const TLasHeaderNew* header, const std::vector<RLasColumn>& columns,
                                              const RLasIndex& index)
{
    if (!header)
        return RLasProblemKind::NoHeaderToWrite;
    if (columns.empty())
        return RLasProblemKind::NoDataToWrite;
    bool sizesMatch = columns.size() == header->Curves().Lines.size();
    for (const RLasColumn& column : columns)
        sizesMatch = sizesMatch && column.size() == index.Count;
    if (!sizesMatch)
        return RLasProblemKind::DataDisagreesWithHeader;
    return std::nullopt;
}

// The ~W values the file gets: STRT, STOP and STEP from the data's index
// (STEP 0 when the depths are irregular), so the saved file is consistent.
TLasWellSection WellForIndex(const TLasWellSection& well, const RLasIndex& index)
{
    TLasWellSection written = well;
    if (index.Count == 0)
        return written;
    written.Strt = index.First;
    written.Stop = index.Last();
    written.Step = index.Regular() ? index.Step : 0.0;
    return written;
}

// One column's number form: the file's own (every value reads back as the
// same double) or, for a computed column, four decimals.
class ColumnWriter {
public:
    ColumnWriter(const std::optional<RLasNumberStyle>& style, double nullValue, bool wrap)
        : style_(style), wrap_(wrap), null_(nullValue)
    {
        // NULL in a form that reads back as NULL exactly, whatever its digits
        // (-999.123456 at four decimals would read back as a real value).
        LasNumberFormat::AppendStyled(nullText_, nullValue, style ? *style : RLasNumberStyle{});
    }

    // Room one value may take.
    std::size_t Longest() const { return std::max(LasNumberFormat::kMaxStyledLength, nullText_.size()) + 1; }

    char* Write(char* p, double value) const
    {
        if (value == null_ || !std::isfinite(value)) {
            std::memcpy(p, nullText_.data(), nullText_.size());
            return p + nullText_.size();
        }
        if (style_)
            return LasNumberFormat::WriteStyled(p, value, *style_);
        if (wrap_) {
            std::string number;
            LasNumberFormat::AppendWrapped(number, value);
            std::memcpy(p, number.data(), number.size());
            return p + number.size();
        }
        return LasNumberFormat::WriteFixed4(p, value);
    }

private:
    std::optional<RLasNumberStyle> style_;
    bool wrap_;
    double null_;
    std::string nullText_;
};

// A wrapped field: at least one blank before it, right-aligned in 13.
char* WriteWrapped(char* p, const ColumnWriter& writer, double value)
{
    char field[LasNumberFormat::kMaxStyledLength + 64];
    const char* const end = writer.Write(field, value);
    return WriteWrappedText(p, std::string_view(field, static_cast<std::size_t>(end - field)));
}

// The ~A lines, a megabyte at a time: lines are formatted into a buffer
// with room for the longest one. Depths come from the index.
void WriteDataLines(RAtomicFile& file, const TLasHeaderNew& header, const std::vector<RLasColumn>& columns,
                    const RLasIndex& index)
{
    const TLasWellSection& well = header.Well();
    const bool wrap = header.Version().Wrap;
    const char delimiter = header.Version().Delimiter;
    const char separator = delimiter == ' ' ? '\t' : delimiter;
    const ColumnWriter depthWriter(index.Style, well.NullValue, wrap);
    std::vector<ColumnWriter> writers;
    writers.reserve(columns.size());
    std::size_t longestLine = depthWriter.Longest() + 16;
    for (const RLasColumn& column : columns) {
        writers.emplace_back(column.FileStyle, well.NullValue, wrap);
        longestLine += writers.back().Longest() + 16;
    }
    std::vector<char> buffer(kChunk + longestLine);
    char* const start = buffer.data();
    char* p = start;
    for (std::size_t i = 0; i < index.Count; ++i) {
        if (wrap) {
            p = WriteWrapped(p, depthWriter, index.Depth(i));
            for (std::size_t r = 0; r < columns.size(); ++r) {
                if (r % 6 == 0)
                    p = WriteLineEnd(p);
                else if (delimiter != ' ')
                    *p++ = delimiter;  // a line's values stay apart when blanks do not part them
                p = WriteWrapped(p, writers[r], columns[r][i]);
            }
        } else {
            p = depthWriter.Write(p, index.Depth(i));
            for (std::size_t r = 0; r < columns.size(); ++r) {
                *p++ = separator;
                p = writers[r].Write(p, columns[r][i]);
            }
        }
        p = WriteLineEnd(p);
        if (static_cast<std::size_t>(p - start) >= kChunk) {
            file.Write(start, static_cast<std::size_t>(p - start));
            p = start;
        }
    }
    file.Write(start, static_cast<std::size_t>(p - start));
}

}  // namespace

bool RLasData::SaveToLas(const std::string& path) const
{
    if (const std::optional<RLasProblemKind> problem = WhyNotWritable(lasHeader_.get(), columns_, Index)) {
        Report({.Kind = *problem, .Path = path});
        return false;
    }
    std::string header;
    if (!lasHeader_->WriteHeader(header, WellForIndex(lasHeader_->Well(), Index)))
        return false;
    // LAS 3.0 names its data section after its definition; the others are ~A.
    header += lasHeader_->Version().Version == RLasVersion::V30 && !lasHeader_->DataTitle.empty()
                  ? std::string_view(lasHeader_->DataTitle)
                  : std::string_view("~A");
    header += kLineEnd;

    // The old file stays as it was until everything is written and synced.
    std::optional<RAtomicFile> file;
    try {
        file.emplace(path);
    } catch (const RFileError& error) {
        Report({.Kind = RLasProblemKind::CannotOpenForWriting, .Path = path, .Cause = error.Fault()});
        return false;
    }
    try {
        file->Write(header.data(), header.size());
        WriteDataLines(*file, *lasHeader_, columns_, Index);
        if (const std::string& trailing = lasHeader_->TrailingText; !trailing.empty()) {
            file->Write(trailing.data(), trailing.size());
            file->Write(kLineEnd.data(), kLineEnd.size());
        }
        file->Commit();
        if (FileEncoding == TextCodec::Encoding::Utf16LE || FileEncoding == TextCodec::Encoding::Utf16BE)
            Report({.Kind = RLasProblemKind::SavedAsUtf8, .Path = path});
    } catch (const RFileError& error) {
        Report({.Kind = RLasProblemKind::WriteFailed, .Path = path, .Detail = error.what(), .Cause = error.Fault()});
        return false;
    } catch (const RError& error) {
        Report({.Kind = RLasProblemKind::WriteFailed, .Path = path, .Detail = error.what()});
        return false;
    }
    return true;
}
