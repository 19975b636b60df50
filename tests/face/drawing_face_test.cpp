#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include "face_support.h"
#include "veltutil/platform/host/drawing/dc.h"
#include "veltutil/platform/host/drawing/system_colors.h"
#include "veltutil/platform/host/windows/dialog.h"

namespace {

using velttest::WidgetOf;

// Paints a red background, a blue-outlined green box, a blue line and white-on-black text.
class PaintingWindow : public CWnd {
public:
    CSize textExtent;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_PAINT) return CWnd::WindowProc(message, wParam, lParam);
        CPaintDC dc(this);
        CBrush background(RGB(255, 0, 0));
        CRect all(0, 0, 200, 100);
        dc.FillRect(&all, &background);
        CPen pen(PS_SOLID, 1, RGB(0, 0, 255));
        CBrush fill(RGB(0, 160, 0));
        dc.SelectObject(&pen);
        dc.SelectObject(&fill);
        dc.Rectangle(10, 10, 50, 40);
        dc.MoveTo(100, 5);
        dc.LineTo(100, 60);
        dc.SetTextColor(RGB(255, 255, 255));
        dc.SetBkColor(RGB(0, 0, 0));
        CRect textRect(120, 60, 200, 100);
        dc.DrawText("WWWW", &textRect, DT_SINGLELINE);
        textExtent = dc.GetTextExtent("WWWW");
        return 0;
    }
};

TEST(QtFaceDrawing, APaintedWindowShowsWhatItDrewThroughItsDeviceContext) {
    PaintingWindow window;
    ASSERT_TRUE(window.Create("Paint", WS_CAPTION | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr));
    QImage shot = WidgetOf(window)->grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(30, 25), QColor(0, 160, 0));
    // The outline runs inside the rectangle: its left and top edges, and the pixel before the
    // right and bottom ones; the right edge itself stays outside.
    EXPECT_EQ(shot.pixelColor(10, 25), QColor(0, 0, 255));
    EXPECT_EQ(shot.pixelColor(49, 25), QColor(0, 0, 255));
    EXPECT_EQ(shot.pixelColor(50, 25), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(100, 30), QColor(0, 0, 255));
    // Opaque text: black behind the characters, white in them, red past their extent.
    EXPECT_EQ(shot.pixelColor(121, 61), QColor(0, 0, 0));
    int white = 0;
    for (int x = 120; x < 120 + window.textExtent.cx; ++x) white += shot.pixelColor(x, 68) == QColor(255, 255, 255);
    EXPECT_GT(white, 0);
    EXPECT_EQ(shot.pixelColor(121 + static_cast<int>(window.textExtent.cx), 61), QColor(255, 0, 0));
}

// On white: a blue polyline along the top and right, then, inside a saved state clipped to
// (50, 30)-(150, 70), a green fill and a red line across the whole window, then a black corner
// once the state is restored.
class ClippingWindow : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_PAINT) return CWnd::WindowProc(message, wParam, lParam);
        CPaintDC dc(this);
        CRect all(0, 0, 200, 100);
        CBrush white(RGB(255, 255, 255));
        dc.FillRect(&all, &white);
        CPen blue(PS_SOLID, 1, RGB(0, 0, 255));
        dc.SelectObject(&blue);
        const POINT edge[] = {{10, 10}, {190, 10}, {190, 90}};
        dc.Polyline(edge, 3);

        int level = dc.SaveDC();
        dc.IntersectClipRect(50, 30, 150, 70);
        CBrush green(RGB(0, 160, 0));
        dc.FillRect(&all, &green);
        CPen red(PS_SOLID, 1, RGB(255, 0, 0));
        dc.SelectObject(&red);
        const POINT across[] = {{0, 50}, {199, 50}};
        dc.Polyline(across, 2);
        dc.RestoreDC(level);

        CBrush black(RGB(0, 0, 0));
        CRect corner(0, 80, 20, 100);
        dc.FillRect(&corner, &black);
        return 0;
    }
};

TEST(QtFaceDrawing, APolylineShowsAlongItsCornersAndNothingShowsOutsideTheClip) {
    ClippingWindow window;
    ASSERT_TRUE(window.Create("Clip", WS_CAPTION | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr));
    QImage shot = WidgetOf(window)->grab().toImage();
    const QColor white(255, 255, 255), blue(0, 0, 255), green(0, 160, 0), red(255, 0, 0);
    EXPECT_EQ(shot.pixelColor(100, 10), blue);
    EXPECT_EQ(shot.pixelColor(190, 50), blue);
    EXPECT_EQ(shot.pixelColor(100, 11), white);  // a polyline is not filled
    EXPECT_EQ(shot.pixelColor(50, 30), green);
    EXPECT_EQ(shot.pixelColor(149, 69), green);
    EXPECT_EQ(shot.pixelColor(150, 40), white);
    EXPECT_EQ(shot.pixelColor(100, 70), white);
    EXPECT_EQ(shot.pixelColor(49, 40), white);
    EXPECT_EQ(shot.pixelColor(100, 50), red);
    EXPECT_EQ(shot.pixelColor(150, 50), white);
    EXPECT_EQ(shot.pixelColor(5, 90), QColor(0, 0, 0));  // drawn after the clip was restored away
}

TEST(QtFaceDrawing, TextIsMeasuredFromTheRealFont) {
    CDC dc;
    CSize wide = dc.GetTextExtent("WWWWWWWW");
    CSize narrow = dc.GetTextExtent("iiiiiiii");
    CSize twoLines = dc.GetTextExtent("WWWWWWWW\nW");
    // Headless both would be eight cells of 8 pixels.
    EXPECT_GT(wide.cx, narrow.cx);
    EXPECT_EQ(twoLines.cx, wide.cx);
    EXPECT_GT(twoLines.cy, wide.cy);
}

TEST(QtFaceDrawing, DialogUnitsComeFromTheTemplatesFontAndAMissingFontFallsBack) {
    DialogTemplate small{"Small", "Noto Sans", 8, WS_CAPTION, 0, 0, 100, 50, {}};
    DialogTemplate large = small;
    large.pointSize = 16;
    DialogTemplate missing = small;
    missing.fontName = "No Such Face 42";

    CDialog smallDialog;
    CDialog largeDialog;
    CDialog missingDialog;
    ASSERT_TRUE(smallDialog.CreateIndirect(small));
    ASSERT_TRUE(largeDialog.CreateIndirect(large));
    ASSERT_TRUE(missingDialog.CreateIndirect(missing));
    CRect smallRect;
    CRect largeRect;
    smallDialog.GetClientRect(&smallRect);
    largeDialog.GetClientRect(&largeRect);
    EXPECT_GT(largeRect.Width(), smallRect.Width() * 3 / 2);
    // Eight dialog units down are one line of the font.
    EXPECT_EQ(smallRect.Height(), QFontMetrics(WidgetOf(smallDialog)->font()).height() * 50 / 8);

    QWidget* widget = WidgetOf(missingDialog);
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(QFontDatabase::hasFamily(QFontInfo(widget->font()).family()));
    // The template's size: 8 points at 96 pixels per inch.
    EXPECT_EQ(widget->font().pixelSize(), 10);
}

}  // namespace
