#include "las/las_io.h"

#include "las/las_number_format.h"
#include "las/logging.h"

#include <algorithm>
#include <array>
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

void WriteVersionLines(std::string& out, std::string_view number, bool wrap)
{
    out += "~V";
    out += kLineEnd;
    out += "VERS.  ";
    out += number;
    out += ": CWLS log ASCII Standard -VERSION ";
    out += number;
    out += kLineEnd;
    out += wrap ? "WRAP.  YES: Multiple lines per depth step" : "WRAP.   NO: One line per depth step";
    out += kLineEnd;
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
            if (std::fabs(number - 1.2) < 0.001)
                version.Version = RLasVersion::V12;
            else if (std::fabs(number - 2.0) < 0.001)
                version.Version = RLasVersion::V20;
            else
                version.Version = RLasVersion::Unknown;
        } else if (line.Mnem == "WRAP") {
            version.Wrap = line.Data == "YES";
        }
    }
}

std::unique_ptr<TLasIO> TLasIO::ForVersion(RLasVersion version)
{
    switch (version) {
    case RLasVersion::V12: return std::make_unique<TLasIO_1_2>();
    case RLasVersion::V20: return std::make_unique<TLasIO_2_0>();
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
        const RLasSectionLine line = ParseLine(raw);
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
                LogMessage(std::string("Неверный формат для ") + item.mnemonic);
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
            LogMessage(std::string("Не найдено поле ") + item.mnemonic + " в секции Well");
            ok = false;
        }
    }
    return ok;
}

bool TLasIO::ReadCurves(TLasCurveSection& curves)
{
    bool haveDepth = false;
    curves.Lines.clear();
    curves.DepthPosition = 0;
    for (int position = 0;; ++position) {
        RLasSectionLine line = ParseLine(NextLine(curves));
        if (line.Status == RLasLineStatus::SyntaxError)
            return false;
        if (line.Status != RLasLineStatus::Parsed)
            break;
        if (!haveDepth && IsDepthMnemonic(line.Mnem)) {
            curves.DepthLine = std::move(line);
            curves.DepthPosition = position;
            haveDepth = true;
        } else {
            curves.Lines.push_back(std::move(line));
        }
    }
    if (!haveDepth) {
        if (curves.Lines.empty()) {
            // Without a single curve line there is no depth to read the data by.
            LogMessage("Не найдено ни одной кривой в секции Curve");
            return false;
        }
        curves.DepthLine = std::move(curves.Lines.front());
        curves.Lines.erase(curves.Lines.begin());
        LogMessage("Не найдено поле глубины в секции Curve (DEPT, DEPTH, BOREHOLE-DEPTH или TIME). Выбрано первое "
                   "поле");
    }
    curves.Lines.shrink_to_fit();
    return true;
}

void TLasIO::WriteCurves(std::string& out, const TLasCurveSection& curves)
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

    out += "~C";
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
        AppendPadded(out, line.Mnem, mnemonicWidth);
        out += '.';
        AppendPadded(out, line.Unit, unitWidth);
        out += ' ';
        AppendPadded(out, line.Data, dataWidth);
        out += ": ";
        out += line.Description;
        out += kLineEnd;
    };
    write(curves.DepthLine);
    for (const RLasSectionLine& line : curves.Lines)
        write(line);
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
    WriteVersionLines(out, "1.2", version.Wrap);
}

void TLasIO_1_2::WriteWell(std::string& out, const TLasWellSection& well)
{
    out += "~W";
    out += kLineEnd;
    out += "#MNEM.UNIT DATA TYPE        INFORMATION";
    out += kLineEnd;
    out += "#--------- ---------------  -----------";
    out += kLineEnd;
    AppendNumberItem(out, "STRT", well.StrtUnit, LasNumberFormat::General15(well.Strt), 15);
    AppendNumberItem(out, "STOP", well.StopUnit, LasNumberFormat::General15(well.Stop), 15);
    AppendNumberItem(out, "STEP", well.StepUnit, LasNumberFormat::General15(well.Step), 15);
    AppendNumberItem(out, "NULL", "", LasNumberFormat::General15(well.NullValue), 15);
    for (const WellItem& item : kWellItems) {
        out += item.prefix12;
        out += well.*item.field;
        out += kLineEnd;
    }
}

bool TLasIO_2_0::ReadWell(TLasWellSection& well) { return ReadWellItems(well, false); }

void TLasIO_2_0::WriteVersion(std::string& out, const TLasVersionSection& version)
{
    WriteVersionLines(out, "2.0", version.Wrap);
}

void TLasIO_2_0::WriteWell(std::string& out, const TLasWellSection& well)
{
    const std::string strt = LasNumberFormat::General15(well.Strt);
    const std::string stop = LasNumberFormat::General15(well.Stop);
    const std::string step = LasNumberFormat::General15(well.Step);
    const std::string null = LasNumberFormat::General15(well.NullValue);
    std::size_t width = std::max({std::size_t(10), strt.size(), stop.size(), step.size(), null.size()});
    for (const WellItem& item : kWellItems)
        width = std::max(width, (well.*item.field).size());

    out += "~W";
    out += kLineEnd;
    out += "#MNEM.UNIT VALUE/NAME";
    out.append(width - 10, ' ');
    out += "  DESCRIPTION";
    out += kLineEnd;
    out += "#--------- ----------";
    out.append(width - 10, '-');
    out += "  -----------";
    out += kLineEnd;
    AppendNumberItem(out, "STRT", well.StrtUnit, strt, width);
    AppendNumberItem(out, "STOP", well.StopUnit, stop, width);
    AppendNumberItem(out, "STEP", well.StepUnit, step, width);
    AppendNumberItem(out, "NULL", "", null, width);
    for (const WellItem& item : kWellItems) {
        out += item.prefix20;
        AppendRight(out, well.*item.field, width);
        out += item.suffix20;
        out += kLineEnd;
    }
}
