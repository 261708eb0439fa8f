// LAS load and save speed on generated LAS 2.0 files of 300,000 depth steps
// and 30 curves (about 99 MB each): one unwrapped, one wrapped (the depth
// alone on a line, then six values a line), and one unwrapped with STEP 0
// and depths jittered off the grid, so that every row keeps its own depth. Beside the load, the stages it
// is made of, each on its own: reading the bytes, splitting them into
// lines, and the page faults of fresh sample storage.
//
//     build/bin/las_bench                          # the benchmarks
//     build/bin/las_bench --write-files DIR        # only writes DIR/plain.las,
//                                                  # DIR/wrapped.las and
//                                                  # DIR/irregular.las, for
//                                                  # timing whole processes
//
// Beside the save, the number forms of its data lines alone: WriteFixed4
// and WriteStyled on a million column values with the style's decimals.
//
// Counters: bytes_per_second is the file size over the time; peak_ratio is
// the heap peak during LoadFromLas divided by the size of the columns (8
// bytes a value, one column per curve). Goals: the whole `loggard-cli info`
// process within 3x of `cat FILE | wc -c`, the irregular file within 1.3x
// of the plain one, peak_ratio <= 1.3, save >= 150 MB/s.

#include "las/las_data.h"
#include "las/las_line_reader.h"
#include "las/las_number_format.h"
#include "las/logging.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Heap accounting for the peak-memory counter.
std::atomic<std::size_t> gHeapNow{0};
std::atomic<std::size_t> gHeapPeak{0};

constexpr int kSteps = 300000;
constexpr int kCurves = 30;

std::filesystem::path BenchDir()
{
    static const std::filesystem::path dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "loggard-las-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        return std::filesystem::path(pattern);
    }();
    return dir;
}

void RemoveBenchDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(BenchDir(), ignored);
}

void AppendFixed4(std::string& text, double value)
{
    char number[64];
    text.append(number, std::to_chars(number, number + sizeof number, value, std::chars_format::fixed, 4).ptr);
}

// The sample files.
enum SampleKind { kPlain = 0, kWrapped = 1, kIrregular = 2 };

