#include "livegrapher/graph/graph_widget.h"

#include <QKeyEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "livegrapher/graph/graph_chrome.h"
#include "livegrapher/graph/graph_traces.h"
#include "plotmodel/text_escape.h"

namespace livegrapher {

namespace {

constexpr double kDragThreshold = 3;  // pixels a press moves before it is a drag, not a click
constexpr double kCursorGrip = 4;     // pixels beside a cursor line that grab it
constexpr double kWheelZoom = 0.8;    // the span left after one wheel step
const QColor kCursorColours[2] = {QColor(0, 90, 200), QColor(220, 110, 0)};

bool horizontal(int axis) { return plotmodel::IsHorizontal(axis); }

}  // namespace

GraphWidget::GraphWidget(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::PreventContextMenu);  // the menu opens on a right click that did not drag
    setToolTip(tr("Wheel: zoom X (Shift: Y, Ctrl: both) · right-drag: zoom to box · left-drag: pan · "
                  "Home or double-click: fit all\nClick: cursor 1 · Ctrl+click or middle click: cursor 2 · "
                  "right click: menu · click a legend entry: hide or show its trace"));
}

QSize GraphWidget::sizeHint() const { return QSize(plotmodel::kGraphWidth, plotmodel::kGraphHeight); }

void GraphWidget::SetGraph(plotmodel::Graph* graph) {
    graph_ = graph;
    pyramids_.clear();
    drawnKey_.clear();
    GraphChanged();
}

void GraphWidget::GraphChanged() {
    Sync();
    FollowCrosshairs();
    Refresh();
}

void GraphWidget::FollowCrosshairs() {
    if (!graph_ || !graph_->HasTrace(graph_->crosshairTrace)) return;
    const plotmodel::Trace& trace = graph_->traces[graph_->crosshairTrace];
    for (std::size_t c = 0; c < cursors_.size(); ++c) {
        const plotmodel::Crosshair& crosshair = graph_->crosshairs[c];
        if (!crosshair.shown || !crosshair.placed || crosshairsSeen_[c] == crosshair.x) continue;
        crosshairsSeen_[c] = crosshair.x;
        cursors_[c] = crosshair.x * trace.xScale + trace.xOffset;
    }
}

void GraphWidget::Sync() {
    if (!graph_) {
        pyramids_.clear();
        return;
    }
    pyramids_.resize(graph_->traces.size());
    for (std::size_t i = 0; i < pyramids_.size(); ++i) {
        const plotmodel::Trace& trace = graph_->traces[i];
        pyramids_[i].Update(trace.x.data(), trace.y.data(), trace.Size());
    }
}

void GraphWidget::ViewChanged() {
    drawnKey_.clear();
    GraphChanged();
}

void GraphWidget::Refresh() {
    if (!graph_) {
        plot_ = QImage();
        update();
        return;
    }
    view_ = plotmodel::ViewOf(*graph_, FrameOf(*graph_, pyramids_, settings_, width(), height()));
    std::vector<double> key = DrawnKey();
    if (key != drawnKey_) {
        drawnKey_ = std::move(key);
        Replot(std::nullopt);
    } else if (std::optional<int> from = AppendedFrom()) {
        Replot(*from);
    }
    drawnCounts_.clear();
    for (const plotmodel::MinMaxPyramid& pyramid : pyramids_) drawnCounts_.push_back(pyramid.Count());
    update();
}

// Everything the picture of the traces depends on but their samples.
std::vector<double> GraphWidget::DrawnKey() const {
    std::vector<double> key{static_cast<double>(width()), static_cast<double>(height()), view_.left, view_.right,
                            view_.top, view_.bottom, double(settings_.decibels), double(graph_->reversed)};
    for (const plotmodel::AxisScale& scale : view_.scales)
        key.insert(key.end(), {scale.GetRange().lo, scale.GetRange().hi, double(scale.Logarithmic())});
    for (std::size_t i = 0; i < graph_->traces.size(); ++i) {
        const plotmodel::Trace& t = graph_->traces[i];
        key.insert(key.end(), {double(settings_.Shows(t, i)), double(t.penStyle), double(t.colour), double(t.xAxis),
                               double(t.yAxis), t.xOffset, t.yOffset, t.xScale, t.yScale, double(pyramids_[i].Generation())});
    }
    key.insert(key.end(), graph_->commonAxes.begin(), graph_->commonAxes.end());
    return key;
}

