#include "scope_screen.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "paint_message.h"
#include "text_table.h"

namespace veltsim {

namespace {

constexpr int kMarkerLength = 8;

// Coordinates as the device takes them; a value far off the screen stays far off, not wrapped.
int pixel(double value, double low, double high) { return static_cast<int>(std::lround(std::clamp(value, low, high))); }

}  // namespace

void ScopeScreen::SetView(ScreenView view) {
    view_ = std::move(view);
    Invalidate(FALSE);
}

CRect ScopeScreen::Graticule() const {
    CRect client;
    GetClientRect(&client);
    client.bottom = std::max(client.top, client.bottom - kStripHeight);
    return client;
}

POINT ScopeScreen::Place(double time, double volts, int channel) const {
    const CRect grid = Graticule();
    const double width = grid.Width();
    const double height = grid.Height();
    const double x = grid.left + time / view_.timeBase * width;
    const double y = grid.top + height / 2 - volts / view_.voltsPerDiv[channel] * height / kDivisionsUp;
    return {pixel(x, grid.left - width, grid.right + width), pixel(y, grid.top - height, grid.bottom + height)};
}

void ScopeScreen::Paint(CDC& dc) const {
    const CRect grid = Graticule();
    CBrush black(RGB(0, 0, 0));
    CRect client;
    GetClientRect(&client);
    dc.FillRect(&client, &black);
    const int saved = dc.SaveDC();
    PaintGrid(dc, grid);
    dc.IntersectClipRect(&grid);
    for (int channel = 0; channel < 2; ++channel) PaintTrace(dc, channel);
    dc.RestoreDC(saved);
    PaintMarker(dc, grid);
    PaintLegend(dc, grid);
}

void ScopeScreen::PaintGrid(CDC& dc, const CRect& grid) const {
    CPen pen(PS_SOLID, 1, kGridColor);
    CPen* previous = dc.SelectObject(&pen);
    for (int i = 0; i <= kDivisionsAcross; ++i) {
        const int x = grid.left + i * (grid.Width() - 1) / kDivisionsAcross;
        dc.MoveTo(x, grid.top);
        dc.LineTo(x, grid.bottom);
    }
    for (int i = 0; i <= kDivisionsUp; ++i) {
        const int y = grid.top + i * (grid.Height() - 1) / kDivisionsUp;
        dc.MoveTo(grid.left, y);
        dc.LineTo(grid.right, y);
    }
    dc.SelectObject(previous);
}

void ScopeScreen::PaintTrace(CDC& dc, int channel) const {
    if (!view_.wired[channel]) return;
    std::vector<POINT> points;
    points.reserve(view_.sweep.points.size());
    for (const Sweep::Point& point : view_.sweep.points) {
        const double volts = channel == 0 ? point.a : point.b;
        if (std::isfinite(volts)) points.push_back(Place(point.time, volts, channel));
    }
    if (points.size() < 2) return;
    CPen pen(PS_SOLID, 1, kTraceColor[channel]);
    CPen* previous = dc.SelectObject(&pen);
    dc.Polyline(points.data(), static_cast<int>(points.size()));
    dc.SelectObject(previous);
}

void ScopeScreen::PaintMarker(CDC& dc, const CRect& grid) const {
    const int y = std::clamp(static_cast<int>(Place(0.0, view_.level, 0).y), static_cast<int>(grid.top),
                             static_cast<int>(std::max(grid.top, grid.bottom - 1)));
    CPen pen(PS_SOLID, 2, kMarkerColor);
    CPen* previous = dc.SelectObject(&pen);
    dc.MoveTo(grid.left, y);
    dc.LineTo(grid.left + kMarkerLength, y);
    dc.SelectObject(previous);
}

void ScopeScreen::PaintLegend(CDC& dc, const CRect& grid) const {
    CRect client;
    GetClientRect(&client);
    CRect strip(client.left + 4, grid.bottom, client.right - 4, client.bottom);
    dc.SetBkMode(TRANSPARENT);
    const std::string parts[] = {FormatValue(view_.timeBase / kDivisionsAcross) + " s/div",
                                 "A " + FormatValue(view_.voltsPerDiv[0]) + " V/div",
                                 "B " + FormatValue(view_.voltsPerDiv[1]) + " V/div",
                                 "trigger " + FormatValue(view_.level) + " V"};
    const COLORREF colors[] = {RGB(220, 220, 220), kTraceColor[0], kTraceColor[1], kMarkerColor};
    const int width = strip.Width() / 4;
    for (int i = 0; i < 4; ++i) {
        CRect cell(strip.left + i * width, strip.top, strip.left + (i + 1) * width, strip.bottom);
        dc.SetTextColor(colors[i]);
        dc.DrawText(parts[i].c_str(), &cell, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

LRESULT ScopeScreen::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (AnswerPaint(*this, message, wParam, [this](CDC& dc) { Paint(dc); })) return 0;
    return CWnd::WindowProc(message, wParam, lParam);
}

}  // namespace veltsim
