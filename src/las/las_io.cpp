#include "las/las_io.h"

#include "las/las_number_format.h"
#include "las/las_problem.h"
#include "las/las_tolerance.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>
#include <charconv>
#include <cmath>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Pads on the right to `width` (nothing when longer).
void AppendPadded(std::string& out, std::string_view text, std::size_t width)
{
    out += text;
    if (text.size() < width)
        out.append(width - text.size(), ' ');
}

// Right-aligns in `width` (no padding when longer).
void AppendRight(std::string& out, std::string_view text, std::size_t width)
{
    if (text.size() < width)
        out.append(width - text.size(), ' ');
    out += text;
}

// STRT.M    value: the unit is padded to six characters; a unit of six or
// more characters meeting a value that fills its field gets one blank
// between them, or the line could not be read back.
void AppendNumberItem(std::string& out, std::string_view mnemonic, std::string_view unit,
                      const std::string& value, std::size_t width)
{
    out += mnemonic;
    out += '.';
    AppendPadded(out, unit, 6);
    if (unit.size() >= 6 && value.size() >= width)
        out += ' ';
    AppendRight(out, value, width);
    out += ':';
    out += kLineEnd;
}

struct WellItem {
    const char* mnemonic;
    std::string TLasWellSection::*field;
    const char* prefix12;    // LAS 1.2 line up to the text
    const char* prefix20;    // LAS 2.0 line up to the value column
    const char* suffix20;    // LAS 2.0 line after the value
};

// The twelve text items of ~W, in the order they are written.
constexpr std::array<WellItem, 12> kWellItems = {{
    {"COMP", &TLasWellSection::Comp, "COMP.              COMPANY: ", "COMP.      ", ": COMPANY"},
    {"WELL", &TLasWellSection::Well, "WELL.                 WELL: ", "WELL.      ", ": WELL"},
    {"FLD", &TLasWellSection::Fld, "FLD .                FIELD: ", "FLD .      ", ": FIELD"},
    {"LOC", &TLasWellSection::Loc, "LOC .             LOCATION: ", "LOC .      ", ": LOCATION"},
    {"PROV", &TLasWellSection::Prov, "PROV.             PROVINCE: ", "PROV.      ", ": PROVINCE"},
    {"CNTY", &TLasWellSection::Cnty, "CNTY.               COUNTY: ", "CNTY.      ", ": COUNTY"},
    {"STAT", &TLasWellSection::Stat, "STAT.                STATE: ", "STAT.      ", ": STATE"},
    {"CTRY", &TLasWellSection::Ctry, "CTRY.              COUNTRY: ", "CTRY.      ", ": COUNTRY"},
    {"SRVC", &TLasWellSection::Srvc, "SRVC.      SERVICE COMPANY: ", "SRVC.      ", ": SERVICE COMPANY"},
    {"DATE", &TLasWellSection::Date, "DATE.                 DATE: ", "DATE.      ", ": LOG DATE"},
    {"UWI", &TLasWellSection::Uwi, "UWI .       UNIQUE WELL ID: ", "UWI .      ", ": UNIQUE WELL ID"},
    {"API", &TLasWellSection::Api, "API .           API NUMBER: ", "API .      ", ": API NUMBER"},
}};

// The text after the first colon that follows the unit's blank: LAS 1.2
// keeps the well item's value there, and the value may hold colons itself
// ("DATE.  LOG DATE: 13/12/1986 10:15").
std::string TextAfterFirstColon(std::string_view line)
{
    const std::size_t dot = line.find('.');
    const std::size_t space = line.find_first_of(" \t", dot + 1);
    const std::size_t colon = line.find(':', space);
    return std::string(TrimBlanks(line.substr(colon + 1)));
}


// The column headings the writer writes itself: "#MNEM.UNIT ..." and
// "#-----" lines.
bool IsColumnHeading(std::string_view line)
{
    if (line.empty() || line[0] != '#')
        return false;
    const std::string_view rest = TrimBlanks(line.substr(1));
    return rest.starts_with("MNEM") || rest.find_first_not_of("- \t") == std::string_view::npos;
}