// The column from which the traces that grew must be drawn; nullopt when none grew, 0 when
// one whose X values jump about did (its new samples may land anywhere).
std::optional<int> GraphWidget::AppendedFrom() const {
    std::optional<int> from;
    for (std::size_t i = 0; i < pyramids_.size() && i < drawnCounts_.size(); ++i) {
        std::size_t before = drawnCounts_[i];
        if (pyramids_[i].Count() == before || !settings_.Shows(graph_->traces[i], i)) continue;
        int column = pyramids_[i].Monotonic() && before > 0
                         ? std::max(0, ColumnOfSample(*graph_, view_, graph_->traces[i], before - 1))
                         : 0;
        from = std::min(from.value_or(column), column);
    }
    return from;
}

void GraphWidget::Replot(std::optional<int> fromColumn) {
    QRect area = QRectF(QPointF(view_.left, view_.top), QPointF(view_.right, view_.bottom)).toAlignedRect();
    if (!fromColumn || plot_.size() != area.size()) {
        ++fullRedraws_;
        plot_ = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
        fromColumn = 0;
    }
    // A widget too small for a plot area (not laid out yet, or squeezed) has nothing to draw.
    if (plot_.isNull()) return;
    // Columns start at the plot's edge, pixels on whole numbers: a pixel before the column is
    // drawn again too, with the columns whose strokes and lines reach into it.
    int fromPixel = std::max(area.left(), static_cast<int>(std::floor(view_.left)) + *fromColumn - 1);
    QRect redrawn(QPoint(fromPixel, area.top()), area.bottomRight());
    QPainter painter(&plot_);
    painter.translate(-area.topLeft());
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(redrawn, Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setClipRect(redrawn);
    DrawTraces(painter, *graph_, view_, pyramids_, settings_, std::max(0, *fromColumn - 2));
}

void GraphWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!graph_) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    Sync();
    PaintBackground(painter, *graph_, view_, settings_, width());
    QRectF plot(QPointF(view_.left, view_.top), QPointF(view_.right, view_.bottom));
    painter.save();
    painter.setClipRect(plot);
    painter.drawImage(plot.toAlignedRect().topLeft(), plot_);
    for (std::size_t c = 0; c < cursors_.size(); ++c) {
        if (!cursors_[c]) continue;
        double x = view_.scales[AXIS_POSITION_0].ToPixel(*cursors_[c]);
        painter.setPen(QPen(kCursorColours[c], 1, Qt::DashLine));
        painter.drawLine(QLineF(x, view_.top, x, view_.bottom));
    }
    painter.restore();
    PaintAxes(painter, *graph_, view_);
    PaintLegend(painter, *graph_, view_, settings_);

    QString readout = ReadoutText();
    if (!hover_.isEmpty()) readout += (readout.isEmpty() ? "" : "\n") + hover_;
    if (!readout.isEmpty()) {
        QFont font;
        font.setPixelSize(11);
        painter.setFont(font);
        QRectF box = painter.boundingRect(plot.adjusted(6, 4, -6, -4), Qt::AlignLeft | Qt::AlignTop, readout);
        painter.fillRect(box.adjusted(-3, -2, 3, 2), QColor(255, 255, 255, 210));
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, readout);
    }
    if (drag_ == Drag::kZoomBox) {
        painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(pressAt_, lastAt_).normalized());
    }
}

void GraphWidget::resizeEvent(QResizeEvent*) { ViewChanged(); }

