#include "las/las_index.h"
#include "las/logging.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

namespace {

TLasWellSection Well(double strt, double stop, double step)
{
    TLasWellSection well;
    well.Strt = strt;
    well.Stop = stop;
    well.Step = step;
    return well;
}

}  // namespace

TEST(Index, RegularDepthsAreAGridOnTheFilesDecimals)
{
    // 0.1524 m (half a foot): the header's step is kept, and every depth is
    // the double its four-decimal text reads as.
    TDoubleArray depths;
    for (int i = 0; i < 2000; ++i)
        depths.push_back(std::round((1000.0 + i * 0.1524) * 1e4) / 1e4);
    RLogCollector log;
    const RLasIndex index = RLasIndex::FromDepths(depths, 4, Well(1000, depths.back(), 0.1524), "f");
    EXPECT_TRUE(log.Messages.empty());
    ASSERT_TRUE(index.Regular());
    EXPECT_EQ(index.Step, 0.1524);
    for (std::size_t i = 0; i < depths.size(); ++i)
        ASSERT_EQ(std::bit_cast<std::uint64_t>(index.Depth(i)), std::bit_cast<std::uint64_t>(depths[i])) << i;
}

TEST(Index, JitterWithinOnePercentOfAStepIsRegularBeyondItIsNot)
{
    RLogCollector log;
    const RLasIndex near = RLasIndex::FromDepths({100.0, 100.504, 100.996, 101.5}, 3, Well(100, 101.5, 0.5), "f");
    EXPECT_TRUE(near.Regular());
    EXPECT_EQ(near.Depth(1), 100.5);
    const RLasIndex far = RLasIndex::FromDepths({100.0, 100.506, 101.0, 101.5}, 3, Well(100, 101.5, 0.5), "f");
    EXPECT_FALSE(far.Regular());
    EXPECT_EQ(far.Depth(1), 100.506);
    EXPECT_EQ(far.Step, 0.0);
    // Depths written with exponents have no decimal grid: kept one a row.
    EXPECT_FALSE(RLasIndex::FromDepths({100.0, 100.5, 101.0}, -1, Well(100, 101, 0.5), "f").Regular());
}

TEST(Index, HeaderIsCheckedAgainstTheDataNeverTrusted)
{
    RLogCollector log;
    const RLasIndex index = RLasIndex::FromDepths({10.0, 9.5, 9.0}, 1, Well(11, 8, 0.5), "f");
    EXPECT_TRUE(index.Regular());
    EXPECT_EQ(index.Step, -0.5);
    EXPECT_EQ(index.Last(), 9.0);
    EXPECT_EQ(log.Messages, (std::vector<std::string>{
                                "STRT 11 не совпадает с первой глубиной в данных 10; используются глубины из данных",
                                "STOP 8 не совпадает с последней глубиной в данных 9; используются глубины из данных",
                                "STEP 0.5 не совпадает с шагом глубин в данных -0.5; используются глубины из данных",
                                "По STRT, STOP и STEP в секции Data должно быть 7 строк, а в данных 3; прочитаны все "
                                "строки"}));
    // No rows: nothing to compare, the header's range is kept.
    log.Messages.clear();
    const RLasIndex empty = RLasIndex::FromDepths({}, 2, Well(5, 6, 0.5), "f");
    EXPECT_EQ(empty.Count, 0u);
    EXPECT_EQ(empty.First, 5.0);
    EXPECT_TRUE(log.Messages.empty());
}