// The mnemonic of a header line: the text before its first dot, trimmed.
std::string_view MnemonicOf(std::string_view line) { return TrimBlanks(line.substr(0, line.find('.'))); }

// The lines of a section's text, without its tilde lines (a repeated
// section continues with its own) and blank lines.
template <typename Visit>
void ForEachLine(const TLasSection& section, const Visit& visit)
{
    std::string_view text = section.Text();
    while (!text.empty()) {
        const std::size_t end = text.find(kLineEnd);
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + kLineEnd.size());
        if (!TrimBlanks(line).empty() && line[0] != '~')
            visit(line);
    }
}

// What a regenerated section's templates do not write, so that a save
// loses nothing: comments (not the column headings) and items whose
// mnemonic `known` does not take, in file order. `leading` stood before
// the first item the templates write, `rest` after it.
struct KeptLines {
    std::vector<std::string_view> leading, rest;
};

template <typename Known>
KeptLines LinesToKeep(const TLasSection& section, const Known& known)
{
    KeptLines kept;
    bool knownSeen = false;
    ForEachLine(section, [&](std::string_view line) {
        const bool comment = line[0] == '#';
        if (comment ? IsColumnHeading(line) : known(MnemonicOf(line))) {
            knownSeen = knownSeen || !comment;
            return;
        }
        (knownSeen ? kept.rest : kept.leading).push_back(line);
    });
    return kept;
}

void AppendLines(std::string& out, const std::vector<std::string_view>& lines)
{
    for (const std::string_view line : lines) {
        out += line;
        out += kLineEnd;
    }
}

bool IsVersionItem(std::string_view mnemonic) { return mnemonic == "VERS" || mnemonic == "WRAP" || mnemonic == "DLM"; }

bool IsWellItem(std::string_view mnemonic)
{
    if (mnemonic == "STRT" || mnemonic == "STOP" || mnemonic == "STEP" || mnemonic == "NULL")
        return true;
    for (const WellItem& item : kWellItems)
        if (mnemonic == item.mnemonic)
            return true;
    return false;
}

// The section's title line: its own for LAS 3.0, whose names carry
// meaning ("~Log_Definition"), the short form otherwise.
std::string_view TitleOf(const TLasSection& section, std::string_view shortTitle, bool own)
{
    if (!own || section.Text().empty() || section.Text()[0] != '~')
        return shortTitle;
    const std::string_view text = section.Text();
    return text.substr(0, text.find(kLineEnd));
}

void WriteVersionLines(std::string& out, std::string_view number, const TLasVersionSection& version, bool ownTitle)
{
    const KeptLines kept = LinesToKeep(version, IsVersionItem);
    out += TitleOf(version, "~V", ownTitle);
    out += kLineEnd;
    AppendLines(out, kept.leading);
    out += "VERS.  ";
    out += number;
    out += ": CWLS log ASCII Standard -VERSION ";
    out += number;
    out += kLineEnd;
    out += version.Wrap ? "WRAP.  YES: Multiple lines per depth step" : "WRAP.   NO: One line per depth step";
    out += kLineEnd;
    if (version.HasDelimiterLine || version.Version == RLasVersion::V30) {
        out += "DLM .  ";
        out += LasTolerance::DelimiterWord(version.Delimiter);
        out += ": Delimiting character between data columns";
        out += kLineEnd;
    }
    AppendLines(out, kept.rest);
}

}  // namespace

