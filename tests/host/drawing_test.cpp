#include <gtest/gtest.h>

#include "veltutil/platform/host/drawing/dc.h"
#include "veltutil/platform/host/drawing/system_colors.h"
#include "veltutil/platform/host/windows/system_metrics.h"

#include <utility>

namespace {

using Xy = std::pair<long, long>;
Xy xy(POINT point) { return {point.x, point.y}; }

}  // namespace

TEST(DeviceContext, TextIsMeasuredWithTheSelectedFontsCharacterCells) {
    CDC dc;
    EXPECT_EQ(dc.GetTextExtent("abcde"), CSize(40, 16));  // the system font: 8 by 16
    EXPECT_EQ(dc.GetTextExtent("电压"), CSize(16, 16));   // a UTF-8 sequence is one character
    EXPECT_EQ(dc.GetTextExtent("ab\nabcd"), CSize(32, 32));

    CFont small;
    ASSERT_TRUE(small.CreatePointFont(90, "Tahoma"));  // 9 points at 96 pixels per inch: 12 high
    CFont* previous = dc.SelectObject(&small);
    EXPECT_EQ(dc.GetTextExtent("abcde"), CSize(30, 12));
    CRect fitted(10, 10, 10, 10);
    EXPECT_EQ(dc.DrawText("abc", &fitted, DT_CALCRECT | DT_SINGLELINE), 12);
    EXPECT_EQ(fitted, CRect(10, 10, 28, 22));
    EXPECT_EQ(dc.SelectObject(previous), &small);
}

TEST(DeviceContext, ObjectsThatWereNeverCreatedAreRefused) {
    CDC dc;
    CPen unmade;
    EXPECT_EQ(dc.SelectObject(&unmade), nullptr);
    CBrush made(RGB(1, 2, 3));
    EXPECT_FALSE(made.CreateSolidBrush(0));  // created once, until deleted
    EXPECT_TRUE(made.DeleteObject());
    EXPECT_TRUE(made.CreateSolidBrush(0));
}

TEST(DeviceContext, ARecordingKeepsEachCallWithTheStateItWasDrawnIn) {
    CRecordingDC dc;
    EXPECT_EQ(CDC::FromHandle(dc.GetSafeHdc()), &dc);
    CBrush yellow(RGB(255, 255, 0));
    dc.FillRect(CRect(0, 0, 100, 20), &yellow);
    CPen dashed(PS_DASH, 1, RGB(0, 0, 0));
    dc.SelectObject(&dashed);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(0, 0, 50, 21);
    dc.MoveTo(0, 30);
    dc.LineTo(80, 30);
    dc.FillRect(CRect(60, 0, 100, 20), &yellow);

    ASSERT_EQ(dc.Records().size(), 4u);
    const DrawRecord* outline = dc.LastAt(DrawOp::Rectangle, CPoint(10, 10));
    ASSERT_NE(outline, nullptr);
    EXPECT_EQ(outline->pen.lopnStyle, static_cast<UINT>(PS_DASH));
    EXPECT_EQ(outline->brush.lbStyle, BS_NULL);
    EXPECT_EQ(dc.LastAt(DrawOp::Fill, CPoint(70, 10)), &dc.Records().back());
    EXPECT_EQ(dc.LastAt(DrawOp::Fill, CPoint(100, 10)), nullptr);  // right edges lie outside
    EXPECT_EQ(dc.GetCurrentPosition().x, 80);
}

TEST(DeviceContext, HandlesOfGoneOrForeignContextsFindNothing) {
    HDC gone;
    {
        CDC dc;
        gone = dc.GetSafeHdc();
    }
    EXPECT_EQ(CDC::FromHandle(gone), nullptr);
    EXPECT_EQ(CDC::FromHandle(GetDC(nullptr)), nullptr);
}

TEST(SystemColors, ChangesApplyAllOrNothing) {
    DWORD highlight = GetSysColor(COLOR_HIGHLIGHT);
    const int elements[] = {COLOR_HIGHLIGHT, 99};
    const COLORREF values[] = {RGB(1, 2, 3), RGB(4, 5, 6)};
    EXPECT_FALSE(SetSysColors(2, elements, values));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), highlight);
    ASSERT_TRUE(SetSysColors(1, elements, values));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(1, 2, 3));
    SetSysColors(1, elements, &highlight);
    EXPECT_EQ(GetSysColor(99), 0u);
}

TEST(DeviceContext, APolylineIsOneRecordOfItsCornersDrawnWithTheSelectedPen) {
    CRecordingDC dc;
    CPen green(PS_SOLID, 2, RGB(0, 255, 0));
    dc.SelectObject(&green);
    dc.MoveTo(5, 5);
    const POINT wave[] = {{0, 10}, {10, 0}, {20, 10}};
    ASSERT_TRUE(dc.Polyline(wave, 3));
    EXPECT_EQ(xy(dc.GetCurrentPosition()), Xy(5, 5));
    ASSERT_TRUE(dc.PolylineTo(wave, 2));
    EXPECT_EQ(xy(dc.GetCurrentPosition()), Xy(10, 0));

    ASSERT_EQ(dc.Records().size(), 2u);
    const DrawRecord& line = dc.Records()[0];
    EXPECT_EQ(line.op, DrawOp::Polyline);
    ASSERT_EQ(line.points.size(), 3u);
    EXPECT_EQ(xy(line.points[2]), Xy(20, 10));
    EXPECT_EQ(line.pen.lopnColor, RGB(0, 255, 0));
    const std::vector<POINT>& joined = dc.Records()[1].points;
    ASSERT_EQ(joined.size(), 3u);  // from the current position on
    EXPECT_EQ(xy(joined[0]), Xy(5, 5));
    EXPECT_EQ(xy(joined[2]), Xy(10, 0));
}

