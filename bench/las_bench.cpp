// LAS load and save speed on a generated LAS 2.0 file of 200,000 depth
// steps and 30 curves (about 53 MB), and the heap peak of a load against
// the size of the columns and curves it produces.
//
// Counters: bytes_per_second is the file size over the time; peak_ratio is
// the heap peak during LoadFromLas divided by columns (8 bytes a value)
// plus curves (9 bytes a sample). Goals: load >= 200 MB/s, save >= 150 MB/s,
// peak_ratio <= 2.5.

#include "las/las_data.h"
#include "las/logging.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <string>

namespace {

// Heap accounting for the peak-memory counter.
std::atomic<std::size_t> gHeapNow{0};
std::atomic<std::size_t> gHeapPeak{0};

constexpr int kSteps = 200000;
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

// Writes the sample file once; values have four decimals, and every curve
// has runs of -999.25.
const std::string& SampleFile()
{
    static const std::string path = [] {
        const std::string file = (BenchDir() / "sample.las").string();
        std::atexit(RemoveBenchDir);
        std::string text = "~VERSION INFORMATION\r\n VERS.   2.0 : CWLS LOG ASCII STANDARD - VERSION 2.0\r\n"
                           " WRAP.   NO  : One line per depth step\r\n"
                           "~WELL INFORMATION\r\n STRT.M   1000.0000 : START DEPTH\r\n"
                           " STOP.M   "
                           + std::to_string(1000 + (kSteps - 1) / 10) + "." + std::to_string((kSteps - 1) % 10)
                           + " : STOP DEPTH\r\n STEP.M   0.1 : STEP\r\n NULL.   -999.25 : NULL VALUE\r\n"
                             " WELL.   BENCH-1 : WELL\r\n~CURVE INFORMATION\r\n DEPT.M : DEPTH\r\n";
        for (int c = 0; c < kCurves; ++c)
            text += " C" + std::to_string(c) + ".UNIT : CURVE " + std::to_string(c) + "\r\n";
        text += "~A\r\n";
        std::ofstream out(file, std::ios::binary);
        unsigned state = 12345;
        char number[64];
        for (int i = 0; i < kSteps; ++i) {
            const double depth = 1000.0 + i * 0.1;
            text.append(number, std::to_chars(number, number + sizeof number, depth, std::chars_format::fixed, 4).ptr);
            for (int c = 0; c < kCurves; ++c) {
                state = state * 1103515245u + 12345u;
                const bool nullRun = ((i / 500) + c) % 17 == 0;
                const double value = nullRun ? -999.25 : ((state >> 8) % 2000000) / 10000.0 - 50.0;
                text += ' ';
                text.append(number,
                            std::to_chars(number, number + sizeof number, value, std::chars_format::fixed, 4).ptr);
            }
            text += "\r\n";
            if (text.size() > (1 << 20)) {
                out.write(text.data(), static_cast<std::streamsize>(text.size()));
                text.clear();
            }
        }
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        return file;
    }();
    return path;
}

void BM_LoadLas(benchmark::State& state)
{
    const std::string& path = SampleFile();
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path));
    double ratio = 0.0;
    for (auto _ : state) {
        const std::size_t before = gHeapNow.load();
        gHeapPeak.store(before);
        auto data = std::make_unique<RLasData>();
        if (!data->LoadFromLas(path))
            state.SkipWithError("load failed");
        // Freeing the data set is no part of the load.
        state.PauseTiming();
        const std::size_t peak = gHeapPeak.load() - before;
        std::size_t payload = 0;
        for (const auto& column : data->Columns())
            payload += column.size() * sizeof(double);
        for (const auto& curve : data->Curves())
            payload += curve->Data.Samples.size() * sizeof(RLasSample);
        ratio = static_cast<double>(peak) / static_cast<double>(payload);
        state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
        state.counters["columns_curves_MB"] = static_cast<double>(payload) / 1e6;
        data.reset();
        state.ResumeTiming();
    }
    state.counters["peak_ratio"] = ratio;
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_LoadLas)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveLas(benchmark::State& state)
{
    RLasData data;
    if (!data.LoadFromLas(SampleFile())) {
        state.SkipWithError("load failed");
        return;
    }
    const std::string out = (BenchDir() / "saved.las").string();
    std::int64_t bytes = 0;
    for (auto _ : state) {
        if (!data.SaveToLas(out))
            state.SkipWithError("save failed");
        bytes += static_cast<std::int64_t>(std::filesystem::file_size(out));
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_SaveLas)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

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
