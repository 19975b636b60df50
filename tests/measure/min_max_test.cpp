#include <gtest/gtest.h>

#include <type_traits>

#include "veltutil/measure/min_max.h"

namespace {
void ExpectRange(const CMinMax& r, double min, double max) {
    EXPECT_DOUBLE_EQ(r.GetMin(), min);
    EXPECT_DOUBLE_EQ(r.GetMax(), max);
}
}  // namespace

TEST(CMinMax, PlaceholderBoundsAreReplacedByTheFirstPoint) {
    CMinMax r(1, 5);
    EXPECT_EQ(r.IsInitialized(), 0);
    EXPECT_EQ(r.IsNull(), 1);
    EXPECT_EQ(r.AddPoint(3, 1), 0);
    ExpectRange(r, 3, 3);
    EXPECT_EQ(r.IsNull(), 1);  // a single point is an empty range
    EXPECT_EQ(r.AddPoint(4, 1), 1);
    EXPECT_EQ(r.IsNull(), 0);
    r.Reset();
    EXPECT_EQ(r.IsInitialized(), 0);
    ExpectRange(r, 0, 0);
}

TEST(CMinMax, AddPointGrowsWithAMarginBeyondTheFarBound) {
    CMinMax r;
    r.SetMin(0);
    r.SetMax(10);
    EXPECT_EQ(r.AddPoint(10, 1.5), 0);
    ExpectRange(r, 0, 10);
    EXPECT_EQ(r.AddPoint(12, 1.5), 1);
    ExpectRange(r, 0, 18);

    CMinMax below(0, 10);
    below.SetMin(0);
    below.SetMax(10);
    EXPECT_EQ(below.AddPoint(-4, 1.5), -1);
    ExpectRange(below, -11, 10);
    EXPECT_EQ(below.AddPoint(-20, 0.5), -1);  // factors up to 1 take the point itself
    ExpectRange(below, -20, 10);
    EXPECT_EQ(below.AddPoint(30, 1), 1);
    ExpectRange(below, -20, 30);
}

TEST(CMinMax, AddPointShiftPagesAWindowOfConstantWidth) {
    CMinMax r;
    r.SetMin(0);
    r.SetMax(10);
    EXPECT_EQ(r.AddPointShift(25), 1);
    ExpectRange(r, 25, 35);
    EXPECT_EQ(r.AddPointShift(30), 0);
    ExpectRange(r, 25, 35);
    EXPECT_EQ(r.AddPointShift(-3), -1);
    ExpectRange(r, -13, -3);

    CMinMax flat;
    flat.SetMin(2);
    EXPECT_EQ(flat.AddPointShift(7), 1);
    ExpectRange(flat, 7, 7);
    EXPECT_EQ(flat.AddPointShift(-1), -1);
    ExpectRange(flat, -1, -1);
}

TEST(CMinMax, GetPointPositionGrowsWithoutMargin) {
    CMinMax r;
    EXPECT_EQ(r.GetPointPosition(4), 0);
    EXPECT_EQ(r.GetPointPosition(8), 1);
    EXPECT_EQ(r.GetPointPosition(5), 0);
    ExpectRange(r, 4, 8);
    EXPECT_EQ(r.GetPointPosition(-1), -1);
    ExpectRange(r, -1, 8);
}

TEST(CMinMax, SetBoundOutsideTheRangeCollapsesIt) {
    CMinMax r;
    r.SetMax(5);  // not initialized: both bounds
    ExpectRange(r, 5, 5);
    r.SetMin(0);
    ExpectRange(r, 0, 5);
    CMinMax up = r, down = r;
    up.SetMin(7);
    ExpectRange(up, 7, 7);
    down.SetMax(-1);
    ExpectRange(down, -1, -1);
    EXPECT_DOUBLE_EQ(r.Range(), 5);
}

TEST(Accumulators, AreAllocationFreePlainValues) {
    EXPECT_TRUE(std::is_trivially_copyable_v<CMinMax>);
    EXPECT_TRUE(std::is_trivially_destructible_v<CMinMax>);
}
