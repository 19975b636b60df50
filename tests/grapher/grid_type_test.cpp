#include <gtest/gtest.h>

#include <string>

#include "veltutil/grapher/grid_type.h"

namespace {

// Position 1 reads the scale of positions 1 and 3; position 0 that of positions 0 and 2.
std::string Pair(GRIDTYPE grid) {
    return std::to_string(ConvertGridType(grid, AXIS_POSITION_1)) + "," + std::to_string(ConvertGridType(grid, AXIS_POSITION_0));
}

}  // namespace

TEST(GridType, EveryPairHasItsOwnGridTypeAndConvertsBack) {
    const int table[4][4] = {{1, 4, 14, 15}, {3, 2, 12, 13}, {8, 9, 11, 10}, {16, 17, 18, 19}};
    for (int a = 0; a < 4; ++a) {
        for (int b = 0; b < 4; ++b) {
            SCOPED_TRACE(std::to_string(a) + "," + std::to_string(b));
            const GRIDTYPE grid = GetTypeGridFrom(static_cast<ScaleType>(a), static_cast<ScaleType>(b));
            EXPECT_EQ(grid, table[a][b]);
            EXPECT_EQ(Pair(grid), std::to_string(a) + "," + std::to_string(b));
            // Positions 3 and 2 read the same scales as 1 and 0.
            EXPECT_EQ(ConvertGridType(grid, AXIS_POSITION_3), a);
            EXPECT_EQ(ConvertGridType(grid, AXIS_POSITION_2), b);
        }
    }
}

TEST(GridType, ScalesAndGridTypesOutsideTheTableCountAsZero) {
    EXPECT_EQ(GetTypeGridFrom(SCALE_TYPE_RESET, SCALE_TYPE_2), 14);
    EXPECT_EQ(GetTypeGridFrom(static_cast<ScaleType>(-1), SCALE_TYPE_RESET), 1);
    for (int grid : {-1, 0, 5, 6, 7, 20, 1000}) {
        SCOPED_TRACE(grid);
        EXPECT_EQ(Pair(static_cast<GRIDTYPE>(grid)), "0,0");
    }
}
