#pragma once

#include "veltutil/platform/host/win_types.h"

// Rectangles in pixels (points are in win_types.h). A rectangle's right and bottom edges lie
// outside it.
struct RECT {
    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;
};

class CRect : public RECT {
public:
    CRect() = default;
    CRect(long l, long t, long r, long b) : RECT{l, t, r, b} {}
    CRect(const RECT& rect) : RECT(rect) {}

    long Width() const { return right - left; }
    long Height() const { return bottom - top; }
    bool PtInRect(POINT point) const {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }
    void OffsetRect(long dx, long dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    void DeflateRect(long dx, long dy) {
        left += dx;
        right -= dx;
        top += dy;
        bottom -= dy;
    }
};
