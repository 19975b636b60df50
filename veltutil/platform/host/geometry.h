#pragma once

#include "veltutil/platform/host/win_types.h"

// Points, sizes and rectangles in pixels. A rectangle's right and bottom edges lie outside it.

class CPoint : public POINT {
public:
    CPoint() = default;
    CPoint(long x, long y) : POINT{x, y} {}
    CPoint(const POINT& point) : POINT(point) {}
};

struct SIZE {
    long cx = 0;
    long cy = 0;
};

class CSize : public SIZE {
public:
    CSize() = default;
    CSize(long cx, long cy) : SIZE{cx, cy} {}
    friend bool operator==(const CSize& a, const CSize& b) { return a.cx == b.cx && a.cy == b.cy; }
};

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

    operator RECT*() { return this; }
    operator const RECT*() const { return this; }

    long Width() const { return right - left; }
    friend bool operator==(const CRect& a, const CRect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
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