TEST(DeviceContext, PolylinesOfMissingOrTooFewPointsDrawNothing) {
    CRecordingDC dc;
    const POINT one[] = {{1, 1}};
    EXPECT_FALSE(dc.Polyline(nullptr, 2));
    EXPECT_FALSE(dc.Polyline(one, 1));
    EXPECT_FALSE(dc.Polyline(one, -1));
    EXPECT_FALSE(dc.PolylineTo(nullptr, 1));
    EXPECT_FALSE(dc.PolylineTo(one, 0));
    EXPECT_FALSE(dc.PolylineTo(one, -5));
    EXPECT_TRUE(dc.Records().empty());
    EXPECT_EQ(xy(dc.GetCurrentPosition()), Xy(0, 0));
    EXPECT_TRUE(dc.PolylineTo(one, 1));
}

TEST(DeviceContext, ClipRectanglesNarrowWhatLaterCallsShow) {
    CRecordingDC dc;
    CBrush blue(RGB(0, 0, 255));
    CRect all(0, 0, 100, 100);
    EXPECT_EQ(dc.IntersectClipRect(10, 10, 60, 60), SIMPLEREGION);
    EXPECT_EQ(dc.IntersectClipRect(CRect(40, 0, 100, 50)), SIMPLEREGION);
    dc.FillRect(&all, &blue);
    const DrawRecord& clipped = dc.Records().back();
    EXPECT_TRUE(clipped.clipped);
    EXPECT_EQ(clipped.clip, CRect(40, 10, 60, 50));
    EXPECT_EQ(dc.LastAt(DrawOp::Fill, CPoint(45, 20)), &clipped);
    EXPECT_EQ(dc.LastAt(DrawOp::Fill, CPoint(60, 20)), nullptr);  // the clip's right edge is outside

    EXPECT_EQ(dc.IntersectClipRect(nullptr), ERROR);
    EXPECT_EQ(dc.IntersectClipRect(0, 0, 40, 40), NULLREGION);  // touches the clip only at its edge
    EXPECT_EQ(dc.IntersectClipRect(0, 0, 100, 100), NULLREGION);  // nothing comes back by widening
    dc.FillRect(&all, &blue);
    EXPECT_EQ(dc.LastAt(DrawOp::Fill, CPoint(45, 20)), &dc.Records().front());

    EXPECT_EQ(dc.SelectClipRgn(nullptr), SIMPLEREGION);
    dc.FillRect(&all, &blue);
    EXPECT_FALSE(dc.Records().back().clipped);
    EXPECT_EQ(dc.LastAt(DrawOp::Fill, CPoint(20, 20)), &dc.Records().back());
    EXPECT_EQ(dc.IntersectClipRect(30, 30, 10, 40), NULLREGION);  // an inverted rectangle holds nothing
}

TEST(DeviceContext, RestoringASavedLevelBringsBackItsStateAndForgetsLaterLevels) {
    CRecordingDC dc;
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    CFont small;
    ASSERT_TRUE(small.CreatePointFont(90, "Tahoma"));
    CFont* systemFont = dc.GetCurrentFont();
    CPen* blackPen = dc.SelectObject(&red);

    EXPECT_EQ(dc.SaveDC(), 1);
    dc.SelectObject(&small);
    dc.SetTextColor(RGB(1, 2, 3));
    dc.IntersectClipRect(0, 0, 10, 10);
    EXPECT_EQ(dc.SaveDC(), 2);
    dc.SelectObject(blackPen);
    EXPECT_EQ(dc.SaveDC(), 3);

    EXPECT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.SelectObject(blackPen), blackPen);
    EXPECT_TRUE(dc.RestoreDC(1));  // drops level 2 with it
    EXPECT_FALSE(dc.RestoreDC(2));
    EXPECT_FALSE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetCurrentFont(), systemFont);
    EXPECT_EQ(dc.GetTextColor(), RGB(0, 0, 0));
    dc.Rectangle(20, 20, 40, 40);
    const DrawRecord& drawn = dc.Records().back();
    EXPECT_FALSE(drawn.clipped);
    EXPECT_EQ(drawn.pen.lopnColor, RGB(255, 0, 0));
}

TEST(DeviceContext, LevelsNeverSavedAreRefused) {
    CDC dc;
    EXPECT_FALSE(dc.RestoreDC(-1));
    EXPECT_FALSE(dc.RestoreDC(1));
    EXPECT_EQ(dc.SaveDC(), 1);
    EXPECT_EQ(dc.SaveDC(), 2);
    EXPECT_FALSE(dc.RestoreDC(0));
    EXPECT_FALSE(dc.RestoreDC(3));
    EXPECT_FALSE(dc.RestoreDC(-3));
    EXPECT_TRUE(dc.RestoreDC(-2));  // the first level, counted from the last
    EXPECT_EQ(dc.SaveDC(), 1);
}
