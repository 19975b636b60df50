#include <gtest/gtest.h>

#include "veltutil/platform/host/drawing/dc.h"
#include "veltutil/platform/host/drawing/system_colors.h"
#include "veltutil/platform/host/windows/system_metrics.h"

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
