#pragma once
// TLasHeaderNew: the header of a LAS file, owning its six sections
// (las_section.h).
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

#include "las/las_section.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TLasHeaderNew {
public:
    TLasHeaderNew() = default;
    TLasHeaderNew(const TLasHeaderNew&) = delete;
    TLasHeaderNew& operator=(const TLasHeaderNew&) = delete;

    // Selects the current section by the tilde line (SectionKindOf; never
    // the data section). A section met for the first time starts with the
    // tilde line; a repeated one continues its earlier text. Any other
    // section is kept as text of its own, in file order.
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
    // The same with `well` in place of this header's ~W values.
    bool WriteHeader(std::string& out, const TLasWellSection& well) const;

    // ~V, CR LF, ~W, CR LF, ~C, CR LF, ~P, CR LF, ~D, CR LF, ~O, CR LF, then
    // each kept section and CR LF.
    std::string FullText() const;

    // Sections kept as they stand (LAS 3.0 groups such as ~Core_Data,
    // unknown sections), in file order; written back after ~O.
    const std::vector<std::unique_ptr<TLasSection>>& KeptSections() const { return kept_; }
    // The data section's own tilde line ("~A  DEPT  GR", "~Log_Data | Log_Definition").
    std::string DataTitle;
    // What follows the data section, as it stands (CR LF line ends):
    // further sections of a LAS 3.0 file. Written back after the data.
    std::string TrailingText;

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
    std::vector<std::unique_ptr<TLasSection>> kept_;
    TLasSection* current_ = nullptr;
};
