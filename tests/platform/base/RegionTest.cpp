#include "platform/base/Region.h"

#include <gtest/gtest.h>

namespace {

int Area(const CRegion& r) {
    int area = 0;
    for (const RECT& rect : r.Rects()) {
        area += rect.Width() * rect.Height();
    }
    return area;
}

TEST(RegionTest, UnionOfOverlappingRectanglesCoversEachPixelOnce) {
    CRegion r = CRegion({0, 0, 10, 10}).Union(CRegion({5, 5, 15, 15}));
    EXPECT_EQ(Area(r), 100 + 100 - 25);
    EXPECT_TRUE(r.Contains({14, 14}));
    EXPECT_FALSE(r.Contains({12, 2}));
    EXPECT_EQ(r.Bounds(), (RECT{0, 0, 15, 15}));
}

TEST(RegionTest, OperationsOnTwoSquares) {
    const CRegion a({0, 0, 4, 4});
    const CRegion b({2, 2, 6, 6});
    EXPECT_EQ(a.Intersect(b), CRegion({2, 2, 4, 4}));
    EXPECT_EQ(Area(a.Subtract(b)), 12);
    EXPECT_FALSE(a.Subtract(b).Contains({3, 3}));
    EXPECT_EQ(Area(a.Xor(b)), 24);
    EXPECT_TRUE(a.Intersect(CRegion({10, 10, 12, 12})).IsEmpty());
}

TEST(RegionTest, AdjacentBandsWithEqualSpansMerge) {
    CRegion r = CRegion({0, 0, 5, 2}).Union(CRegion({0, 2, 5, 4}));
    ASSERT_EQ(r.Rects().size(), 1u);
    EXPECT_EQ(r.Rects()[0], (RECT{0, 0, 5, 4}));
}

TEST(RegionTest, EmptyRectangleMakesEmptyRegion) {
    EXPECT_TRUE(CRegion({3, 3, 3, 9}).IsEmpty());
    EXPECT_EQ(CRegion({1, 1, 2, 2}).Union(CRegion()), CRegion({1, 1, 2, 2}));
}

} // namespace
