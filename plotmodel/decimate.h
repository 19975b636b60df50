#pragma once

#include <cstddef>
#include <vector>

#include "plotmodel/axis_scale.h"

// Turning a trace of any length into a polyline of a few points per pixel column that draws
// the same picture.

namespace plotmodel {

struct Point {
    double x, y;
};

// A polyline as pieces: a sample that cannot be drawn (NaN, or not positive on a log axis)
// ends one piece and the next drawable sample starts another.
using Polyline = std::vector<std::vector<Point>>;

// From data values to pixels: the trace's offsets and scales, then the axes.
struct PixelMapping {
    const AxisScale* x;
    const AxisScale* y;
    double xOffset = 0, yOffset = 0, xScale = 1, yScale = 1;

    Point operator()(double xValue, double yValue) const {
        return {x->ToPixel(xValue * xScale + xOffset), y->ToPixel(yValue * yScale + yOffset)};
    }
};

// The polyline of a trace between the pixel columns left and right. Consecutive samples that
// fall in the same pixel column (samples left of the plot share one column, and so do those
// right of it) are replaced by the first, the lowest, the highest and the last of them, in
// sample order: the envelope survives, a single-sample spike included, and lines into and out
// of the column keep their slopes. Data whose X values jump about (an X-Y plot) can still give
// more than maxPoints points; it is then drawn as the column-by-column span of its values.
Polyline Decimate(const double* xs, const double* ys, std::size_t count, const PixelMapping& mapping, double left,
                  double right, std::size_t maxPoints);

// Digital display draws each value as a level held until the next sample: a piece's points
// with a step between each two. {(0,1), (2,3)} -> {(0,1), (2,1), (2,3)}.
void ToSteps(std::vector<Point>& piece);

}  // namespace plotmodel
