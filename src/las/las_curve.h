#pragma once
// RLasCurve: one well-log curve, with a value and a flag byte per sample.
// Its depths are the index of its file: regular (sample i at FirstDepth +
// i * Data.Step) or, when the file's depths are not evenly spaced, one depth
// per sample in Depths, shared by the curves of that file (Data.Step is 0
// then). Depth(i) and PositionOf serve both.
//
// Reading a curve:
//
//     for (std::size_t i = 0; i < curve.SampleCount(); ++i) {
//         if (RLasCurveDataWrapper::IsNull(curve.Data, i)) continue;
//         double depth = curve.Depth(i), value = curve.Data.Samples[i].Value;
//     }
//
// Samples are packed 9-byte records (value, flags): read and assign the
// fields by value; a reference or pointer to `Value` is not allowed on a
// packed member. A calculated curve is one with a non-empty Formula; curves
// read from a LAS file have FromFile set. After changing samples, call
// FlagNullsAndRange (null flag by exact equality with NullValue) or
// UpdateRange (keeps the flags) so that MinValue/MaxValue follow.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One numeric column of a LAS file's data section.
using TDoubleArray = std::vector<double>;

// Flag bits of a sample.
constexpr std::uint8_t kSampleNull = 0x01;       // no value at this depth
constexpr std::uint8_t kSampleRedundant = 0x02;  // may be skipped when drawing

#pragma pack(push, 1)
struct RLasSample {
    double Value = 0.0;
    std::uint8_t Flags = 0;
};
#pragma pack(pop)
static_assert(sizeof(RLasSample) == 9, "samples are packed value + flag byte");

struct RLasCurveData {
    double Step = 0.0;  // depth step between samples, in the depth unit
    std::vector<RLasSample> Samples;
};

// Flag helpers: each setter changes only its own bit. An index past the
// end reads as false and is ignored by the setters.
class RLasCurveDataWrapper {
public:
    static bool IsNull(const RLasCurveData& data, std::size_t index);
    static void SetNull(RLasCurveData& data, std::size_t index, bool flag);
    static bool IsRedundant(const RLasCurveData& data, std::size_t index);
    static void SetRedundant(RLasCurveData& data, std::size_t index, bool flag);
};

class RLasCurve {
public:
    // Longest mnemonic kept; longer ones are cut.
    static constexpr std::size_t kMaxMnemonicLength = 250;

    explicit RLasCurve(std::string formula = {}, std::string methodName = {});

    std::size_t SampleCount() const { return Data.Samples.size(); }
    // Depth of sample `index` (< SampleCount()).
    double Depth(std::size_t index) const
    {
        return Depths ? (*Depths)[index] : FirstDepth + static_cast<double>(index) * Data.Step;
    }
    // Evenly spaced samples: no depth list.
    bool IsRegular() const { return !Depths; }
    // Depths run from larger to smaller (a negative step, or an irregular
    // index whose last depth lies above its first).
    bool IsDescending() const { return Depths ? LastDepth < FirstDepth : Data.Step < 0.0; }
    // Where `depth` falls among the samples, as a fractional sample index:
    // i at sample i's depth, linear between neighbours; below 0 or above
    // SampleCount() - 1 outside the curve (regular: the grid extended; an
    // irregular index gives -1 or SampleCount()). NaN when the curve has no
    // samples or a regular grid has no step. An irregular index is searched
    // by bisection and is taken to run one way (rows that go back give one
    // of their places).
    double PositionOf(double depth) const;
    bool IsCalculated() const { return !Formula.empty(); }

    // Sets Data.Samples from `values` (flags cleared), then FlagNullsAndRange.
    void SetValues(const TDoubleArray& values);
    // Null flag := value equals NullValue exactly; then UpdateRange.
    void FlagNullsAndRange();
    // MinValue/MaxValue over the samples not flagged null (0 and 0 when there
    // are none); a range that is nearly a single value is widened by 0.25 on
    // both sides so that it can be drawn.
    void UpdateRange();
    // The values alone, in sample order (nulls keep their stored value).
    TDoubleArray Values() const;
    // MinValue/MaxValue := low/high, widened when nearly one value.
    void SetRange(double low, double high);

    double FirstDepth = 0.0;  // depth of the first sample
    double LastDepth = 0.0;   // depth of the last sample
    double NullValue = 0.0;
    RLasCurveData Data;  // Data.Step is the depth step
    std::string Mnemonic;  // 8-bit LAS text, at most kMaxMnemonicLength bytes
    std::string Unit;
    double MinValue = 0.0;
    double MaxValue = 0.0;
    bool FromFile = false;   // read from a LAS file
    std::string Formula;     // formula of a calculated curve, empty for file curves
    std::string MethodName;  // name of the calculation method that made it
    // One depth per sample when the index is irregular; none when regular.
    std::shared_ptr<const TDoubleArray> Depths;
};

// The mnemonic without a trailing " (n)", n an integer, as unique naming
// appends it: "GR (2)" gives "GR"; "X(7)" and "A (x)" stay as they are.
std::string_view CurveNameStem(std::string_view mnemonic);
