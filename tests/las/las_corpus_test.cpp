// Every file of the LAS corpus in tests/data/corpus loads (or is refused
// with messages) without a crash or hang, and every file that loads also
// saves and loads back with the same curves. One test per file, named after
// its path in the corpus, so a failure says which file at once.

#include "las/las_data.h"
#include "las/logging.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

struct CorpusFile {
    std::string path;  // absolute
    std::string name;  // the path inside the corpus, as a test name
};

void PrintTo(const CorpusFile& file, std::ostream* out) { *out << file.path; }

// "tests/examples/3.0/Curve-Param Error #1 (MS).LAS" -> "tests_examples_3_0_Curve_Param_Error_1_MS_LAS":
// runs of anything but letters and digits become one underscore.
std::string TestName(const std::string& relativePath)
{
    std::string name;
    for (const char c : relativePath) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += c;
        else if (!name.empty() && name.back() != '_')
            name += '_';
    }
    while (!name.empty() && name.back() == '_')
        name.pop_back();
    return name.empty() ? "file" : name;
}

std::vector<CorpusFile> CorpusFiles()
{
    const std::filesystem::path root(LOGGARD_CORPUS_DIR);
    std::vector<std::filesystem::path> paths;
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator it(root, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file())
            continue;
        std::string extension = it->path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (extension == ".las" || extension == ".txt")
            paths.push_back(it->path());
    }
    std::sort(paths.begin(), paths.end());

    std::vector<CorpusFile> files;
    std::set<std::string> taken;
    for (const auto& path : paths) {
        const std::string base = TestName(path.lexically_relative(root).generic_string());
        std::string name = base;
        for (int n = 2; !taken.insert(name).second; ++n)
            name = base + "_" + std::to_string(n);
        files.push_back({path.string(), name});
    }
    return files;
}

const std::vector<CorpusFile>& Corpus()
{
    static const std::vector<CorpusFile> files = CorpusFiles();
    return files;
}

class LasCorpusFile : public ::testing::TestWithParam<CorpusFile> {};

}  // namespace

TEST_P(LasCorpusFile, LoadsOrIsRefusedAndRoundTrips)
{
    const std::string& file = GetParam().path;
    RLogCollector log;
    RLasData data;
    const bool loaded = data.LoadFromLas(file);
    EXPECT_EQ(data.CheckInvariant(), "");
    if (!loaded) {
        EXPECT_FALSE(log.Messages.empty()) << "refused without a message";
        return;
    }
    for (const auto& curve : data.Curves())
        EXPECT_EQ(curve->SampleCount(), static_cast<std::size_t>(data.Header.SampleCount));
    if (data.Header.Step == 0.0)
        return;
    TempDir dir;
    ASSERT_TRUE(data.SaveToLas(dir.File("out.las")));
    RLasData again;
    ASSERT_TRUE(again.LoadFromLas(dir.File("out.las")));
    EXPECT_EQ(again.CheckInvariant(), "");
    ASSERT_EQ(again.Curves().size(), data.Curves().size());
    for (std::size_t i = 0; i < data.Curves().size(); ++i) {
        EXPECT_EQ(again.Curves()[i]->Mnemonic, data.Curves()[i]->Mnemonic);
        const auto before = data.Curves()[i]->Values();
        const auto after = again.Curves()[i]->Values();
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t k = 0; k < before.size(); ++k)
            EXPECT_NEAR(after[k], before[k], 0.00005 * std::max(1.0, std::abs(before[k]) * 1e-8));
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, LasCorpusFile, ::testing::ValuesIn(Corpus()),
                         [](const ::testing::TestParamInfo<CorpusFile>& info) { return info.param.name; });

// The corpus is part of the tree: a missing or emptied folder is a failure,
// and a reader that refuses most of it is broken even if it never crashes.
TEST(LasCorpus, IsPresentAndMostFilesLoad)
{
    ASSERT_GE(Corpus().size(), 100u) << "corpus missing or incomplete at " << LOGGARD_CORPUS_DIR;
    int loadedCount = 0;
    for (const auto& file : Corpus()) {
        RLogCollector quiet;
        RLasData data;
        loadedCount += data.LoadFromLas(file.path) ? 1 : 0;
    }
    EXPECT_GT(loadedCount, 50);
}
