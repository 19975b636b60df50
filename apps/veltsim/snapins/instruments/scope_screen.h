#pragma once

#include <veltutil/veltutil.h>

#include "sweep_buffer.h"

namespace veltsim {

// What the screen shows: a sweep and the settings it is read with.
struct ScreenView {
    Sweep sweep;
    double timeBase = 1e-3;           // the whole width, ten divisions
    double voltsPerDiv[2] = {1, 1};   // channels A and B; 0 V is the middle line
    double level = 0.0;               // channel A's trigger level
    bool wired[2] = {false, false};   // a channel not wired draws no trace
};

// An oscilloscope's screen: the graticule of 10 x 8 divisions, each wired channel's trace in its
// own colour, the trigger level as a marker at the left edge on channel A's scale and, in a
// strip below, the time base, the channels' volts per division and the trigger level.
class ScopeScreen final : public CWnd {
public:
    // Its id on the scope's panel.
    static constexpr UINT kWindowId = 5380;
    static constexpr int kDivisionsAcross = 10;
    static constexpr int kDivisionsUp = 8;
    static constexpr COLORREF kTraceColor[2] = {RGB(230, 200, 0), RGB(0, 190, 230)};
    static constexpr COLORREF kGridColor = RGB(70, 90, 70);
    static constexpr COLORREF kMarkerColor = RGB(255, 90, 60);
    // The strip of text under the graticule.
    static constexpr int kStripHeight = 18;

    // Shows `view` from the next paint on.
    void SetView(ScreenView view);
    const ScreenView& View() const { return view_; }
    // The graticule in client coordinates; a sweep needs no more points than it is wide.
    CRect Graticule() const;
    // Where a point of channel `channel` (0: A, 1: B) lands, kept a screen's height above and
    // below the graticule so that any value maps to a point.
    POINT Place(double time, double volts, int channel) const;
    void Paint(CDC& dc) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintGrid(CDC& dc, const CRect& grid) const;
    void PaintTrace(CDC& dc, int channel) const;
    void PaintMarker(CDC& dc, const CRect& grid) const;
    void PaintLegend(CDC& dc, const CRect& grid) const;

    ScreenView view_;
};

}  // namespace veltsim
