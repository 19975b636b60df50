#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plotmodel/axis_scale.h"
#include "plotmodel/graph_model.h"

// Where everything of a graph goes in its picture: the plot rectangle, the four axes' scales,
// ticks and texts, and the legend entries. Every graph is drawn at one fixed size, so its
// picture does not depend on the viewer; the margins follow the texts they hold.

namespace plotmodel {

constexpr int kGraphWidth = 800;
constexpr int kGraphHeight = 480;
constexpr int kLegendFontSize = 12;
constexpr int kLegendRowHeight = 18;
constexpr double kLegendSwatch = 30;  // the sample line of a legend entry
constexpr double kLegendTextGap = 6;  // between the sample line and the entry's text
constexpr double kTickLength = 5;

struct LegendEntry {
    std::size_t trace;
    std::string text;
    double x, y;  // the start of its sample line; the text follows it
};

// Where an axis's texts stand: the baselines of horizontal axes' values and label, the x of
// vertical axes' values (anchored at the plot side) and of their label's baseline.
struct AxisTexts {
    double values = 0, label = 0;
};

struct GraphView {
    double left, right, top, bottom;  // the plot rectangle
    // Indexed by AxisPosition. Scales of positions 0 and 2 run from left to right, those of 1
    // and 3 from bottom to top.
    std::vector<AxisScale> scales;
    std::array<std::vector<Tick>, 4> ticks;
    std::array<AxisTexts, 4> texts;
    std::vector<LegendEntry> legend;
};

// Axes 0 and 2 run along the bottom and the top, 1 and 3 up the right and the left side.
bool IsHorizontal(int position);

// The font size that text of `font` is drawn at: its height, within 8 to 32 pixels.
int FontSize(const Font& font);

// The width of `text` (UTF-8) drawn at `fontSize` pixels. A file cannot measure its text, so
// this is estimated from the advance widths of the fallback font, DejaVu Sans, rounded up, and
// of a full em for every character beyond ASCII: narrower fonts get a little more room.
double TextWidth(std::string_view text, double fontSize);

GraphView ViewOf(const Graph& graph);

// What a screen changes about a graph's view: its size, the scales and ranges a person chose
// there (shown as they are), and the data's extremes where the screen already knows them, so
// that the layout need not scan the data. A default frame gives the files' picture.
struct ViewFrame {
    double width = kGraphWidth, height = kGraphHeight;
    std::array<std::optional<bool>, 4> logarithmic;  // in place of the axis's scale
    std::array<std::optional<Range>, 4> ranges;
    // Per axis, the extremes of the values drawn against it (lo > hi when there are none).
    std::array<std::optional<Range>, 4> extremes;
    // Legend entries end with the side of the Y axis their trace uses: "Trace 0 (left)".
    bool legendSides = false;
};

GraphView ViewOf(const Graph& graph, const ViewFrame& frame);

}  // namespace plotmodel
