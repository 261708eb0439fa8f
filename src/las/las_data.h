#pragma once
// RLasData: the well-log data set of one LAS file: the parsed header, one
// data column per ~C list entry and one RLasCurve per curve.
//
//     RLasData data;
//     data.LoadFromLas(path);            // problems go to LogMessage
//     for (const auto& curve : data.Curves()) ... curve->Mnemonic ...
//     data.SaveToLas(otherPath);         // false (and logged) on failure
//
// The reader is las_reader.cpp, the writer las_writer.cpp.

#include "las/las_column.h"
#include "las/las_curve.h"
#include "las/las_header.h"
#include "las/las_index.h"
#include "las/las_object.h"

#include "container/text_codec.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class RLogSink;

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

// What TakeCurve takes out of a data set: enough to put it back with
// InsertCurve, or to build a new curve's place with MakeSlot.
struct RLasCurveSlot {
    std::unique_ptr<RLasCurve> Curve;
    int CurveIndex = -1;
    int ColumnIndex = -1;  // -1: the curve has no column (no header loaded)
    RLasSectionLine Line;  // its ~C entry
    RLasColumn Column;     // may read Curve: keep the two together
};

// A load watched from another thread: how far the reader is in the file
// (the header counts once the data section starts), and a request to stop,
// which fails the load within a few thousand data lines.
struct RLasLoadProgress {
    std::atomic<std::uint64_t> BytesRead{0};
    std::atomic<std::uint64_t> FileSize{0};
    std::atomic<bool> Cancel{false};
};

// How LoadFromLas reads the data section.
struct RLasLoadOptions {
    // Threads that scan it; 0: one per processor.
    unsigned Threads = 0;
    // A data section of fewer bytes is scanned by one thread: splitting it
    // would cost more than it saves.
    std::uint64_t ParallelFrom = 2 << 20;
    // Files whose samples would take more bytes are refused; 0: half of
    // the computer's memory (MaxDataBytes).
    std::uint64_t MaxDataBytes = 0;
    // Where the load reports its progress and looks for a request to stop.
    RLasLoadProgress* Progress = nullptr;
    // Where the load's problems go (on the loading thread); none: the
    // thread's or the process-wide sink (logging.h).
    RLogSink* Sink = nullptr;
    // The code page of an 8-bit file's text, when the user knows better
    // than the guess; UTF-16 files are recognised whatever this says.
    std::optional<TextCodec::Encoding> Encoding{};
};

class RLasData : public RLasObject {
public:
    // Mnemonics that name a depth (index) curve.
    static bool IsDepthName(std::string_view mnemonic);
    // Most samples a file may declare: Header.SampleCount is an int.
    static constexpr std::int64_t kMaxSamples = 0x7FFFFFFF;
    // Most ~C entries besides the depth: Header.CurveCount has 16 bits.
    static constexpr std::size_t kMaxColumns = 0xFFFF;
    // The memory, in bytes, that the data of one file may take: half of the
    // machine's physical memory. A header asking for more is refused before
    // anything is allocated.
    static std::uint64_t MaxDataBytes();
    // Bytes `samples` rows of `columns` ~C entries take once loaded, at 9 a
    // value (a curve's sample; a depth column takes 8).
    static std::uint64_t DataBytesFor(std::int64_t samples, std::size_t columns);

    // n = round(|(STOP - STRT) / STEP|) + 1, halves to even; -1 when STEP is
    // 0 or the count is not a finite number within kMaxSamples.
    static std::int64_t SampleCountFor(double strt, double stop, double step);

    // Reads a LAS file into this (fresh) data set: the first data column is
    // the index, every row is read, and each other ~C entry becomes a curve.
    // Problems are reported; the outcome shows in the fields. True when
    // curves were made.
    bool LoadFromLas(const std::string& path, const RLasLoadOptions& options = {});
    // Writes the data set as LAS in its version and wrap mode through a
    // temporary file; false (logged, nothing at `path` touched) on failure.
    bool SaveToLas(const std::string& path) const;

