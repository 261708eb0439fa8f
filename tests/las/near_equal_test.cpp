#include "las/near_equal.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(NearEqualTest, WithinUnitsInTheLastPlace)
{
    const double one = 1.0;
    EXPECT_TRUE(IsNearEqual(one, std::nextafter(one, 2.0), 32));
    double far = one;
    for (int i = 0; i < 32; ++i)
        far = std::nextafter(far, 2.0);
    EXPECT_FALSE(IsNearEqual(one, far, 32));
    EXPECT_TRUE(IsNearEqual(one, std::nextafter(far, 0.0), 32));
    // Neighbours across a power of two share no bits of their patterns.
    EXPECT_TRUE(IsNearEqual(2.0, std::nextafter(2.0, 0.0), 8));
    EXPECT_FALSE(IsNearEqual(1.0, 1.0 + 1e-12, 8));
}

TEST(NearEqualTest, OppositeSignsOnlyWhenEqual)
{
    // Subtracting the signed patterns of these would overflow.
    const double big = std::numeric_limits<double>::max();
    EXPECT_FALSE(IsNearEqual(big, -big, 32));
    EXPECT_FALSE(IsNearEqual(std::numeric_limits<double>::denorm_min(), -std::numeric_limits<double>::denorm_min(), 32));
    EXPECT_TRUE(IsNearEqual(0.0, -0.0, 32));
    EXPECT_FALSE(IsNearEqual(std::nan(""), std::nan(""), 32));
}

}  // namespace
