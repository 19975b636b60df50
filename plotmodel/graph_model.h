#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "veltutil/grapher/grapher_types.h"
#include "veltutil/platform/host/win_types.h"

// What the plotting module keeps of one graph: everything the client sent, as plain values,
// and every data point it added. The drawing code reads this model and nothing else, so a
// graph drawn twice from the same model gives the same picture.

namespace plotmodel {

// A font as the client sends it: two sizes and a face name. The second size is taken as the
// character height in pixels; the first (a width) has no meaning for SVG text.
struct Font {
    int width = 8;
    int height = 16;
    std::string face = "System";
};

// Pen styles as the client numbers them (the platform's pen styles).
enum PenStyle : int { kPenSolid = 0, kPenDash = 1, kPenDot = 2, kPenDashDot = 3, kPenDashDotDot = 4, kPenNull = 5 };

// The eight colours that traces get until the client sets a pen: the client's own palette,
// so that a trace looks the same whether or not its pen was set.
COLORREF DefaultTraceColour(std::size_t trace);

struct Trace {
    std::string label;
    int penStyle = kPenSolid;
    COLORREF colour = 0;
    AxisPosition xAxis = AXIS_POSITION_0;
    AxisPosition yAxis = AXIS_POSITION_3;
    // Drawn at (x * xScale + xOffset, y * yScale + yOffset); the stored data stay as added.
    double xOffset = 0, yOffset = 0, xScale = 1, yScale = 1;
    bool shown = true;
    bool internalUse = false;  // drawn, but left out of the legend
    std::vector<double> x, y;  // always the same length

    std::size_t Size() const { return x.size(); }
};

// An axis is drawn when the client enabled it, or, until it says either way, when a shown
// trace uses it.
enum class AxisShow { kAuto, kOn, kOff };

struct Axis {
    std::string label;
    Font labelFont, valueFont;
    AxisShow show = AxisShow::kAuto;
    ScaleType scale = SCALE_TYPE_RESET;
    bool autoRange = true;
    double lo = 0, hi = 1;  // the range last set, used while autoRange is false
    bool digital = false;   // SetDisplayDigitalData: values drawn as steps
    int precision = -1;     // AutoPrecision's request; labels are always engineering-formatted
};

// Scale kinds 1 to 3 are logarithmic (they are the non-linear kinds of the grid types; range
// widening keeps their ranges positive); 0, the reset value 4 and anything else are linear.
bool IsLogarithmic(ScaleType scale);

// A vertical crosshair that snaps to data points.
struct Crosshair {
    bool shown = false;
    bool legend = true;
    bool placed = false;
    double x = 0;
};

struct Graph {
    std::uint64_t page = 0;
    unsigned long id = 0;
    bool open = true;
    bool shown = true;  // ShowDiagram
    std::string title;
    Font titleFont;
    std::array<Axis, 4> axes;
    std::vector<Trace> traces;
    int currentTrace = 0;
    bool gridEnabled = true, gridShown = true;
    int gridPenStyle = kPenDot;
    bool reversed = false;  // light drawing on a dark plot area
    bool showSelTraceMarks = false;
    int printLogicalTrace = 0;
    std::array<int, 3> commonAxes{};  // SetUseCommonAxises: X on 0, Y on 3, third kept
    std::array<Crosshair, 2> crosshairs;
    unsigned crosshairTrace = 0;
    bool dirty = true;      // changed since its files were last written
    bool dataDirty = true;  // points added or removed since its data file was last written
    std::uint64_t revision = 0;  // counts the edits, for a view that follows the graph itself
    std::string picture;    // its SVG as last written
    std::vector<std::string> dataHeadings;  // the headings of its data file as last written

    bool HasTrace(long trace) const { return trace >= 0 && static_cast<std::size_t>(trace) < traces.size(); }
    // The axes a trace is drawn against, after SetUseCommonAxises.
    AxisPosition XAxisOf(const Trace& trace) const { return commonAxes[0] != 0 ? AXIS_POSITION_0 : trace.xAxis; }
    AxisPosition YAxisOf(const Trace& trace) const { return commonAxes[1] != 0 ? AXIS_POSITION_3 : trace.yAxis; }
    bool AxisDrawn(AxisPosition position) const;
};

// The index of the point of `trace` whose X value is nearest to x; -1 for an empty trace.
long NearestPoint(const Trace& trace, double x);

// The smallest and largest X and Y values of a trace, NaN skipped; false when it has none.
bool TraceExtremes(const Trace& trace, double& minX, double& minY, double& maxX, double& maxY);

}  // namespace plotmodel
