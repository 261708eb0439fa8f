#pragma once
// The header of a LAS file: one object per header section, each keeping the
// section's raw text (its tilde line and further lines joined by CR LF) and a
// cursor over its lines, and TLasHeaderNew that owns the six of them.
//
// Filling and parsing, as the data set does it:
//
//     TLasHeaderNew header;
//     header.BeginSection("~VERSION INFORMATION");  // by the tilde line
//     header.AddLine("VERS.   2.0 : CWLS LOG ASCII STANDARD");
//     ...
//     if (header.ReadHeader()) { header.Well().Strt, header.Curves().Lines ... }
//
// ReadHeader walks each section once (cursors are never rewound). Text is
// 8-bit bytes throughout, compared exactly and case-sensitively.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One header line MNEM.UNIT DATA : DESCRIPTION, split.
struct RLasSectionLine {
    static constexpr std::uint8_t kParsed = 0;
    static constexpr std::uint8_t kNoMoreLines = 1;
    static constexpr std::uint8_t kSyntaxError = 2;

    std::string Mnem;
    std::string Unit;
    std::string Data;
    std::string Description;
    std::uint8_t Status = kParsed;
};

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
    static constexpr std::uint8_t kUnknown = 0;
    static constexpr std::uint8_t kVersion12 = 1;
    static constexpr std::uint8_t kVersion20 = 2;

    std::uint8_t Version = kUnknown;
    bool Wrap = false;  // set only by a WRAP line whose data is "YES"
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
};

// ~C: the depth curve's line and the other curve lines in file order. The
// data columns of the data set follow Lines one to one.
class TLasCurveSection : public TLasSection {
public:
    int CurveCount() const { return static_cast<int>(Lines.size()); }

    RLasSectionLine DepthLine;
    std::vector<RLasSectionLine> Lines;
    // Where the depth line stood among the ~C lines (0 = first, as the
    // standard wants): unwrapped data lines hold the depth at this place.
    int DepthPosition = 0;
};

// ~P, ~D, ~O: kept as raw text and written back as they are.
class TLasParameterSection : public TLasSection {};
class TLasDownholeSection : public TLasSection {};
class TLasOtherSection : public TLasSection {};

class TLasHeaderNew {
public:
    TLasHeaderNew() = default;
    TLasHeaderNew(const TLasHeaderNew&) = delete;
    TLasHeaderNew& operator=(const TLasHeaderNew&) = delete;

    // Selects the current section by the tilde line's second character (C,
    // D, O, P, V, W, upper case only). A section met for the first time
    // starts with the tilde line; a repeated one continues its earlier text.
    // Any other tilde line starts a section that is skipped whole.
    void BeginSection(std::string_view line);
    // Appends to the current section; ignored when none is current.
    void AddLine(std::string_view line);

    // Parses ~V, ~W and ~C into their fields; false (with diagnostics) when
    // the header is unusable. Sets Parsed on success.
    bool ReadHeader();
    // Appends the header as LAS text (~V, ~W, ~C regenerated, ~P, ~D, ~O as
    // stored) with CR LF line ends. False, writing nothing, for an unknown
    // version.
    bool WriteHeader(std::string& out) const;

    // ~V, CR LF, ~W, CR LF, ~C, CR LF, ~P, CR LF, ~D, CR LF, ~O, CR LF.
    std::string FullText() const;

    TLasVersionSection& Version() { return version_; }
    TLasWellSection& Well() { return well_; }
    TLasCurveSection& Curves() { return curves_; }
    TLasParameterSection& Parameters() { return parameters_; }
    TLasDownholeSection& Downhole() { return downhole_; }
    TLasOtherSection& Other() { return other_; }
    const TLasVersionSection& Version() const { return version_; }
    const TLasWellSection& Well() const { return well_; }
    const TLasCurveSection& Curves() const { return curves_; }
    const TLasParameterSection& Parameters() const { return parameters_; }
    const TLasDownholeSection& Downhole() const { return downhole_; }
    const TLasOtherSection& Other() const { return other_; }

    bool Parsed = false;

private:
    TLasVersionSection version_;
    TLasWellSection well_;
    TLasCurveSection curves_;
    TLasParameterSection parameters_;
    TLasDownholeSection downhole_;
    TLasOtherSection other_;
    TLasSection* current_ = nullptr;
};

// The next data line of the section (tilde, comment and empty lines are
// skipped); empty when the section is exhausted.
std::string NextLine(TLasSection& section);

// Splits MNEM.UNIT DATA : DESCRIPTION at the first dot, the first blank
// (space or tab) after it and the last colon. Status kNoMoreLines for an
// empty line, kSyntaxError (logged) when a separator is missing.
RLasSectionLine ParseLine(std::string_view line);

// Removes spaces, tabs and other control characters (bytes up to 0x20) at
// both ends; bytes of Windows-1251 letters are kept.
std::string_view TrimBlanks(std::string_view text);