bool ReadVersionSection(TLasVersionSection& version)
{
    for (;;) {
        const RLasSectionLine line = ParseLine(NextLine(version));
        if (line.Status == RLasLineStatus::SyntaxError)
            return false;
        if (line.Status != RLasLineStatus::Parsed)
            return true;
        if (line.Mnem == "VERS") {
            double number = 0.0;
            if (!ParseHeaderNumber(line.Data, number))
                continue;
            version.Version = RLasVersion::Unknown;
            for (std::size_t i = 0; i < LasTolerance::kVersions.size(); ++i)
                if (std::fabs(number - LasTolerance::kVersions[i].number) < LasTolerance::kVersionTolerance)
                    version.Version = static_cast<RLasVersion>(i + 1);
        } else if (line.Mnem == "WRAP") {
            version.Wrap = std::find(LasTolerance::kWrapYes.begin(), LasTolerance::kWrapYes.end(), line.Data)
                           != LasTolerance::kWrapYes.end();
        } else if (line.Mnem == "DLM") {
            // An unknown word leaves values separated by blanks.
            if (const std::optional<char> delimiter = LasTolerance::DelimiterFor(line.Data)) {
                version.Delimiter = *delimiter;
                version.HasDelimiterLine = true;
            }
        }
    }
}

std::unique_ptr<TLasIO> TLasIO::ForVersion(RLasVersion version)
{
    switch (version) {
    case RLasVersion::V12: return std::make_unique<TLasIO_1_2>();
    case RLasVersion::V20: return std::make_unique<TLasIO_2_0>();
    case RLasVersion::V30: return std::make_unique<TLasIO_3_0>();
    default: return nullptr;
    }
}

bool TLasIO::ReadWellItems(TLasWellSection& well, bool textAfterColon)
{
    struct NumberItem {
        const char* mnemonic;
        double* value;
        std::string* unit;
        bool seen;
    };
    NumberItem numbers[] = {
        {"STRT", &well.Strt, &well.StrtUnit, false},
        {"STOP", &well.Stop, &well.StopUnit, false},
        {"STEP", &well.Step, &well.StepUnit, false},
        {"NULL", &well.NullValue, nullptr, false},
    };
    bool ok = true;
    bool syntaxError = false;
    while (ok) {
        const std::string raw = NextLine(well);
        RLasSectionLine line = ParseLine(raw);
        if (line.Status == RLasLineStatus::Parsed && SplitsFormatTails()) {
            SplitFormatTail(line);
            if (!line.Tail.empty())
                well.ItemTails[line.Mnem] = line.Tail;
        }
        if (line.Status == RLasLineStatus::SyntaxError)
            syntaxError = true;
        if (line.Status != RLasLineStatus::Parsed)
            break;
        bool matched = false;
        for (NumberItem& item : numbers) {
            if (line.Mnem != item.mnemonic)
                continue;
            matched = true;
            // A line that was met counts as seen even when its value is bad;
            // the bad value has its own message.
            item.seen = true;
            if (!ParseHeaderNumber(line.Data, *item.value)) {
                Report({.Kind = RLasProblemKind::BadNumber, .Name = item.mnemonic});
                ok = false;
            } else if (item.unit) {
                *item.unit = line.Unit;
            }
        }
        if (matched)
            continue;
        for (const WellItem& item : kWellItems) {
            if (line.Mnem == item.mnemonic) {
                well.*item.field = textAfterColon ? TextAfterFirstColon(raw) : line.Data;
                break;
            }
        }
    }
    if (syntaxError)
        return false;
    for (const NumberItem& item : numbers) {
        if (!item.seen) {
            Report({.Kind = RLasProblemKind::MissingWellItem, .Name = item.mnemonic});
            ok = false;
        }
    }
    return ok;
}

bool TLasIO::ReadCurves(TLasCurveSection& curves)
{
    // The first entry describes the first data column, the index, whatever
    // its name; entry k describes column k.
    curves.Lines.clear();
    bool haveIndex = false;
    for (;;) {
        RLasSectionLine line = ParseLine(NextLine(curves));
        if (line.Status == RLasLineStatus::SyntaxError)
            return false;
        if (line.Status != RLasLineStatus::Parsed)
            break;
        if (SplitsFormatTails())
            SplitFormatTail(line);
        if (!haveIndex) {
            curves.DepthLine = std::move(line);
            haveIndex = true;
        } else {
            curves.Lines.push_back(std::move(line));
        }
    }
    if (!haveIndex) {
        // Without a single curve line there is no depth to read the data by.
        Report({.Kind = RLasProblemKind::NoCurves});
        return false;
    }
    if (!IsDepthMnemonic(curves.DepthLine.Mnem))
        Report({.Kind = RLasProblemKind::NoDepthCurve});
    curves.Lines.shrink_to_fit();
    return true;
}

