// Saving and loading container files: 100,000 mixed values, a 10 MB file
// of string payloads, and one node with many children. Bytes/s in the
// output is file bytes.

#include "container/data_container.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

std::string BenchPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

// 1,000 nodes of 10 objects of 10 values; every tenth value a string of
// `stringLength` bytes, the others numbers.
void Fill(RDataContainer& container, std::size_t stringLength)
{
    const std::string text(stringLength, 'x');
    for (int n = 0; n < 1000; ++n) {
        RDCNode* node = container.NodeByPath("Bench\\Node" + std::to_string(n), true);
        for (int i = 0; i < 10; ++i) {
            RDCObject* object = node->Object(i);
            for (int j = 0; j < 10; ++j) {
                RDCValue* value = object->Value(j);
                if (j == 0)
                    value->SetString(text);
                else if (j % 2)
                    value->SetDouble(n * 0.5 + j);
                else
                    value->SetInteger(n * j);
            }
        }
    }
}

void BM_Save(benchmark::State& state)
{
    RDataContainer container;
    Fill(container, static_cast<std::size_t>(state.range(0)));
    const std::string path = BenchPath("loggard-bench-save.dat");
    for (auto _ : state)
        container.SaveToFile(path);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}

void BM_Load(benchmark::State& state)
{
    const std::string path = BenchPath("loggard-bench-load.dat");
    {
        RDataContainer container;
        Fill(container, static_cast<std::size_t>(state.range(0)));
        container.SaveToFile(path);
    }
    for (auto _ : state) {
        RDataContainer container;
        benchmark::DoNotOptimize(container.LoadFromFile(path));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}

// One node holding `childCount` children, each with one integer: the
// cost of walking a long child list, which must stay linear.
void FillFlat(RDataContainer& container, int childCount)
{
    RDCNode* parent = container.AddChild("Flat");
    for (int n = 0; n < childCount; ++n)
        parent->AddChild("C" + std::to_string(n))->Object(0)->Value(0)->SetInteger(n);
}

void BM_SaveManyChildren(benchmark::State& state)
{
    RDataContainer container;
    FillFlat(container, static_cast<int>(state.range(0)));
    const std::string path = BenchPath("loggard-bench-flat-save.dat");
    for (auto _ : state)
        container.SaveToFile(path);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}

void BM_LoadManyChildren(benchmark::State& state)
{
    const std::string path = BenchPath("loggard-bench-flat-load.dat");
    {
        RDataContainer container;
        FillFlat(container, static_cast<int>(state.range(0)));
        container.SaveToFile(path);
    }
    for (auto _ : state) {
        RDataContainer container;
        benchmark::DoNotOptimize(container.LoadFromFile(path));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}

}  // namespace

// 100,000 values with 8-byte strings (about 1 MB), then with 1,000-byte
// strings (about 10.7 MB).
BENCHMARK(BM_Save)->Arg(8)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Arg(8)->Arg(1000)->Unit(benchmark::kMillisecond);
// 80,000 children of one node (about 1.3 MB).
BENCHMARK(BM_SaveManyChildren)->Arg(80000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadManyChildren)->Arg(80000)->Unit(benchmark::kMillisecond);
