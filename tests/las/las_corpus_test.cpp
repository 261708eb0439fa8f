// Every file of the LAS corpus in tests/data/corpus and every quirk fixture
// in tests/data/las loads (or is refused with messages) without a crash or
// hang, and every file that loads saves and loads back with bit-identical
// samples, the same depths and the same header items; saving the saved file
// gives the same bytes again. One test per file, named after its path, so a
// failure says which file at once.

#include "las/las_data.h"
#include "las/logging.h"

#include "support/files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
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

std::vector<CorpusFile> FilesUnder(const std::filesystem::path& root, const std::string& prefix)
{
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
        const std::string base = TestName(prefix + path.lexically_relative(root).generic_string());
        std::string name = base;
        for (int n = 2; !taken.insert(name).second; ++n)
            name = base + "_" + std::to_string(n);
        files.push_back({path.string(), name});
    }
    return files;
}

const std::vector<CorpusFile>& Corpus()
{
    static const std::vector<CorpusFile> files = FilesUnder(LOGGARD_CORPUS_DIR, "");
    return files;
}

const std::vector<CorpusFile>& CorpusAndFixtures()
{
    static const std::vector<CorpusFile> files = [] {
        std::vector<CorpusFile> all = Corpus();
        for (CorpusFile& fixture : FilesUnder(std::string(LOGGARD_TEST_DATA_DIR) + "/las", "fixture/"))
            all.push_back(std::move(fixture));
        return all;
    }();
    return files;
}

// Bit patterns: a round trip must give the very same doubles (a NaN as
// well as a negative zero).
std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

void ExpectSameHeaderItems(const TLasHeaderNew& a, const TLasHeaderNew& b)
{
    EXPECT_EQ(a.Version().Version, b.Version().Version);
    EXPECT_EQ(a.Version().Wrap, b.Version().Wrap);
    EXPECT_EQ(a.Version().Delimiter, b.Version().Delimiter);
    const TLasWellSection& x = a.Well();
    const TLasWellSection& y = b.Well();
    EXPECT_EQ(Bits(x.NullValue), Bits(y.NullValue));
    for (const auto field : {&TLasWellSection::Comp, &TLasWellSection::Well, &TLasWellSection::Fld,
                             &TLasWellSection::Loc, &TLasWellSection::Prov, &TLasWellSection::Cnty,
                             &TLasWellSection::Stat, &TLasWellSection::Ctry, &TLasWellSection::Srvc,
                             &TLasWellSection::Date, &TLasWellSection::Uwi, &TLasWellSection::Api})
        EXPECT_EQ(x.*field, y.*field);
    EXPECT_EQ(x.StrtUnit, y.StrtUnit);
    EXPECT_EQ(a.Curves().DepthLine.Mnem, b.Curves().DepthLine.Mnem);
    ASSERT_EQ(a.Curves().Lines.size(), b.Curves().Lines.size());
    for (std::size_t k = 0; k < a.Curves().Lines.size(); ++k) {
        const RLasSectionLine& p = a.Curves().Lines[k];
        const RLasSectionLine& q = b.Curves().Lines[k];
        EXPECT_EQ(p.Mnem + "." + p.Unit + " " + p.Data + " : " + p.Description + " " + p.Tail,
                  q.Mnem + "." + q.Unit + " " + q.Data + " : " + q.Description + " " + q.Tail);
    }
    EXPECT_EQ(a.Parameters().Text(), b.Parameters().Text());
    EXPECT_EQ(a.Other().Text(), b.Other().Text());
    EXPECT_EQ(a.KeptSections().size(), b.KeptSections().size());
    EXPECT_EQ(a.TrailingText, b.TrailingText);
}

class LasCorpusFile : public ::testing::TestWithParam<CorpusFile> {};

}  // namespace

TEST_P(LasCorpusFile, LoadsOrIsRefusedAndRoundTripsBitForBit)
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
    if (data.Header.SampleCount == 0)
        return;
    TempDir dir;
    ASSERT_TRUE(data.SaveToLas(dir.File("out.las")));
    RLasData again;
    ASSERT_TRUE(again.LoadFromLas(dir.File("out.las")));
    EXPECT_EQ(again.CheckInvariant(), "");
    ExpectSameHeaderItems(*data.LasHeader(), *again.LasHeader());
    ASSERT_EQ(again.Index.Count, data.Index.Count);
    EXPECT_EQ(again.Index.Regular(), data.Index.Regular());
    for (std::size_t row = 0; row < data.Index.Count; ++row)
        ASSERT_EQ(Bits(again.Index.Depth(row)), Bits(data.Index.Depth(row))) << "row " << row;
    ASSERT_EQ(again.Curves().size(), data.Curves().size());
    for (std::size_t i = 0; i < data.Curves().size(); ++i) {
        const RLasCurve& before = *data.Curves()[i];
        const RLasCurve& after = *again.Curves()[i];
        EXPECT_EQ(after.Mnemonic, before.Mnemonic);
        ASSERT_EQ(after.SampleCount(), before.SampleCount());
        for (std::size_t k = 0; k < before.SampleCount(); ++k) {
            const RLasSample x = before.Data.Samples[k], y = after.Data.Samples[k];
            // Values no data line can hold (an infinity) are written as NULL.
            if (!std::isfinite(x.Value))
                continue;
            ASSERT_EQ(Bits(y.Value), Bits(x.Value)) << before.Mnemonic << " row " << k;
            ASSERT_EQ(y.Flags & kSampleNull, x.Flags & kSampleNull) << before.Mnemonic << " row " << k;
        }
    }
    // The saved file is a fixed point: saving it again gives the same bytes.
    ASSERT_TRUE(again.SaveToLas(dir.File("again.las")));
    EXPECT_EQ(ReadWholeFile(dir.File("again.las")), ReadWholeFile(dir.File("out.las")));
}

INSTANTIATE_TEST_SUITE_P(Corpus, LasCorpusFile, ::testing::ValuesIn(CorpusAndFixtures()),
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