void TLasIO::WriteCurves(std::string& out, const TLasCurveSection& curves) { WriteCurveLines(out, curves, false); }

void TLasIO_3_0::WriteCurves(std::string& out, const TLasCurveSection& curves) { WriteCurveLines(out, curves, true); }

void TLasIO::WriteCurveLines(std::string& out, const TLasCurveSection& curves, bool las30)
{
    std::size_t mnemonicWidth = 5, unitWidth = 4, dataWidth = 8;
    auto measure = [&](const RLasSectionLine& line) {
        mnemonicWidth = std::max(mnemonicWidth, line.Mnem.size());
        unitWidth = std::max(unitWidth, line.Unit.size());
        dataWidth = std::max(dataWidth, line.Data.size());
    };
    measure(curves.DepthLine);
    for (const RLasSectionLine& line : curves.Lines)
        measure(line);

    // Comments stay before the entry they stood before (found by its
    // mnemonic, once each); those after the last entry stay last.
    std::unordered_map<std::string_view, std::vector<std::vector<std::string_view>>> commentsBefore;
    std::vector<std::string_view> pending;
    ForEachLine(curves, [&](std::string_view line) {
        if (line[0] != '#') {
            commentsBefore[MnemonicOf(line)].push_back(std::move(pending));
            pending.clear();
        } else if (!IsColumnHeading(line)) {
            pending.push_back(line);
        }
    });
    for (auto& [mnemonic, groups] : commentsBefore)
        std::reverse(groups.begin(), groups.end());  // taken from the back, in file order

    out += TitleOf(curves, "~C", las30);
    out += kLineEnd;
    out += "#MNEM";
    out.append(mnemonicWidth - 5, ' ');
    out += ".UNIT";
    out.append(unitWidth - 4, ' ');
    out += " API CODE";
    out.append(dataWidth - 8, ' ');
    out += "  DESCRIPTION";
    out += kLineEnd;
    out += "#----";
    out.append(mnemonicWidth - 5, '-');
    out += "-----";
    out.append(unitWidth - 4, '-');
    out += " --------";
    out.append(dataWidth - 8, '-');
    out += "  -----------";
    out += kLineEnd;
    auto write = [&](const RLasSectionLine& line) {
        if (const auto found = commentsBefore.find(line.Mnem); found != commentsBefore.end() && !found->second.empty()) {
            AppendLines(out, found->second.back());
            found->second.pop_back();
        }
        AppendPadded(out, line.Mnem, mnemonicWidth);
        out += '.';
        AppendPadded(out, line.Unit, unitWidth);
        out += ' ';
        AppendPadded(out, line.Data, dataWidth);
        out += ": ";
        out += line.Description;
        if (las30 && !line.Tail.empty()) {
            out += ' ';
            out += line.Tail;
        }
        out += kLineEnd;
    };
    write(curves.DepthLine);
    for (const RLasSectionLine& line : curves.Lines)
        write(line);
    AppendLines(out, pending);
}

namespace {

void WriteRawSection(std::string& out, const TLasSection& section)
{
    if (section.Text().empty())
        return;
    out += section.Text();
    out += kLineEnd;
}

}  // namespace

void TLasIO::WriteParameters(std::string& out, const TLasParameterSection& section) { WriteRawSection(out, section); }
void TLasIO::WriteDownhole(std::string& out, const TLasDownholeSection& section) { WriteRawSection(out, section); }
void TLasIO::WriteOther(std::string& out, const TLasOtherSection& section) { WriteRawSection(out, section); }

bool TLasIO_1_2::ReadWell(TLasWellSection& well) { return ReadWellItems(well, true); }

void TLasIO_1_2::WriteVersion(std::string& out, const TLasVersionSection& version)
{
    WriteVersionLines(out, "1.2", version, false);
}