// Writes a sample file; values have four decimals, up to five integer
// digits, and every curve has runs of -999.25. Wrapped, the depth stands
// alone on its line and the values follow six a line. Irregular, STEP is 0
// and each depth lies up to 0.03 off the 0.1 grid.
void WriteSampleFile(const std::string& file, SampleKind kind)
{
    const bool wrap = kind == kWrapped;
    std::string text = std::string("~VERSION INFORMATION\r\n VERS.   2.0 : CWLS LOG ASCII STANDARD - VERSION 2.0\r\n")
                       + (wrap ? " WRAP.   YES : Multiple lines per depth step\r\n"
                               : " WRAP.   NO  : One line per depth step\r\n")
                       + "~WELL INFORMATION\r\n STRT.M   1000.0000 : START DEPTH\r\n"
                         " STOP.M   "
                       + std::to_string(1000 + (kSteps - 1) / 10) + "." + std::to_string((kSteps - 1) % 10)
                       + " : STOP DEPTH\r\n STEP.M   " + (kind == kIrregular ? "0" : "0.1")
                       + " : STEP\r\n NULL.   -999.25 : NULL VALUE\r\n"
                         " WELL.   BENCH-1 : WELL\r\n~CURVE INFORMATION\r\n DEPT.M : DEPTH\r\n";
    for (int c = 0; c < kCurves; ++c)
        text += " C" + std::to_string(c) + ".UNIT : CURVE " + std::to_string(c) + "\r\n";
    text += "~A\r\n";
    std::ofstream out(file, std::ios::binary);
    std::uint64_t state = 12345;
    for (int i = 0; i < kSteps; ++i) {
        const double jitter = kind == kIrregular ? static_cast<double>(i * 7919 % 61 - 30) / 1000.0 : 0.0;
        AppendFixed4(text, 1000.0 + i * 0.1 + jitter);
        for (int c = 0; c < kCurves; ++c) {
            state = state * 6364136223846793005u + 1442695040888963407u;
            const bool nullRun = ((i / 500) + c) % 17 == 0;
            const double value = nullRun ? -999.25 : static_cast<double>((state >> 33) % 300000000) / 10000.0 - 50.0;
            text += wrap && c % 6 == 0 ? "\r\n" : " ";
            AppendFixed4(text, value);
        }
        text += "\r\n";
        if (text.size() > (1 << 20)) {
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            text.clear();
        }
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

const char* const kSampleNames[] = {"plain.las", "wrapped.las", "irregular.las"};

// The sample files, each written once per run when first asked for.
const std::string& SampleFile(std::int64_t kind)
{
    static const bool cleanup = (std::atexit(RemoveBenchDir), true);
    static std::string files[3];
    (void)cleanup;
    std::string& file = files[kind];
    if (file.empty()) {
        file = (BenchDir() / kSampleNames[kind]).string();
        WriteSampleFile(file, static_cast<SampleKind>(kind));
    }
    return file;
}

std::int64_t FileSize(const std::string& path) { return static_cast<std::int64_t>(std::filesystem::file_size(path)); }

// Stage: the bytes alone, read a megabyte at a time into one buffer.
void BM_ReadBytes(benchmark::State& state)
{
    const std::string& path = SampleFile(state.range(0));
    std::vector<char> buffer(1 << 20);
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        std::size_t total = 0;
        for (ssize_t got; (got = ::read(fd, buffer.data(), buffer.size())) > 0;)
            total += static_cast<std::size_t>(got);
        ::close(fd);
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(state.iterations() * FileSize(path));
}
BENCHMARK(BM_ReadBytes)->ArgName("wrap")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Stage: the bytes split into lines by the reader the load uses.
void BM_SplitLines(benchmark::State& state)
{
    const std::string& path = SampleFile(state.range(0));
    for (auto _ : state) {
        RLasLineReader reader;
        reader.Open(path);
        std::size_t lines = 0;
        for (std::string_view line; reader.ReadLine(line);)
            lines += line.empty() ? 0 : 1;
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(state.iterations() * FileSize(path));
}
BENCHMARK(BM_SplitLines)->ArgName("wrap")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Stage: fresh sample storage for every curve, written once (the page
// faults a load cannot avoid), and freed.
void BM_FreshSamples(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<std::vector<RLasSample>> curves(kCurves);
        for (auto& samples : curves)
            samples.assign(kSteps, RLasSample{-999.25, kSampleNull});
        benchmark::DoNotOptimize(curves.back().back());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(kSteps) * kCurves * std::int64_t(sizeof(RLasSample)));
}
BENCHMARK(BM_FreshSamples)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadLas(benchmark::State& state)
{
    const std::string& path = SampleFile(state.range(0));
    double ratio = 0.0;
    for (auto _ : state) {
        const std::size_t before = gHeapNow.load();
        gHeapPeak.store(before);
        auto data = std::make_unique<RLasData>();
        if (!data->LoadFromLas(path, RLasLoadOptions{.Threads = static_cast<unsigned>(state.range(1))}))
            state.SkipWithError("load failed");
        // Freeing the data set is no part of the load.
        state.PauseTiming();
        const std::size_t peak = gHeapPeak.load() - before;
        std::size_t columns = 0;
        for (const auto& column : data->Columns())
            columns += column.size() * sizeof(double);
        ratio = static_cast<double>(peak) / static_cast<double>(columns);
        state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
        state.counters["columns_MB"] = static_cast<double>(columns) / 1e6;
        data.reset();
        state.ResumeTiming();
    }
    state.counters["peak_ratio"] = ratio;
    state.SetBytesProcessed(state.iterations() * FileSize(path));
}
// threads 0: one per processor.
// kind 0 plain, 1 wrapped, 2 irregular (STEP 0, jittered depths).
BENCHMARK(BM_LoadLas)
    ->ArgNames({"kind", "threads"})
    ->ArgsProduct({{0, 1, 2}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_SaveLas(benchmark::State& state)
{
    RLasData data;
    if (!data.LoadFromLas(SampleFile(kPlain))) {
        state.SkipWithError("load failed");
        return;
    }
    const std::string out = (BenchDir() / "saved.las").string();
    std::int64_t bytes = 0;
    for (auto _ : state) {
        if (!data.SaveToLas(out))
            state.SkipWithError("save failed");
        bytes += FileSize(out);
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_SaveLas)->Unit(benchmark::kMillisecond)->UseRealTime();

// A million column values as read from text with `decimals` decimals,
// between -50 and 29950 like the sample files' curves, and -999.25 every
// 17th value.
const std::vector<double>& ColumnValues(int decimals)
{
    static std::vector<double> values[11];
    std::vector<double>& column = values[decimals];
    if (column.empty()) {
        double scale = 1.0;
        for (int d = 0; d < decimals; ++d)
            scale *= 10.0;
        std::uint64_t state = 4242;
        for (int i = 0; i < 1000000; ++i) {
            state = state * 6364136223846793005u + 1442695040888963407u;
            const auto units = static_cast<double>((state >> 11) % static_cast<std::uint64_t>(30000.0 * scale));
            // One division of exact operands: the double a reader makes of the text.
            column.push_back(i % 17 == 0 ? -999.25 : (units - 50.0 * scale) / scale);
        }
    }
    return column;
}

// Writes every value through `write`, a megabyte of text at a time.
template <typename Write>
void WriteColumn(benchmark::State& state, const std::vector<double>& column, Write write)
{
    std::vector<char> buffer((1 << 20) + LasNumberFormat::kMaxStyledLength + 1);
    char* const start = buffer.data();
    std::int64_t bytes = 0;
    for (auto _ : state) {
        char* p = start;
        for (const double value : column) {
            p = write(p, value);
            *p++ = ' ';
            if (p - start >= (1 << 20)) {
                bytes += p - start;
                p = start;
            }
        }
        bytes += p - start;
        benchmark::DoNotOptimize(start);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(bytes);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(column.size()));
}

void BM_WriteFixed4(benchmark::State& state)
{
    WriteColumn(state, ColumnValues(4), [](char* p, double value) { return LasNumberFormat::WriteFixed4(p, value); });
}
BENCHMARK(BM_WriteFixed4)->Unit(benchmark::kMillisecond);

void BM_WriteStyled(benchmark::State& state)
{
    const RLasNumberStyle style{static_cast<int>(state.range(0)), false};
    WriteColumn(state, ColumnValues(style.Decimals),
                [style](char* p, double value) { return LasNumberFormat::WriteStyled(p, value, style); });
}
BENCHMARK(BM_WriteStyled)->ArgName("decimals")->Arg(4)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--write-files") == 0) {
        for (int kind = kPlain; kind <= kIrregular; ++kind)
            WriteSampleFile((std::filesystem::path(argv[2]) / kSampleNames[kind]).string(), static_cast<SampleKind>(kind));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Every block carries its size in 16 bytes before it; the sized and plain
// deletes below are the only ones that free these blocks.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size)
{
    void* block = std::malloc(size + 16);
    if (!block)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    const std::size_t now = gHeapNow.fetch_add(size) + size;
    std::size_t peak = gHeapPeak.load();
    while (now > peak && !gHeapPeak.compare_exchange_weak(peak, now)) {
    }
    return static_cast<char*>(block) + 16;
}

void operator delete(void* pointer) noexcept
{
    if (!pointer)
        return;
    void* block = static_cast<char*>(pointer) - 16;
    gHeapNow.fetch_sub(*static_cast<std::size_t*>(block));
    std::free(block);
}

void operator delete(void* pointer, std::size_t) noexcept { operator delete(pointer); }
