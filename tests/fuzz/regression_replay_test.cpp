// Every input a fuzzer once crashed on, kept under tests/regressions/<target>/,
// run again through the target's body (fuzz/fuzz_targets.h). A crash or an
// abort fails the test process; the file being replayed is printed first so
// the failure names it.

#include "fuzz_targets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Target = void (*)(const std::uint8_t*, std::size_t);

std::vector<char> ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Replays the folder's files in name order.
void Replay(const std::string& folder, Target target)
{
    const fs::path dir = fs::path(LOGGARD_REGRESSIONS_DIR) / folder;
    if (!fs::is_directory(dir)) {
        ADD_FAILURE() << "no folder " << dir;
        return;
    }
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir))
        if (entry.is_regular_file() && entry.path().filename().string().front() != '.')
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::cerr << "replaying " << file.string() << std::endl;
        const std::vector<char> bytes = ReadAll(file);
        target(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
}

TEST(FuzzRegressions, ContainerInputs) { Replay("container_fuzz", FuzzTargets::Container); }
TEST(FuzzRegressions, LasInputs) { Replay("las_fuzz", FuzzTargets::Las); }
TEST(FuzzRegressions, FormulaInputs) { Replay("formula_fuzz", FuzzTargets::Formula); }

// The bodies stay alive on the inputs the fuzzers start from, so an empty
// regression folder still proves the replay reaches the whole path.
TEST(FuzzRegressions, SeedInputsRunThrough)
{
    const std::vector<char> las = ReadAll(fs::path(LOGGARD_TEST_DATA_DIR) / "view" / "depth_columns.las");
    ASSERT_FALSE(las.empty());
    FuzzTargets::Las(reinterpret_cast<const std::uint8_t*>(las.data()), las.size());
    const std::vector<char> settings = ReadAll(fs::path(LOGGARD_TEST_DATA_DIR) / "view" / "settings.dat");
    ASSERT_FALSE(settings.empty());
    FuzzTargets::Container(reinterpret_cast<const std::uint8_t*>(settings.data()), settings.size());
    const std::string formula = "IF(ISNULL(GR),0,(GR-20)/100)";
    FuzzTargets::Formula(reinterpret_cast<const std::uint8_t*>(formula.data()), formula.size());
}

}  // namespace