std::optional<std::size_t> GraphWidget::NearestSample(std::size_t trace, double x) const {
    const plotmodel::Trace& t = graph_->traces[trace];
    double at = (x - t.xOffset) / t.xScale;
    if (!pyramids_[trace].Monotonic()) {
        long nearest = plotmodel::NearestPoint(t, at);
        return nearest < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(nearest));
    }
    if (t.Size() == 0) return std::nullopt;
    std::size_t after = std::min(plotmodel::LowerBound(t.x.data(), t.Size(), at), t.Size() - 1);
    // A tie goes to the earlier sample, as the model snaps.
    return after > 0 && at - t.x[after - 1] <= t.x[after] - at ? after - 1 : after;
}

void GraphWidget::PlaceCursor(int cursor, double x) {
    if (cursor < 0 || cursor > 1 || !std::isfinite(x)) return;
    cursors_[static_cast<std::size_t>(cursor)] = x;
    Sync();
    // The client reads the crosshair back; it snaps to a sample as the model's own placing does.
    if (graph_ && graph_->HasTrace(graph_->crosshairTrace)) {
        if (std::optional<std::size_t> point = NearestSample(graph_->crosshairTrace, x)) {
            plotmodel::Crosshair& crosshair = graph_->crosshairs[static_cast<std::size_t>(cursor)];
            crosshair.x = graph_->traces[graph_->crosshairTrace].x[*point];
            crosshair.placed = true;
            crosshairsSeen_[static_cast<std::size_t>(cursor)] = crosshair.x;  // the cursor stays where it was put
            graph_->dirty = true;
        }
    }
    update();
}

std::vector<CursorReading> GraphWidget::Readings(int cursor) const {
    std::optional<double> x = cursors_[static_cast<std::size_t>(cursor)];
    return graph_ && x ? ReadAt(*graph_, pyramids_, settings_, *x) : std::vector<CursorReading>{};
}

QString GraphWidget::ReadoutText() const { return graph_ ? ReadoutOf(*graph_, pyramids_, settings_, cursors_) : QString(); }

void GraphWidget::ZoomTo(int axis, plotmodel::Range range) {
    if (axis < 0 || axis > 3) return;
    SetZoom(axis, range.lo, range.hi);
    ViewChanged();
}

void GraphWidget::FitAll() {
    settings_.zoom = {};
    ViewChanged();
}

void GraphWidget::SetLogarithmic(int axis, bool logarithmic) {
    settings_.logarithmic[static_cast<std::size_t>(axis)] = logarithmic;
    settings_.zoom[static_cast<std::size_t>(axis)].reset();  // a linear range need not suit a log axis
    ViewChanged();
}

void GraphWidget::SetGridShown(bool shown) {
    settings_.grid = shown;
    update();
}

void GraphWidget::SetDecibels(bool decibels) {
    settings_.decibels = decibels;
    for (int axis : {AXIS_POSITION_1, AXIS_POSITION_3}) settings_.zoom[axis].reset();
    ViewChanged();
}

void GraphWidget::SetTraceHidden(std::size_t trace, bool hidden) {
    if (hidden) settings_.hidden.insert(trace);
    else settings_.hidden.erase(trace);
    ViewChanged();
}

bool GraphWidget::InPlot(QPointF point) const {
    return graph_ && point.x() >= view_.left && point.x() <= view_.right && point.y() >= view_.top && point.y() <= view_.bottom;
}

std::optional<int> GraphWidget::CursorNear(QPointF point) const {
    for (int c = 0; c < 2; ++c) {
        std::optional<double> x = cursors_[static_cast<std::size_t>(c)];
        if (x && std::fabs(view_.scales[AXIS_POSITION_0].ToPixel(*x) - point.x()) <= kCursorGrip) return c;
    }
    return std::nullopt;
}

// A range that doubles can still tell apart, or none: the wheel and the mouse can zoom far.
void GraphWidget::SetZoom(int axis, double a, double b) {
    plotmodel::Range range{std::min(a, b), std::max(a, b)};
    if (std::isfinite(range.lo) && std::isfinite(range.hi) && range.hi - range.lo > std::fabs(range.hi) * 1e-12)
        settings_.zoom[static_cast<std::size_t>(axis)] = range;
}

