#pragma once

#include <QImage>
#include <QMenu>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "livegrapher/graph/graph_readout.h"
#include "livegrapher/graph/graph_settings.h"
#include "plotmodel/graph_view.h"
#include "plotmodel/minmax_pyramid.h"

// One graph drawn live, and what a person does on it. The widget reads the model's graph and
// never changes it, except for the crosshairs when a person places a cursor (the client reads
// them back). Zoom, pan, scales, grid, dB and hidden traces are the widget's own view.
//
//   wheel                    zoom X about the pointer (Shift: Y, Ctrl: both)
//   right-drag               zoom into the rectangle;  right click: the menu
//   left-drag                pan;  Home or double-click: fit all
//   left click               place cursor 1;  Ctrl+click or middle click: cursor 2
//   drag a cursor            move it;  click a legend entry: hide or show its trace
//
// The picture of the traces is kept: points appended within the ranges shown are drawn from
// the column of the last drawn sample on, and the whole plot is drawn again only when the
// ranges, the layout or the traces' looks change.

namespace livegrapher {

class GraphWidget : public QWidget {
    Q_OBJECT

public:
    explicit GraphWidget(QWidget* parent = nullptr);

    // The graph drawn. The owner keeps it alive and calls SetGraph again if it moves or goes
    // (nullptr: nothing drawn). The widget may set the graph's crosshairs (cursors placed by a person).
    void SetGraph(plotmodel::Graph* graph);
    // The graph changed since the last call (points appended or removed, settings): bring the
    // picture up to date. Called by the page window at most ~30 times a second, and at once on a forced refresh.
    void GraphChanged();

    // A cursor (0 or 1) at x, a value of the bottom X axis; the model's crosshair follows to
    // the crosshair trace's sample nearest to it. A shown crosshair that the client moves
    // shows as the cursor of its number (on GraphChanged).
    void PlaceCursor(int cursor, double x);
    std::optional<double> Cursor(int cursor) const { return cursors_[static_cast<std::size_t>(cursor)]; }
    std::vector<CursorReading> Readings(int cursor) const;
    // Every placed cursor's readings and their differences, as the plot shows them.
    QString ReadoutText() const;
    // The sample nearest to the pointer, as shown beside it.
    QString HoverText() const { return hover_; }

    // View settings, as the menu, the wheel and the mouse change them. A zoom to a range that
    // is not finite or too narrow for doubles is left out.
    void ZoomTo(int axis, plotmodel::Range range);
    void FitAll();
    void SetLogarithmic(int axis, bool logarithmic);
    void SetGridShown(bool shown);
    void SetDecibels(bool decibels);
    void SetTraceHidden(std::size_t trace, bool hidden);
    const ViewSettings& Settings() const { return settings_; }
    // The layout drawn last, in widget coordinates.
    const plotmodel::GraphView& View() const { return view_; }
    // How often the whole plot was drawn: appends within the view add none.
    int FullRedraws() const { return fullRedraws_; }

    // What the owner adds to the menu that a right click opens (its own entries, after the
    // view's): called each time the menu is made.
    using MenuAddition = std::function<void(QMenu& menu)>;
    void SetMenuAddition(MenuAddition addition) { menuAddition_ = std::move(addition); }
    // The menu a right click opened last, while it is up; null otherwise.
    QMenu* OpenMenu() const { return openMenu_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    enum class Drag { kNone, kPending, kPan, kZoomBox, kCursor };

    void Sync();
    void FollowCrosshairs();
    void Refresh();
    void ViewChanged();
    std::vector<double> DrawnKey() const;
    void Replot(std::optional<int> fromColumn);
    std::optional<int> AppendedFrom() const;
    void SetZoom(int axis, double a, double b);
    std::optional<std::size_t> NearestSample(std::size_t trace, double x) const;
    bool InPlot(QPointF point) const;
    std::optional<int> CursorNear(QPointF point) const;
    void ZoomAbout(QPointF point, double factor, bool x, bool y);
    void PanBy(QPointF delta);
    void ZoomToBox(QRectF box);
    void UpdateHover(QPointF point);
    void ShowMenu(QPoint at);

    plotmodel::Graph* graph_ = nullptr;
    MenuAddition menuAddition_;
    QPointer<QMenu> openMenu_;
    // One per trace, brought up to the model before anything reads them: the model may have
    // changed since the last GraphChanged (a paint, a click in between).
    std::vector<plotmodel::MinMaxPyramid> pyramids_;
    std::vector<std::size_t> drawnCounts_;  // the samples of each trace in the kept picture
    ViewSettings settings_;
    plotmodel::GraphView view_{};
    std::vector<double> drawnKey_;  // what the kept picture was drawn for
    QImage plot_;                   // the traces, over the plot rectangle
    std::array<std::optional<double>, 2> cursors_;
    std::array<std::optional<double>, 2> crosshairsSeen_;  // the model's crosshairs as last followed or set
    QString hover_;
    Drag drag_ = Drag::kNone;
    int dragCursor_ = 0;
    QPointF pressAt_, lastAt_;
    Qt::MouseButton pressButton_ = Qt::NoButton;
    Qt::KeyboardModifiers pressModifiers_;
    int fullRedraws_ = 0;
};

}  // namespace livegrapher
