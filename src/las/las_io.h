#pragma once
// TLasIO: reading and writing of the header sections that differ between
// LAS 1.2 and 2.0. A reader object holds no state; TLasHeaderNew makes one
// per ReadHeader/WriteHeader by the version (TLasIO_1_2, TLasIO_2_0).
//
// Writers append text with CR LF line ends to a string; numbers use a point
// as decimal separator whatever the process locale.

#include "las/las_section.h"

#include <memory>
#include <string>
#include <string_view>

class TLasIO {
public:
    virtual ~TLasIO() = default;

    virtual bool ReadWell(TLasWellSection& well) = 0;
    virtual bool ReadCurves(TLasCurveSection& curves);
    virtual bool ReadParameters(TLasParameterSection&) { return true; }
    virtual bool ReadDownhole(TLasDownholeSection&) { return true; }
    virtual bool ReadOther(TLasOtherSection&) { return true; }

    virtual void WriteVersion(std::string& out, const TLasVersionSection& version) = 0;
    virtual void WriteWell(std::string& out, const TLasWellSection& well) = 0;
    virtual void WriteCurves(std::string& out, const TLasCurveSection& curves);
    virtual void WriteParameters(std::string& out, const TLasParameterSection& section);
    virtual void WriteDownhole(std::string& out, const TLasDownholeSection& section);
    virtual void WriteOther(std::string& out, const TLasOtherSection& section);

    // The reader for the version of ~V; none for an unknown version.
    static std::unique_ptr<TLasIO> ForVersion(RLasVersion version);

protected:
    // LAS 3.0 lines carry "{format}" and "| association" after the description.
    virtual bool SplitsFormatTails() const { return false; }
    // ~C from the index line and the list, with the comments of the file's
    // ~C; `las30` keeps the section's title and the lines' tails.
    static void WriteCurveLines(std::string& out, const TLasCurveSection& curves, bool las30);

    // Walks ~W: STRT, STOP, STEP, NULL as numbers, the twelve items through
    // ItemText. Shared by both versions.
    bool ReadWellItems(TLasWellSection& well, bool textAfterColon);
};

// LAS 1.2: well text items stand after the colon ("COMP. COMPANY: ACME").
class TLasIO_1_2 : public TLasIO {
public:
    bool ReadWell(TLasWellSection& well) override;
    void WriteVersion(std::string& out, const TLasVersionSection& version) override;
    void WriteWell(std::string& out, const TLasWellSection& well) override;
};

// LAS 2.0: well text items are the line's data ("COMP. ACME : COMPANY").
class TLasIO_2_0 : public TLasIO {
public:
    bool ReadWell(TLasWellSection& well) override;
    void WriteVersion(std::string& out, const TLasVersionSection& version) override;
    void WriteWell(std::string& out, const TLasWellSection& well) override;

protected:
    // The 2.0 templates; `las30` adds the section's own title and the
    // lines' format and association parts.
    static void WriteWell20(std::string& out, const TLasWellSection& well, bool las30);
};

// LAS 3.0: ~W as in 2.0; lines may end in "{format}" and "| association",
// kept and written back; the section names of the file are kept.
class TLasIO_3_0 : public TLasIO_2_0 {
public:
    bool ReadWell(TLasWellSection& well) override;
    void WriteVersion(std::string& out, const TLasVersionSection& version) override;
    void WriteWell(std::string& out, const TLasWellSection& well) override;
    void WriteCurves(std::string& out, const TLasCurveSection& curves) override;

protected:
    bool SplitsFormatTails() const override { return true; }
};

// Parses ~V (VERS and WRAP); false when a line has a syntax error.
bool ReadVersionSection(TLasVersionSection& version);

