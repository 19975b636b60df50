#pragma once

#include "veltutil/export.h"
#include "veltutil/grapher/grapher_types.h"

// A grid type packs two scale kinds into one number: a, the scale of positions 1 and 3, and b,
// the scale of positions 0 and 2. Every pair has its own grid type and every grid type that
// GetTypeGridFrom gives converts back to its pair:
//   GetTypeGridFrom(1, 2) -> 12;  ConvertGridType(12, AXIS_POSITION_1) -> 1,
//                                 ConvertGridType(12, AXIS_POSITION_0) -> 2.
// Scale kinds other than 1, 2 and 3 count as 0; grid types outside the table give scale 0.

// The scale that the grid type carries for the position.
VELTUTIL_API ScaleType ConvertGridType(GRIDTYPE grid, AxisPosition position);

// The grid type of the pair (a for positions 1 and 3, b for positions 0 and 2).
VELTUTIL_API GRIDTYPE GetTypeGridFrom(ScaleType a, ScaleType b);
