// A graph's picture as a person reads it: every text whole and clear of the others, and the
// traces of a crowded graph told apart, in the plot and in the legend.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <set>

#include "plotmodel/graph_view.h"
#include "plotmodel/html_writer.h"
#include "plotmodel/svg_writer.h"
#include "plotmodel/text_escape.h"
#include "plotmodel/trace_look.h"
#include "tests/support/browser_shot.h"

namespace {

using namespace plotmodel;

// `traces` traces of the default pens over x and y, drawn against the bottom axis and `side`,
// both axes labelled.
Graph graphOver(Range x, Range y, AxisPosition side = AXIS_POSITION_3, int traces = 1) {
    Graph graph;
    graph.axes[AXIS_POSITION_0].label = "Frequency (Hz)";
    graph.axes[side].label = "Voltage across the load (V)";
    for (int t = 0; t < traces; ++t) {
        Trace& trace = graph.traces.emplace_back();
        trace.yAxis = side;
        trace.colour = DefaultTraceColour(static_cast<std::size_t>(t));
        for (int i = 0; i <= 100; ++i) {
            trace.x.push_back(x.lo + (x.hi - x.lo) * i / 100);
            trace.y.push_back(y.lo + (y.hi - y.lo) * (0.5 + 0.5 * std::sin(i * 0.1 + t)));
        }
    }
    return graph;
}

double widest(const std::vector<Tick>& ticks, double size) {
    double width = 0;
    for (const Tick& tick : ticks) width = std::max(width, TextWidth(tick.label, size));
    return width;
}

}  // namespace

// The font's descent is under 0.3 em and its ascent under 1 em: the bounds that texts get here.
TEST(GraphView, MarginsHoldTheTickValuesAndAxisLabelsWithoutOverlap) {
    const std::pair<Range, Range> ranges[] = {{{0, 1e5}, {-3.29999, -3.29997}},
                                              {{0, 2.5e9}, {-3.1e7, -2.9e7}},
                                              {{-0.01, 0.01}, {0, 2.5e6}},
                                              {{-1.0000079, -1}, {-1e-12, 1e-12}}};
    for (const auto& [x, y] : ranges)
        for (AxisPosition side : {AXIS_POSITION_3, AXIS_POSITION_1}) {
            Graph graph = graphOver(x, y, side);
            GraphView view = ViewOf(graph);
            double size = FontSize(graph.axes[side].valueFont);
            SCOPED_TRACE(view.ticks[0].back().label + " by " + view.ticks[side].front().label);
            // Beside the plot: the values, then the turned label with its descent towards them.
            double out = side == AXIS_POSITION_3 ? -1 : 1;
            double valuesEnd = view.texts[side].values + out * widest(view.ticks[side], size);
            EXPECT_GT(out * (view.texts[side].label - out * 0.3 * size - valuesEnd), 0);
            double labelOuter = view.texts[side].label + out * size;
            EXPECT_TRUE(labelOuter >= 0 && labelOuter <= kGraphWidth) << labelOuter;
            // Under the plot: the values side by side within the picture, the label below them.
            double end = 0;
            for (const Tick& tick : view.ticks[0]) {
                if (tick.label.empty()) continue;
                double at = view.scales[0].ToPixel(tick.value), half = TextWidth(tick.label, size) / 2;
                EXPECT_GE(at - half, end) << tick.label;
                end = at + half;
            }
            EXPECT_LE(end, kGraphWidth);
            EXPECT_GT(view.texts[0].label - size, view.texts[0].values + 0.3 * size);
            EXPECT_LE(view.texts[0].label + 0.3 * size, kGraphHeight);
        }
}

TEST(TraceLooks, TwentyFourTracesOfTheDefaultPensLookApartInPlotAndLegend) {
    Graph graph = graphOver({0, 1}, {0, 1}, AXIS_POSITION_3, 24);
    graph.traces[3].penStyle = kPenDash;
    std::vector<TraceLook> looks = TraceLooks(graph);
    ASSERT_EQ(looks.size(), 24u);
    // A pen met for the first time is drawn as it is.
    EXPECT_EQ(looks[3].dashes, "8 4");
    for (std::size_t t = 0; t < 8; ++t) EXPECT_EQ(looks[t].colour, graph.traces[t].colour);

    std::string svg = GraphSvg(graph, 1);
    std::set<std::string> strokes;
    for (std::size_t t = 0; t < looks.size(); ++t) {
        std::string stroke = "stroke=\"" + HexColour(looks[t].colour) + "\"";
        if (!looks[t].dashes.empty()) stroke += " stroke-dasharray=\"" + std::string(looks[t].dashes) + "\"";
        strokes.insert(stroke);
        // The trace's path and its legend sample.
        std::size_t path = svg.find(stroke), sample = svg.find(stroke, path + 1);
        EXPECT_TRUE(path != std::string::npos && sample != std::string::npos) << t << ": " << stroke;
        // Traces of one dash pattern differ plainly in colour: by 40 in a channel at least.
        for (std::size_t u = 0; u < t; ++u) {
            auto channel = [](COLORREF colour, int shift) { return int((colour >> shift) & 0xFF); };
            int apart = 0;
            for (int shift : {0, 8, 16}) apart = std::max(apart, std::abs(channel(looks[t].colour, shift) - channel(looks[u].colour, shift)));
            EXPECT_TRUE(looks[u].dashes != looks[t].dashes || apart >= 40) << u << " and " << t;
        }
    }
    EXPECT_EQ(strokes.size(), 24u);
}

TEST(PageInABrowser, WideValuesAndTwentyFourTracesShowWholeAndApart) {
    if (const std::string why = velttest::ShotUnavailable(); !why.empty()) GTEST_SKIP() << why;
    Graph graph = graphOver({0, 2.5e9}, {-3.299985, -3.299975}, AXIS_POSITION_3, 24);
    std::string svg = GraphSvg(graph, 1);
    TempDir dir;
    std::ofstream(dir / "page.html") << PageHtml(Page{}, {HtmlBlock{&svg, nullptr, "graph.svg", "graph.csv"}});

    velttest::Image image;
    std::string log;
    ASSERT_TRUE(velttest::TakeShot(dir / "page.html", 900, 700, dir, image, log)) << log;
    GraphView view = ViewOf(graph);
    const int x0 = kBlockMargin, y0 = kPageHeaderHeight + kBlockMargin;
    // Nothing runs into the picture's edges, and the last value stands whole beyond the plot;
    // the legend has room for every trace.
    EXPECT_EQ(image.Count(x0, y0, x0 + 2, y0 + kGraphHeight, velttest::IsDark), 0);
    EXPECT_EQ(image.Count(x0 + kGraphWidth - 2, y0, x0 + kGraphWidth, y0 + kGraphHeight, velttest::IsDark), 0);
    EXPECT_GT(image.Count(x0 + int(view.right) + 2, y0 + int(view.bottom), x0 + kGraphWidth, y0 + int(view.texts[0].label),
                          velttest::IsDark), 10);
    EXPECT_EQ(view.legend.size(), 24u);
}