void GraphWidget::ZoomAbout(QPointF point, double factor, bool x, bool y) {
    for (int axis = 0; axis < 4; ++axis) {
        if (!(horizontal(axis) ? x : y)) continue;
        const plotmodel::AxisScale& scale = view_.scales[static_cast<std::size_t>(axis)];
        double at = horizontal(axis) ? point.x() : point.y();
        double a = scale.FromPixel(at + (scale.ToPixel(scale.GetRange().lo) - at) * factor);
        double b = scale.FromPixel(at + (scale.ToPixel(scale.GetRange().hi) - at) * factor);
        SetZoom(axis, a, b);
    }
    ViewChanged();
}

void GraphWidget::PanBy(QPointF delta) {
    for (int axis = 0; axis < 4; ++axis) {
        const plotmodel::AxisScale& scale = view_.scales[static_cast<std::size_t>(axis)];
        double shift = horizontal(axis) ? delta.x() : delta.y();
        double a = scale.FromPixel(scale.ToPixel(scale.GetRange().lo) - shift);
        double b = scale.FromPixel(scale.ToPixel(scale.GetRange().hi) - shift);
        SetZoom(axis, a, b);
    }
    ViewChanged();
}

void GraphWidget::ZoomToBox(QRectF box) {
    if (box.width() < kDragThreshold || box.height() < kDragThreshold) return;
    for (int axis = 0; axis < 4; ++axis) {
        const plotmodel::AxisScale& scale = view_.scales[static_cast<std::size_t>(axis)];
        double a = scale.FromPixel(horizontal(axis) ? box.left() : box.top());
        double b = scale.FromPixel(horizontal(axis) ? box.right() : box.bottom());
        SetZoom(axis, a, b);
    }
    ViewChanged();
}

void GraphWidget::UpdateHover(QPointF point) {
    Sync();
    QString text;
    if (InPlot(point)) {
        double best = kCursorGrip * 4;  // pixels from the pointer within which a sample is named
        for (std::size_t i = 0; i < graph_->traces.size(); ++i) {
            const plotmodel::Trace& t = graph_->traces[i];
            if (!settings_.Shows(t, i)) continue;
            const plotmodel::AxisScale& xs = view_.scales[graph_->XAxisOf(t)];
            const plotmodel::AxisScale& ys = view_.scales[graph_->YAxisOf(t)];
            std::optional<std::size_t> sample = NearestSample(i, xs.FromPixel(point.x()));
            if (!sample) continue;
            double x = t.x[*sample] * t.xScale + t.xOffset, y = DrawnY(t, t.y[*sample], settings_.decibels);
            double distance = std::hypot(xs.ToPixel(x) - point.x(), ys.ToPixel(y) - point.y());
            if (!(distance < best)) continue;
            best = distance;
            text = TraceName(*graph_, i) + ": x=" + QString::fromStdString(plotmodel::SignificantText(x, 6)) +
                   " y=" + QString::fromStdString(plotmodel::SignificantText(y, 6));
        }
    }
    if (text != hover_) {
        hover_ = text;
        update();
    }
}

void GraphWidget::wheelEvent(QWheelEvent* event) {
    QPoint delta = event->angleDelta();
    // With Shift held some platforms turn the wheel into a horizontal one.
    double steps = (delta.y() != 0 ? delta.y() : delta.x()) / 120.0;
    if (!graph_ || steps == 0) return;
    bool ctrl = event->modifiers() & Qt::ControlModifier, shift = event->modifiers() & Qt::ShiftModifier;
    ZoomAbout(event->position(), std::pow(kWheelZoom, steps), ctrl || !shift, ctrl || shift);
    event->accept();
}

void GraphWidget::mousePressEvent(QMouseEvent* event) {
    pressAt_ = lastAt_ = event->position();
    pressButton_ = event->button();
    pressModifiers_ = event->modifiers();
    drag_ = Drag::kNone;
    if (!graph_) return;
    if (pressButton_ == Qt::LeftButton) {
        for (const plotmodel::LegendEntry& entry : view_.legend) {
            if (!LegendEntryRect(entry).contains(pressAt_)) continue;
            SetTraceHidden(entry.trace, !settings_.hidden.contains(entry.trace));
            return;
        }
        if (std::optional<int> cursor = CursorNear(pressAt_); cursor && !(pressModifiers_ & Qt::ControlModifier)) {
            drag_ = Drag::kCursor;
            dragCursor_ = *cursor;
            return;
        }
    }
    if (InPlot(pressAt_)) drag_ = Drag::kPending;
}

