#include "livegrapher/graph/graph_chrome.h"

#include <QFont>

#include <cmath>

#include "livegrapher/graph/graph_traces.h"
#include "plotmodel/trace_look.h"

namespace livegrapher {

namespace {

using plotmodel::GraphView;
using plotmodel::Tick;

QFont fontOf(const plotmodel::Font& font) {
    QFont qfont(QString::fromStdString(font.face));
    qfont.setPixelSize(plotmodel::FontSize(font));
    return qfont;
}

double edgeOf(const GraphView& view, int position) {
    return position == 0 ? view.bottom : position == 2 ? view.top : position == 3 ? view.left : view.right;
}

QRectF plotRect(const GraphView& view) { return QRectF(QPointF(view.left, view.top), QPointF(view.right, view.bottom)); }

// A line across the plot, or a tick, at `at` along the axis at `position`.
QLineF across(int position, double at, double from, double to) {
    return plotmodel::IsHorizontal(position) ? QLineF(at, from, at, to) : QLineF(from, at, to, at);
}

void paintGrid(QPainter& painter, const plotmodel::Graph& graph, const GraphView& view) {
    int xAxis = graph.AxisDrawn(AXIS_POSITION_0) || !graph.AxisDrawn(AXIS_POSITION_2) ? 0 : 2;
    int yAxis = graph.AxisDrawn(AXIS_POSITION_3) || !graph.AxisDrawn(AXIS_POSITION_1) ? 3 : 1;
    QPen pen;
    pen.setStyle(graph.gridPenStyle == plotmodel::kPenSolid ? Qt::SolidLine : Qt::DotLine);
    for (int position : {xAxis, yAxis}) {
        bool horizontal = plotmodel::IsHorizontal(position);
        for (const Tick& tick : view.ticks[position]) {
            pen.setColor(graph.reversed ? QColor(tick.label.empty() ? 0x303030 : 0x505050)
                                        : QColor(tick.label.empty() ? 0xececec : 0xc8c8c8));
            painter.setPen(pen);
            double at = view.scales[position].ToPixel(tick.value);
            painter.drawLine(horizontal ? across(position, at, view.top, view.bottom)
                                        : across(position, at, view.left, view.right));
        }
    }
}

void paintAxis(QPainter& painter, const plotmodel::Graph& graph, const GraphView& view, int position) {
    const plotmodel::Axis& axis = graph.axes[position];
    const plotmodel::AxisTexts& texts = view.texts[position];
    bool horizontal = plotmodel::IsHorizontal(position);
    double edge = edgeOf(view, position), out = position == 0 || position == 1 ? 1 : -1;
    painter.setPen(Qt::black);
    painter.setFont(fontOf(axis.valueFont));
    int valueSize = plotmodel::FontSize(axis.valueFont);
    constexpr double kWide = 1e4;  // room for a text anchored at one point
    for (const Tick& tick : view.ticks[position]) {
        double at = view.scales[position].ToPixel(tick.value);
        double length = tick.label.empty() ? plotmodel::kTickLength / 2 : plotmodel::kTickLength;
        painter.drawLine(across(position, at, edge, edge + out * length));
        if (tick.label.empty()) continue;
        QString label = QString::fromStdString(tick.label);
        if (horizontal)
            painter.drawText(QRectF(at - kWide / 2, texts.values - valueSize, kWide, valueSize * 1.25),
                             Qt::AlignHCenter | Qt::AlignBottom, label);
        else
            painter.drawText(QRectF(out > 0 ? texts.values : texts.values - kWide, at - valueSize, kWide, valueSize * 2),
                             (out > 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, label);
    }
    if (axis.label.empty()) return;
    painter.setFont(fontOf(axis.labelFont));
    QString label = QString::fromStdString(axis.label);
    double middle = horizontal ? (view.left + view.right) / 2 : (view.top + view.bottom) / 2;
    painter.save();
    if (horizontal) {
        painter.translate(middle, texts.label);
    } else {
        painter.translate(texts.label, middle);
        painter.rotate(out > 0 ? 90 : -90);
    }
    painter.drawText(QRectF(-kWide / 2, -plotmodel::FontSize(axis.labelFont), kWide, plotmodel::FontSize(axis.labelFont) * 1.25),
                     Qt::AlignHCenter | Qt::AlignBottom, label);
    painter.restore();
}

}  // namespace

void PaintBackground(QPainter& painter, const plotmodel::Graph& graph, const GraphView& view,
                     const ViewSettings& settings, double width) {
    painter.fillRect(painter.window(), Qt::white);
    painter.fillRect(plotRect(view), graph.reversed ? Qt::black : Qt::white);
    if (!graph.title.empty()) {
        QFont font = fontOf(graph.titleFont);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, 0, width, 30), Qt::AlignHCenter | Qt::AlignBottom, QString::fromStdString(graph.title));
    }
    if (settings.grid && graph.gridEnabled && graph.gridShown && graph.gridPenStyle != plotmodel::kPenNull)
        paintGrid(painter, graph, view);
}

void PaintAxes(QPainter& painter, const plotmodel::Graph& graph, const GraphView& view) {
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plotRect(view));
    for (int position = 0; position < 4; ++position)
        if (graph.AxisDrawn(static_cast<AxisPosition>(position))) paintAxis(painter, graph, view, position);
}

QRectF LegendEntryRect(const plotmodel::LegendEntry& entry) {
    double width = plotmodel::kLegendSwatch + plotmodel::kLegendTextGap + plotmodel::TextWidth(entry.text, plotmodel::kLegendFontSize);
    return QRectF(entry.x, entry.y - plotmodel::kLegendRowHeight / 2.0, width, plotmodel::kLegendRowHeight);
}

void PaintLegend(QPainter& painter, const plotmodel::Graph& graph, const GraphView& view, const ViewSettings& settings) {
    std::vector<plotmodel::TraceLook> looks = plotmodel::TraceLooks(graph);
    QFont font;
    font.setPixelSize(plotmodel::kLegendFontSize);
    painter.setFont(font);
    for (const plotmodel::LegendEntry& entry : view.legend) {
        bool hidden = settings.hidden.contains(entry.trace);
        // The legend's sample lines stand on white, whatever colour the plot area has.
        QPen pen = TracePen(looks[entry.trace].colour, looks[entry.trace].dashes);
        pen.setWidth(2);
        if (hidden) pen.setColor(Qt::lightGray);
        painter.setPen(pen);
        painter.drawLine(QLineF(entry.x, entry.y, entry.x + plotmodel::kLegendSwatch, entry.y));
        painter.setPen(hidden ? Qt::gray : Qt::black);
        painter.drawText(QPointF(entry.x + plotmodel::kLegendSwatch + plotmodel::kLegendTextGap, entry.y + 4),
                         QString::fromStdString(entry.text));
    }
}

}  // namespace livegrapher