    // Container form under "LasData" (curves and the cache text only). A
    // data set loaded this way holds curves only: no header, no columns.
    void LoadFromNode(RDCNodeList& root) override;
    void SaveToNode(RDCNodeList& root) const override;

    const std::vector<std::unique_ptr<RLasCurve>>& Curves() const { return curves_; }
    // One per ~C entry, each Header.SampleCount long. A column of a curve
    // read from the file reads that curve's samples (las_column.h).
    const std::vector<RLasColumn>& Columns() const { return columns_; }
    // None until a file's header was met.
    const TLasHeaderNew* LasHeader() const { return lasHeader_.get(); }
    // For editing ~V, ~W, ~P, ~D and ~O; the ~C lines belong to the curve
    // operations below and must not be edited through it.
    TLasHeaderNew* EditHeader() { return lasHeader_.get(); }

    // Index into Columns (and ~C Lines) of curve `curveIndex`; -1 if none.
    int ColumnOfCurve(int curveIndex) const;
    // Curve by exact mnemonic; none when absent.
    RLasCurve* FindCurve(std::string_view mnemonic) const;

    // The curve operations. Each keeps the rule the data set lives by: the
    // ~C lines (after the index line), Columns and Curves have the same
    // count and order (Columns[k] holds the values of Lines[k], the samples
    // of Curves[k]). Without a header there are no columns and the
    // operations touch Curves alone.

    // A computed curve's place at the end: its column (ColumnFromCurve) and
    // a ~C entry laid out like the last one, with the curve's mnemonic and
    // unit, no API code and `description`.
    RLasCurveSlot MakeSlot(std::unique_ptr<RLasCurve> curve, std::string_view description) const;
    // Appends a computed curve (MakeSlot). Returns the curve.
    RLasCurve* AppendCurve(std::unique_ptr<RLasCurve> curve, std::string_view description);
    // Removes curve `curveIndex` with its ~C entry and column and hands them
    // over; an empty slot for an index out of range.
    RLasCurveSlot TakeCurve(int curveIndex);
    // Puts a taken slot back where it was (undo of TakeCurve, in reverse
    // order of the takes), or a MakeSlot at the end.
    void InsertCurve(RLasCurveSlot slot);
    // Replaces curve `curveIndex` by a computed one with a new column; its
    // ~C entry keeps its layout and unit, takes the new mnemonic and
    // `description`. Hands the old curve over; empty when out of range.
    RLasCurveSlot ReplaceCurve(int curveIndex, std::unique_ptr<RLasCurve> curve, std::string_view description);
    void DeleteCurve(int curveIndex) { TakeCurve(curveIndex); }

    // The data column of a computed curve: Header.SampleCount rows, row r
    // from sample r; null or infinite samples and rows the curve does not
    // reach hold the file's NULL, so the column reads back as null.
    TDoubleArray ColumnFromCurve(const RLasCurve& curve) const;

    // What breaks the rule above (and the header counts that follow it);
    // empty when it holds. For tests and debug checks.
    std::string CheckInvariant() const;

    TLasHeader Header;
    // The rows' depths, from the data's first column; the file curves
    // carry the same.
    RLasIndex Index;
    // How the file's text was encoded, and how the bytes held here decode
    // for showing (a UTF-16 file is held as UTF-8). Bytes are never
    // re-encoded on save, except that a UTF-16 file is saved as UTF-8.
    TextCodec::Encoding FileEncoding = TextCodec::Encoding::Utf8;
    TextCodec::Encoding TextEncoding = TextCodec::Encoding::Utf8;
    // LAS text (a mnemonic, a header item) as UTF-8 for showing.
    std::string DecodeText(std::string_view bytes) const { return TextCodec::DecodeToUtf8(bytes, TextEncoding); }
    TDoubleArray Spare;
    std::string CacheText;

private:
    // A header with columns read: the curve operations keep them in step.
    bool HasColumns() const;
    void CountCurveLines();

    std::vector<std::unique_ptr<RLasCurve>> curves_;
    std::unique_ptr<TLasHeaderNew> lasHeader_;
    std::vector<RLasColumn> columns_;
};
