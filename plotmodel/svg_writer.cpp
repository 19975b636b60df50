#include "plotmodel/svg_writer.h"

#include <cmath>
#include <string_view>

#include "plotmodel/decimate.h"
#include "plotmodel/graph_view.h"
#include "plotmodel/text_escape.h"
#include "plotmodel/trace_look.h"

namespace plotmodel {

namespace {

constexpr const char* kFallbackFonts = "DejaVu Sans, sans-serif";
constexpr std::size_t kMaxMarkedPoints = 400;

struct Svg {
    std::string text;

    Svg& operator<<(const std::string& s) {
        text += s;
        return *this;
    }
    Svg& operator<<(const char* s) {
        text += s;
        return *this;
    }
    Svg& operator<<(double pixel) {
        AppendPixel(text, pixel);
        return *this;
    }
};

std::string fontAttributes(const Font& font) {
    return " font-size=\"" + std::to_string(FontSize(font)) + "\" font-family=\"" + XmlEscaped(font.face) + ", " +
           kFallbackFonts + "\"";
}

std::string dashArray(std::string_view dashes) {
    return dashes.empty() ? std::string() : " stroke-dasharray=\"" + std::string(dashes) + "\"";
}

void writeGrid(Svg& svg, const Graph& graph, const GraphView& view) {
    if (!graph.gridEnabled || !graph.gridShown || graph.gridPenStyle == kPenNull) return;
    int xAxis = graph.AxisDrawn(AXIS_POSITION_0) || !graph.AxisDrawn(AXIS_POSITION_2) ? 0 : 2;
    int yAxis = graph.AxisDrawn(AXIS_POSITION_3) || !graph.AxisDrawn(AXIS_POSITION_1) ? 3 : 1;
    svg << "<g class=\"grid\" stroke-width=\"1\"" << dashArray(PenDashes(graph.gridPenStyle)) << ">\n";
    for (int position : {xAxis, yAxis}) {
        const AxisScale& scale = view.scales[position];
        for (const Tick& tick : view.ticks[position]) {
            double at = scale.ToPixel(tick.value);
            const char* colour = graph.reversed ? (tick.label.empty() ? "#303030" : "#505050")
                                                : (tick.label.empty() ? "#ececec" : "#c8c8c8");
            if (IsHorizontal(position))
                svg << "<line x1=\"" << at << "\" y1=\"" << view.top << "\" x2=\"" << at << "\" y2=\"" << view.bottom;
            else
                svg << "<line x1=\"" << view.left << "\" y1=\"" << at << "\" x2=\"" << view.right << "\" y2=\"" << at;
            svg << "\" stroke=\"" << colour << "\"/>\n";
        }
    }
    svg << "</g>\n";
}

Polyline polylineOf(const Graph& graph, const GraphView& view, const Trace& trace) {
    PixelMapping mapping{&view.scales[graph.XAxisOf(trace)], &view.scales[graph.YAxisOf(trace)], trace.xOffset,
                         trace.yOffset, trace.xScale, trace.yScale};
    double columns = view.right - view.left;
    Polyline line = Decimate(trace.x.data(), trace.y.data(), trace.Size(), mapping, view.left, view.right,
                             kMaxPointsPerColumn * static_cast<std::size_t>(columns));
    if (graph.axes[graph.YAxisOf(trace)].digital)
        for (std::vector<Point>& piece : line) ToSteps(piece);
    return line;
}

void writeTraces(Svg& svg, const Graph& graph, const GraphView& view, const std::vector<TraceLook>& looks,
                 std::uint64_t serial) {
    svg << "<g clip-path=\"url(#plot" << std::to_string(serial) << ")\" fill=\"none\" stroke-width=\"1.5\""
        << " stroke-linejoin=\"round\" stroke-linecap=\"round\">\n";
    for (std::size_t i = 0; i < graph.traces.size(); ++i) {
        const Trace& trace = graph.traces[i];
        if (!trace.shown || trace.penStyle == kPenNull || trace.Size() == 0) continue;
        Polyline line = polylineOf(graph, view, trace);
        std::string colour = HexColour(DrawnColour(graph, looks[i].colour));
        svg << "<path class=\"trace\" data-trace=\"" << std::to_string(i) << "\" stroke=\"" << colour << "\""
            << dashArray(looks[i].dashes) << " d=\"";
        std::size_t marked = 0;
        for (const std::vector<Point>& piece : line) {
            svg << "M";
            for (std::size_t k = 0; k < piece.size(); ++k) svg << (k > 0 ? " " : "") << piece[k].x << " " << piece[k].y;
            if (piece.size() == 1) svg << "h0";  // a lone sample still shows as a dot
            marked += piece.size();
        }
        svg << "\"/>\n";
        if (graph.showSelTraceMarks && static_cast<int>(i) == graph.currentTrace && marked <= kMaxMarkedPoints)
            for (const std::vector<Point>& piece : line)
                for (const Point& point : piece)
                    svg << "<rect x=\"" << point.x - 2.5 << "\" y=\"" << point.y - 2.5
                        << "\" width=\"5\" height=\"5\" stroke=\"" << colour << "\"/>\n";
    }
    svg << "</g>\n";
}

void writeCrosshairs(Svg& svg, const Graph& graph, const GraphView& view) {
    if (!graph.HasTrace(graph.crosshairTrace)) return;
    const Trace& trace = graph.traces[graph.crosshairTrace];
    for (std::size_t c = 0; c < graph.crosshairs.size(); ++c) {
        const Crosshair& crosshair = graph.crosshairs[c];
        long point = crosshair.shown && crosshair.placed ? NearestPoint(trace, crosshair.x) : -1;
        if (point < 0) continue;
        double x = view.scales[graph.XAxisOf(trace)].ToPixel(trace.x[point] * trace.xScale + trace.xOffset);
        if (std::isnan(x)) continue;
        svg << "<line class=\"crosshair\" x1=\"" << x << "\" y1=\"" << view.top << "\" x2=\"" << x << "\" y2=\""
            << view.bottom << "\" stroke=\"" << (graph.reversed ? "#ffffff" : "#000000") << "\" stroke-dasharray=\"4 3\"/>\n";
        if (!crosshair.legend) continue;
        std::string text = "x=" + SignificantText(trace.x[point], 6) + " y=" + SignificantText(trace.y[point], 6);
        svg << "<text x=\"" << x + 4 << "\" y=\"" << view.top + 14 + 14 * static_cast<double>(c) << "\" font-size=\"11\" fill=\""
            << (graph.reversed ? "#ffffff" : "#000000") << "\">" << XmlEscaped(text) << "</text>\n";
    }
}

void writeAxis(Svg& svg, const Graph& graph, const GraphView& view, int position) {
    const Axis& axis = graph.axes[position];
    const AxisScale& scale = view.scales[position];
    const AxisTexts& texts = view.texts[position];
    bool horizontal = IsHorizontal(position);
    // The side of the plot the axis stands on, and which way its ticks point.
    double edge = position == 0 ? view.bottom : position == 2 ? view.top : position == 3 ? view.left : view.right;
    double out = position == 0 || position == 1 ? 1 : -1;
    int valueSize = FontSize(axis.valueFont);
    svg << "<g class=\"axis\" data-position=\"" << std::to_string(position) << "\" stroke=\"#000000\"" << fontAttributes(axis.valueFont)
        << ">\n";
    if (horizontal)
        svg << "<line x1=\"" << view.left << "\" y1=\"" << edge << "\" x2=\"" << view.right << "\" y2=\"" << edge << "\"/>\n";
    else
        svg << "<line x1=\"" << edge << "\" y1=\"" << view.top << "\" x2=\"" << edge << "\" y2=\"" << view.bottom << "\"/>\n";
    for (const Tick& tick : view.ticks[position]) {
        double at = scale.ToPixel(tick.value);
        double length = tick.label.empty() ? kTickLength / 2 : kTickLength;
        if (horizontal)
            svg << "<line x1=\"" << at << "\" y1=\"" << edge << "\" x2=\"" << at << "\" y2=\"" << edge + out * length << "\"/>\n";
        else
            svg << "<line x1=\"" << edge << "\" y1=\"" << at << "\" x2=\"" << edge + out * length << "\" y2=\"" << at << "\"/>\n";
        if (tick.label.empty()) continue;
        if (horizontal)
            svg << "<text stroke=\"none\" x=\"" << at << "\" y=\"" << texts.values << "\" text-anchor=\"middle\">";
        else
            svg << "<text stroke=\"none\" x=\"" << texts.values << "\" y=\"" << at + valueSize * 0.35
                << "\" text-anchor=\"" << (out > 0 ? "start" : "end") << "\">";
        svg << XmlEscaped(tick.label) << "</text>\n";
    }
    if (!axis.label.empty()) {
        double middle = horizontal ? (view.left + view.right) / 2 : (view.top + view.bottom) / 2;
        svg << "<text stroke=\"none\"" << fontAttributes(axis.labelFont) << " text-anchor=\"middle\" ";
        if (horizontal)
            svg << "x=\"" << middle << "\" y=\"" << texts.label << "\">";
        else
            svg << "transform=\"translate(" << texts.label << " " << middle << ") rotate(" << (out > 0 ? "90" : "-90") << ")\">";
        svg << XmlEscaped(axis.label) << "</text>\n";
    }
    svg << "</g>\n";
}

void writeLegend(Svg& svg, const GraphView& view, const std::vector<TraceLook>& looks) {
    if (view.legend.empty()) return;
    svg << "<g class=\"legend\" font-size=\"" << std::to_string(kLegendFontSize) << "\" stroke-width=\"2\">\n";
    for (const LegendEntry& entry : view.legend) {
        const TraceLook& look = looks[entry.trace];
        svg << "<line class=\"sample\" data-trace=\"" << std::to_string(entry.trace) << "\" x1=\"" << entry.x << "\" y1=\""
            << entry.y << "\" x2=\"" << entry.x + kLegendSwatch << "\" y2=\"" << entry.y << "\" stroke=\""
            << HexColour(look.colour) << "\"" << dashArray(look.dashes) << "/>\n";
        svg << "<text x=\"" << entry.x + kLegendSwatch + kLegendTextGap << "\" y=\"" << entry.y + 4 << "\">" << XmlEscaped(entry.text)
            << "</text>\n";
    }
    svg << "</g>\n";
}

}  // namespace

std::string GraphSvg(const Graph& graph, std::uint64_t serial) {
    GraphView view = ViewOf(graph);
    std::vector<TraceLook> looks = TraceLooks(graph);
    Svg svg;
    std::string id = std::to_string(serial);
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << std::to_string(kGraphWidth)
        << "\" height=\"" << std::to_string(kGraphHeight) << "\" viewBox=\"0 0 " << std::to_string(kGraphWidth) << " "
        << std::to_string(kGraphHeight) << "\" font-family=\"" << kFallbackFonts << "\">\n";
    svg << "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    svg << "<defs><clipPath id=\"plot" << id << "\"><rect x=\"" << view.left << "\" y=\"" << view.top << "\" width=\""
        << view.right - view.left << "\" height=\"" << view.bottom - view.top << "\"/></clipPath></defs>\n";
    svg << "<rect x=\"" << view.left << "\" y=\"" << view.top << "\" width=\"" << view.right - view.left << "\" height=\""
        << view.bottom - view.top << "\" fill=\"" << (graph.reversed ? "#000000" : "#ffffff") << "\"/>\n";
    if (!graph.title.empty())
        svg << "<text class=\"title\" x=\"" << kGraphWidth / 2.0 << "\" y=\"24\" text-anchor=\"middle\" font-weight=\"bold\""
            << fontAttributes(graph.titleFont) << ">" << XmlEscaped(graph.title) << "</text>\n";
    writeGrid(svg, graph, view);
    writeTraces(svg, graph, view, looks, serial);
    writeCrosshairs(svg, graph, view);
    svg << "<rect x=\"" << view.left << "\" y=\"" << view.top << "\" width=\"" << view.right - view.left << "\" height=\""
        << view.bottom - view.top << "\" fill=\"none\" stroke=\"#000000\"/>\n";
    for (int position = 0; position < 4; ++position)
        if (graph.AxisDrawn(static_cast<AxisPosition>(position))) writeAxis(svg, graph, view, position);
    writeLegend(svg, view, looks);
    svg << "</svg>\n";
    return std::move(svg.text);
}

}  // namespace plotmodel