void GraphWidget::mouseMoveEvent(QMouseEvent* event) {
    QPointF at = event->position();
    if (drag_ == Drag::kPending && (at - pressAt_).manhattanLength() > kDragThreshold)
        drag_ = pressButton_ == Qt::RightButton ? Drag::kZoomBox : pressButton_ == Qt::LeftButton ? Drag::kPan : Drag::kPending;
    switch (drag_) {
        case Drag::kCursor: PlaceCursor(dragCursor_, view_.scales[AXIS_POSITION_0].FromPixel(at.x())); break;
        case Drag::kPan: PanBy(at - lastAt_); break;
        case Drag::kZoomBox: update(); break;
        case Drag::kNone: if (graph_) UpdateHover(at); break;
        case Drag::kPending: break;
    }
    lastAt_ = at;
}

void GraphWidget::mouseReleaseEvent(QMouseEvent* event) {
    Drag drag = std::exchange(drag_, Drag::kNone);
    if (drag == Drag::kZoomBox) ZoomToBox(QRectF(pressAt_, event->position()).normalized());
    if (drag != Drag::kPending || event->button() != pressButton_) return;
    if (pressButton_ == Qt::RightButton) {
        ShowMenu(event->position().toPoint());
        return;
    }
    bool second = pressButton_ == Qt::MiddleButton || (pressModifiers_ & Qt::ControlModifier);
    PlaceCursor(second ? 1 : 0, view_.scales[AXIS_POSITION_0].FromPixel(pressAt_.x()));
}

void GraphWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && graph_) FitAll();
}

void GraphWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Home && graph_) {
        FitAll();
        return;
    }
    QWidget::keyPressEvent(event);
}

void GraphWidget::ShowMenu(QPoint at) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    static const char* const kAxisNames[4] = {"bottom X", "right Y", "top X", "left Y"};
    for (int axis = 0; axis < 4; ++axis) {
        if (!graph_->AxisDrawn(static_cast<AxisPosition>(axis))) continue;
        QAction* action = menu->addAction(tr("Logarithmic %1 axis").arg(tr(kAxisNames[axis])));
        action->setCheckable(true);
        action->setChecked(view_.scales[static_cast<std::size_t>(axis)].Logarithmic());
        action->setEnabled(!(settings_.decibels && !horizontal(axis)));
        connect(action, &QAction::toggled, this, [this, axis](bool on) { SetLogarithmic(axis, on); });
    }
    menu->addSeparator();
    QAction* grid = menu->addAction(tr("Grid"));
    grid->setCheckable(true);
    grid->setChecked(settings_.grid);
    connect(grid, &QAction::toggled, this, &GraphWidget::SetGridShown);
    QAction* decibels = menu->addAction(tr("Magnitude in dB"));
    decibels->setCheckable(true);
    decibels->setChecked(settings_.decibels);
    connect(decibels, &QAction::toggled, this, &GraphWidget::SetDecibels);
    menu->addSeparator();
    connect(menu->addAction(tr("Fit all\tHome")), &QAction::triggered, this, &GraphWidget::FitAll);
    if (menuAddition_) {
        menu->addSeparator();
        menuAddition_(*menu);
    }
    openMenu_ = menu;
    menu->popup(mapToGlobal(at));
}

void GraphWidget::contextMenuEvent(QContextMenuEvent* event) {
    // A right click opens the menu when the button comes up without a drag (a drag zooms to a
    // box), so the mouse's own context event, sent on the press on some platforms, is taken
    // here and goes no further; the keyboard's opens the menu at once.
    event->accept();
    if (event->reason() != QContextMenuEvent::Mouse && graph_) ShowMenu(event->pos());
}

}  // namespace livegrapher
