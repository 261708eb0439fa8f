// Every file of the shared LAS corpus loads (or is refused with messages)
// without a crash or hang, and every file that loads also saves and loads
// back with the same curves.

#include "las/las_data.h"
#include "las/logging.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

std::vector<std::filesystem::path> CorpusFiles()
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator it(LOGGARD_CORPUS_DIR, error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file())
            continue;
        std::string extension = it->path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
        if (extension == ".las" || extension == ".txt")
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

TEST(LasCorpus, EveryFileLoadsOrIsRefusedAndRoundTrips)
{
    const auto files = CorpusFiles();
    if (files.empty())
        GTEST_SKIP() << "no corpus at " << LOGGARD_CORPUS_DIR;
    int loadedCount = 0;
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        RLogCollector log;
        RLasData data;
        if (!data.LoadFromLas(file.string())) {
            EXPECT_FALSE(log.Messages.empty()) << "refused without a message";
            continue;
        }
        ++loadedCount;
        for (const auto& curve : data.Curves())
            EXPECT_EQ(curve->SampleCount(), static_cast<std::size_t>(data.Header.SampleCount));
        if (data.Header.Step == 0.0)
            continue;
        TempDir dir;
        ASSERT_TRUE(data.SaveToLas(dir.File("out.las")));
        RLasData again;
        ASSERT_TRUE(again.LoadFromLas(dir.File("out.las")));
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
    EXPECT_GT(loadedCount, 50);
}
