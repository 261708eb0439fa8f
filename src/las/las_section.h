#pragma once
// The sections of a LAS header: each keeps its raw text (its tilde line and
// further lines joined by CR LF) and a cursor over its lines. ~V, ~W and ~C
// also hold their parsed fields; ~P, ~D and ~O are kept as raw text.

#include "las/las_line_syntax.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

enum class RLasVersion : std::uint8_t { Unknown = 0, V12 = 1, V20 = 2, V30 = 3 };

class TLasSection {
public:
    virtual ~TLasSection() = default;

    // Starts the text over with the section's tilde line.
    void Begin(std::string_view tildeLine);
    // Text := text + CR LF + line.
    virtual void AddLine(std::string_view line);

    const std::string& Text() const { return text_; }
    // Replaces the text and puts the cursor back to its start.
    void SetText(std::string text);
    bool Started() const { return !text_.empty(); }

    // 0-based offset of the next unread character (NextLine moves it).
    std::size_t Cursor = 0;

private:
    std::string text_;
};

// ~V
class TLasVersionSection : public TLasSection {
public:
    RLasVersion Version = RLasVersion::Unknown;
    bool Wrap = false;  // set only by a WRAP line whose data is "YES"
    // Between data values: ' ' for runs of blanks and tabs (no DLM line,
    // or DLM SPACE), ',' or '\t'.
    char Delimiter = ' ';
    bool HasDelimiterLine = false;  // a DLM line named it
};

// ~W
class TLasWellSection : public TLasSection {
public:
    double Strt = 0.0;
    std::string StrtUnit;
    double Stop = 0.0;
    std::string StopUnit;
    double Step = 0.0;
    std::string StepUnit;
    double NullValue = 0.0;
    std::string Comp, Well, Fld, Loc, Prov, Cnty, Stat, Ctry, Srvc, Date, Uwi, Api;
    // LAS 3.0: the "{format}" / "| association" part of each item that had one.
    std::map<std::string, std::string, std::less<>> ItemTails;
};

// ~C: the index line (the first entry, whatever its name: the data's first
// column) and the other curve lines in file order, one per further data
// column. The curves of the data set follow Lines one to one.
class TLasCurveSection : public TLasSection {
public:
    int CurveCount() const { return static_cast<int>(Lines.size()); }

    RLasSectionLine DepthLine;
    std::vector<RLasSectionLine> Lines;
};

// What a tilde line opens, by its name: ~V, ~W, ~C, ~P, ~D, ~O and ~A by
// their first letter (either case), the LAS 3.0 names ~Log_Definition,
// ~Log_Parameter, ~Log_Data and ~ASCII for the first data set; every other
// section (~Core_*, ~Tops_*, further [n] data sets, unknown letters) is
// kept as text and written back as it stands.
enum class RLasSectionKind { Version, Well, Curve, Parameter, Downhole, Other, Data, Kept };
RLasSectionKind SectionKindOf(std::string_view tildeLine);

// ~P, ~D, ~O: kept as raw text and written back as they are.
class TLasParameterSection : public TLasSection {};
class TLasDownholeSection : public TLasSection {};
class TLasOtherSection : public TLasSection {};

// The next data line of the section (tilde, comment and empty lines are
// skipped); empty when the section is exhausted.
std::string NextLine(TLasSection& section);
