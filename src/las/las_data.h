#pragma once
// RLasData: the well-log data set of one LAS file: the parsed header, one
// data column per ~C list entry and one RLasCurve per curve.
//
//     RLasData data;
//     data.LoadFromLas(path);            // problems go to LogMessage
//     for (const auto& curve : data.Curves) ... curve->Mnemonic ...
//     data.SaveToLas(otherPath);         // false (and logged) on failure
//
// Invariant kept by every writer of the data set: LasHeader->Curves().Lines
// and Columns have the same count and order (Columns[k] holds the values of
// Lines[k], each Header.SampleCount long), and Curves follow them one to one
// except for list entries with a depth name, which have a column but no
// curve (ColumnOfCurve maps between them). Calculated curves are added and
// removed with AddCalculatedCurve/DeleteCurve, which keep all three in step.

#include "las/las_curve.h"
#include "las/las_header.h"
#include "las/las_object.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The flat copy of the header kept by the data set.
struct TLasHeader {
    std::string WellName;  // WELL
    double Strt = 0.0;
    double Step = 0.0;
    double Stop = 0.0;
    double NullValue = 0.0;
    std::string StrtUnit, StepUnit, StopUnit;
    std::string Date;
    std::uint16_t CurveCount = 0;  // ~C list entries (without the depth line)
    int SampleCount = 0;           // n; 0 when STEP is 0
    std::string Uwi, Fld, Comp;
    std::string ParameterText, DownholeText, OtherText;  // raw ~P, ~D, ~O
    std::string FullText;  // the whole header as shown to the user
};

class RLasData : public RLasObject {
public:
    // Mnemonics of ~C entries that are depth curves and get no curve object.
    static bool IsDepthName(std::string_view mnemonic);
    // Most values (samples x columns) one file may declare; a header asking
    // for more is refused instead of allocating it.
    static constexpr std::int64_t kMaxValues = std::int64_t(1) << 27;

    // n = round(|(STOP - STRT) / STEP|) + 1, halves to even; -1 when STEP is
    // 0 or the count is not a finite number within kMaxValues.
    static std::int64_t SampleCountFor(double strt, double stop, double step);

    // Reads a LAS file into this (fresh) data set. Problems are logged; the
    // outcome shows in the fields. True when curves were made.
    bool LoadFromLas(const std::string& path);
    // Writes the data set as LAS in its version and wrap mode through a
    // temporary file; false (logged, nothing at `path` touched) on failure.
    bool SaveToLas(const std::string& path) const;

    // Container form under "LasData" (curves and the cache text only).
    void LoadFromNode(RDCNodeList& root) override;
    void SaveToNode(RDCNodeList& root) const override;

    // Index into Columns (and ~C Lines) of curve `curveIndex`; -1 if none.
    int ColumnOfCurve(int curveIndex) const;
    // Appends a calculated curve: the curve, a ~C entry laid out like the
    // last one with the curve's mnemonic and unit, no API code and the
    // formula as description, and its column (ColumnFromCurve). Returns the
    // curve.
    RLasCurve* AddCalculatedCurve(std::unique_ptr<RLasCurve> curve);
    // The data column of a computed curve: Header.SampleCount rows, row r
    // from sample r; null or infinite samples and rows the curve does not
    // reach hold the file's NULL, so the column reads back as null.
    TDoubleArray ColumnFromCurve(const RLasCurve& curve) const;
    // Removes curve `curveIndex` with its ~C entry and column.
    void DeleteCurve(int curveIndex);
    // Curve by exact mnemonic; none when absent.
    RLasCurve* FindCurve(std::string_view mnemonic) const;

    std::vector<std::unique_ptr<RLasCurve>> Curves;
    TLasHeader Header;
    std::unique_ptr<TLasHeaderNew> LasHeader;  // none until a file's header was met
    std::vector<TDoubleArray> Columns;
    TDoubleArray Spare;
    std::string CacheText;
};
