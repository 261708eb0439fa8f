// The process-wide font caches.

#include "container/data_container.h"
#include "raster/font_raster_container.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

TEST(FontCache, FontsDifferingOnlyInAngleAreTwoEntries)
{
    RFontRasterContainer cache(RFontMode::Grey);
    RFontData* upright = cache.Select(RFont("Arial", 9));
    RFontData* rotated = cache.Select(RFont("Arial", 9, 4, false, false, false, 900));
    EXPECT_NE(upright, rotated);
    EXPECT_EQ(cache.Count(), 2);
    EXPECT_EQ(cache.Select(RFont("Arial", 9)), upright);
    EXPECT_EQ(cache.Find(RFont("arial", 9)), nullptr);  // names compare exactly
    EXPECT_EQ(RFontRasterContainer::Bucket(RFont("Arial", 9)),
              RFontRasterContainer::Bucket(RFont("Arial", 9, 4, false, false, false, 900)));
    EXPECT_TRUE(upright->AllPresent());
    EXPECT_EQ(upright->Mode(), RFontMode::Grey);
}

TEST(FontCache, Angle900AdvancesAndLineAdvanceRunAlongX)
{
    RFontRasterContainer cache(RFontMode::Grey);
    RFontData* rotated = cache.Select(RFont("Arial", 8, 4, false, false, false, 900));
    EXPECT_EQ(rotated->LineAdvanceX(), 12 * 256);
    EXPECT_EQ(rotated->LineAdvanceY(), 0);
    EXPECT_EQ(rotated->GlyphAt('a' - 32).advanceX, 0);
    EXPECT_LT(rotated->GlyphAt('a' - 32).advanceY, 0);
}

TEST(FontCache, ConcurrentSelectionRasterisesOnce)
{
    RFontRasterContainer cache(RFontMode::Grey);
    std::vector<RFontData*> seen(4);
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i)
        threads.emplace_back([&, i] { seen[static_cast<std::size_t>(i)] = cache.Select(RFont("Arial", 11, 7)); });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(cache.Count(), 1);
    for (RFontData* data : seen)
        EXPECT_EQ(data, seen[0]);
}

TEST(FontCache, SavesEveryFontAtItsPath)
{
    RFontRasterContainer cache(RFontMode::Grey);
    cache.Select(RFont("Arial", 8));
    cache.Select(RFont("Arial", 8, 7));
    RDataContainer container;
    cache.SaveToNode(container);
    ASSERT_NE(container.NodeByPath("Arial\\8\\4\\000\\0"), nullptr);
    ASSERT_NE(container.NodeByPath("Arial\\8\\7\\000\\0"), nullptr);
    EXPECT_EQ(container.NodeByPath("Arial\\8\\4\\000\\0")->ObjectCount(), 225);
}
