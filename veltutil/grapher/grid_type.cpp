#include "veltutil/grapher/grid_type.h"

#include <iterator>

namespace {

// kGrid[a][b]: the grid type of the pair.
constexpr int kGrid[4][4] = {
    {1, 4, 14, 15},
    {3, 2, 12, 13},
    {8, 9, 11, 10},
    {16, 17, 18, 19},
};

int scaleIndex(ScaleType scale) { return scale >= 1 && scale <= 3 ? static_cast<int>(scale) : 0; }

bool sharesScaleOfPositionsOneAndThree(AxisPosition position) {
    return position == AXIS_POSITION_1 || position == AXIS_POSITION_3;
}

}  // namespace

GRIDTYPE GetTypeGridFrom(ScaleType a, ScaleType b) { return static_cast<GRIDTYPE>(kGrid[scaleIndex(a)][scaleIndex(b)]); }

// Grid types 10 and 17 convert back to their pairs like every other grid type of the table,
// (2, 3) and (3, 1), so that converting a grid type and rebuilding it from its scales is always
// the identity; a conversion that lost either scale would silently turn a logarithmic axis linear.
// Grid type 1, the pair (0, 0), converts to 0 on every position like the types outside the table.
ScaleType ConvertGridType(GRIDTYPE grid, AxisPosition position) {
    for (int a = 0; a < static_cast<int>(std::size(kGrid)); ++a) {
        for (int b = 0; b < static_cast<int>(std::size(kGrid[a])); ++b) {
            if (kGrid[a][b] == grid) return static_cast<ScaleType>(sharesScaleOfPositionsOneAndThree(position) ? a : b);
        }
    }
    return SCALE_TYPE_0;
}