void TLasIO_1_2::WriteWell(std::string& out, const TLasWellSection& well)
{
    const KeptLines kept = LinesToKeep(well, IsWellItem);
    out += "~W";
    out += kLineEnd;
    out += "#MNEM.UNIT DATA TYPE        INFORMATION";
    out += kLineEnd;
    out += "#--------- ---------------  -----------";
    out += kLineEnd;
    AppendLines(out, kept.leading);
    AppendNumberItem(out, "STRT", well.StrtUnit, LasNumberFormat::General15(well.Strt), 15);
    AppendNumberItem(out, "STOP", well.StopUnit, LasNumberFormat::General15(well.Stop), 15);
    AppendNumberItem(out, "STEP", well.StepUnit, LasNumberFormat::General15(well.Step), 15);
    AppendNumberItem(out, "NULL", "", LasNumberFormat::General15(well.NullValue), 15);
    for (const WellItem& item : kWellItems) {
        out += item.prefix12;
        out += well.*item.field;
        out += kLineEnd;
    }
    AppendLines(out, kept.rest);
}

bool TLasIO_2_0::ReadWell(TLasWellSection& well) { return ReadWellItems(well, false); }

void TLasIO_2_0::WriteVersion(std::string& out, const TLasVersionSection& version)
{
    WriteVersionLines(out, "2.0", version, false);
}

void TLasIO_2_0::WriteWell(std::string& out, const TLasWellSection& well) { WriteWell20(out, well, false); }

void TLasIO_2_0::WriteWell20(std::string& out, const TLasWellSection& well, bool las30)
{
    const KeptLines kept = LinesToKeep(well, IsWellItem);
    const std::string strt = LasNumberFormat::General15(well.Strt);
    const std::string stop = LasNumberFormat::General15(well.Stop);
    const std::string step = LasNumberFormat::General15(well.Step);
    const std::string null = LasNumberFormat::General15(well.NullValue);
    std::size_t width = std::max({std::size_t(10), strt.size(), stop.size(), step.size(), null.size()});
    for (const WellItem& item : kWellItems)
        width = std::max(width, (well.*item.field).size());
    // LAS 3.0 keeps a line's format and association after its description.
    const auto appendTail = [&](std::string_view mnemonic) {
        if (!las30)
            return;
        if (const auto found = well.ItemTails.find(mnemonic); found != well.ItemTails.end()) {
            out.insert(out.size() - kLineEnd.size(), " " + found->second);
        }
    };

    out += TitleOf(well, "~W", las30);
    out += kLineEnd;
    out += "#MNEM.UNIT VALUE/NAME";
    out.append(width - 10, ' ');
    out += "  DESCRIPTION";
    out += kLineEnd;
    out += "#--------- ----------";
    out.append(width - 10, '-');
    out += "  -----------";
    out += kLineEnd;
    AppendLines(out, kept.leading);
    AppendNumberItem(out, "STRT", well.StrtUnit, strt, width);
    appendTail("STRT");
    AppendNumberItem(out, "STOP", well.StopUnit, stop, width);
    appendTail("STOP");
    AppendNumberItem(out, "STEP", well.StepUnit, step, width);
    appendTail("STEP");
    AppendNumberItem(out, "NULL", "", null, width);
    appendTail("NULL");
    for (const WellItem& item : kWellItems) {
        out += item.prefix20;
        AppendRight(out, well.*item.field, width);
        out += item.suffix20;
        out += kLineEnd;
        appendTail(item.mnemonic);
    }
    AppendLines(out, kept.rest);
}

bool TLasIO_3_0::ReadWell(TLasWellSection& well) { return ReadWellItems(well, false); }

void TLasIO_3_0::WriteVersion(std::string& out, const TLasVersionSection& version)
{
    WriteVersionLines(out, "3.0", version, true);
}

void TLasIO_3_0::WriteWell(std::string& out, const TLasWellSection& well) { WriteWell20(out, well, true); }
